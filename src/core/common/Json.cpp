#include "core/common/Json.h"

#include <cmath>
#include <cstdio>

#include "core/common/Date.h"
#include "core/common/Utf8.h"

namespace varnel {


std::string JsonQuote(std::string_view text) {
    std::string out;
    out.reserve(text.size() + 2);
    out += '"';
    for (size_t pos = 0; pos < text.size(); ++pos) {
        const char ch = text[pos];
        const unsigned char c = static_cast<unsigned char>(ch);
        if (c >= 0x80) {
            // The output is UTF-8: a data file's stray bytes become U+FFFD.
            const size_t len = Utf8SequenceLength(text, pos);
            if (len == 0) {
                out += "\xEF\xBF\xBD";
            } else {
                out.append(text, pos, len);
                pos += len - 1;
            }
            continue;
        }
        switch (c) {
            case '"': out += "\\\""; break;
            case '\\': out += "\\\\"; break;
            case '\n': out += "\\n"; break;
            case '\r': out += "\\r"; break;
            case '\t': out += "\\t"; break;
            default:
                if (c < 0x20) {
                    char buf[8];
                    std::snprintf(buf, sizeof buf, "\\u%04x", c);
                    out += buf;
                } else {
                    out += ch;
                }
        }
    }
    out += '"';
    return out;
}

std::string IsoDate(Date date) {
    const YearMonthDay d = date.Parts();
    char buf[32];
    std::snprintf(buf, sizeof buf, "%04d-%02d-%02d", d.year, d.month, d.day);
    return buf;
}

void JsonWriter::Separate() {
    if (needComma_) out_ += ',';
    needComma_ = true;
}

JsonWriter& JsonWriter::BeginObject() {
    Separate();
    out_ += '{';
    needComma_ = false;
    return *this;
}
JsonWriter& JsonWriter::EndObject() {
    out_ += '}';
    needComma_ = true;
    return *this;
}
JsonWriter& JsonWriter::BeginArray() {
    Separate();
    out_ += '[';
    needComma_ = false;
    return *this;
}
JsonWriter& JsonWriter::EndArray() {
    out_ += ']';
    needComma_ = true;
    return *this;
}
JsonWriter& JsonWriter::Key(std::string_view key) {
    Separate();
    out_ += JsonQuote(key);
    out_ += ':';
    needComma_ = false;
    return *this;
}
JsonWriter& JsonWriter::String(std::string_view value) {
    Separate();
    out_ += JsonQuote(value);
    return *this;
}
JsonWriter& JsonWriter::Int(int64_t value) {
    Separate();
    out_ += std::to_string(value);
    return *this;
}
JsonWriter& JsonWriter::Number(double value) {
    if (!std::isfinite(value)) return Null();
    Separate();
    char text[32];
    std::snprintf(text, sizeof text, "%.10g", value);
    out_ += text;
    return *this;
}
JsonWriter& JsonWriter::Bool(bool value) {
    Separate();
    out_ += value ? "true" : "false";
    return *this;
}
JsonWriter& JsonWriter::Null() {
    Separate();
    out_ += "null";
    return *this;
}
JsonWriter& JsonWriter::Date(std::optional<varnel::Date> date) {
    // Outside years 1..9999 the text output shows no date either.
    if (!date || !date->IsInSupportedRange()) return Null();
    Separate();
    out_ += '"' + IsoDate(*date) + '"';
    return *this;
}

}  // namespace varnel
