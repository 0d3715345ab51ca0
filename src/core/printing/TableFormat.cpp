#include "core/printing/TableFormat.h"

#include <cmath>
#include <cstdio>

namespace varnel {

namespace {

std::vector<std::string_view> Split(std::string_view text, char sep) {
    std::vector<std::string_view> parts;
    size_t start = 0;
    for (;;) {
        const size_t at = text.find(sep, start);
        if (at == std::string_view::npos) {
            parts.push_back(text.substr(start));
            return parts;
        }
        parts.push_back(text.substr(start, at - start));
        start = at + 1;
    }
}

std::string_view Trim(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    return s;
}

}  // namespace

int RoundHalfEven(double value) {
    if (!std::isfinite(value)) return 0;
    if (value > 2e9) return 2000000000;
    if (value < -2e9) return -2000000000;
    return static_cast<int>(std::nearbyint(value));  // the default mode rounds halves to even
}

std::vector<TableColumn> ParseTableFormat(std::string_view format) {
    std::vector<TableColumn> columns;
    for (std::string_view part : Split(format, '|')) {
        TableColumn column;
        part = Trim(part);
        while (!part.empty()) {
            const char c = part.front();
            if (c == '<') column.align = HAlign::Left;
            else if (c == '^') column.align = HAlign::Center;
            else if (c == '>') column.align = HAlign::Right;
            else if (c == '+') column.stretch = true;
            else break;
            part.remove_prefix(1);
        }
        if (auto width = ParseLength(part); width && *width > 0) column.width = *width;
        columns.push_back(column);
    }
    return columns;
}

std::vector<std::string> SplitColumns(std::string_view row) {
    std::vector<std::string> cells;
    for (std::string_view part : Split(row, '|')) cells.emplace_back(part);
    return cells;
}

std::vector<std::vector<std::string>> SplitBody(std::string_view body) {
    std::vector<std::vector<std::string>> rows;
    if (body.empty()) return rows;
    if (body.back() == ';') body.remove_suffix(1);
    for (std::string_view row : Split(body, ';')) rows.push_back(SplitColumns(row));
    return rows;
}

std::string BodyText(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        if (c == ';') c = ',';
    return out;
}

std::optional<int> ParseLength(std::string_view text) {
    text = Trim(text);
    if (text.empty()) return std::nullopt;
    // from_chars does not take ".3", so read the number by hand.
    size_t i = 0;
    bool negative = false;
    if (text[i] == '-' || text[i] == '+') negative = text[i++] == '-';
    double whole = 0, fraction = 0, scale = 1;
    bool digits = false;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9' && whole < 1e9) {
        whole = whole * 10 + (text[i++] - '0');
        digits = true;
    }
    if (i < text.size() && text[i] == '.') {
        ++i;
        while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
            scale /= 10;
            fraction += (text[i++] - '0') * scale;
            digits = true;
        }
    }
    if (!digits) return std::nullopt;
    double value = (whole + fraction) * (negative ? -1 : 1);
    const std::string_view unit = Trim(text.substr(i));
    if (unit.empty() || unit == "tw") {
    } else if (unit == "in") {
        value *= 1440;
    } else if (unit == "cm") {
        value *= 1440 / 2.54;
    } else if (unit == "mm") {
        value *= 144 / 2.54;
    } else if (unit == "pt") {
        value *= 20;
    } else {
        return std::nullopt;
    }
    if (std::fabs(value) > 1e9) return std::nullopt;
    return RoundHalfEven(value);
}

}  // namespace varnel
