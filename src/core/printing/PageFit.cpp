#include "core/printing/PageFit.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace varnel {

namespace {

std::string WithoutBlankLines(const std::string& text) {
    std::string out, line;
    const auto endLine = [&] {
        if (line.find_first_not_of(' ') != std::string::npos) out += (out.empty() ? "" : "\n") + line;
        line.clear();
    };
    for (const char c : text) {
        if (c == '\r') continue;
        if (c == '\n') endLine();
        else line += c;
    }
    endLine();
    return out;
}

struct Span {
    double top, left, right;
    int part;
};

// The parts across the whole width at one size; nullopt when a word does not
// fit, the lines are too many for the height, or two parts would touch.
std::optional<FittedBand> BandAt(const std::array<std::string, 3>& parts, double size, bool dropBlank, double width,
                                 double height, const TextMeasure& measure) {
    FittedBand band;
    band.size = size;
    std::vector<Span> spans;
    const double gap = measure.width(" ", size);
    for (int i = 0; i < 3; ++i) {
        const std::string text = dropBlank ? WithoutBlankLines(parts[static_cast<size_t>(i)]) : parts[static_cast<size_t>(i)];
        if (text.empty()) continue;
        FitRequest request;
        request.size = request.floor = size;
        request.width = width;
        request.grow = true;
        const FittedText fitted = FitText(text, request, measure);
        if (fitted.shortened || (height > 0 && fitted.height > height + 0.01)) return std::nullopt;
        for (const FittedLine& line : fitted.lines) {
            if (line.text.empty()) continue;
            const double w = measure.width(line.text, size);
            const double left = i == 0 ? 0 : i == 1 ? (width - w) / 2 : width - w;
            for (const Span& s : spans)
                if (s.part != i && std::abs(s.top - line.top) < 0.5 && left < s.right + gap && s.left < left + w + gap)
                    return std::nullopt;
            spans.push_back({line.top, left, left + w, i});
            band.lines.push_back({i, line.text, 0, line.top, width});
        }
    }
    return band;
}

}  // namespace

FittedBand FitBand(const std::array<std::string, 3>& parts, double size, double floor, double width, double height,
                   const TextMeasure& measure) {
    if (!(size > 0 && size < 1000)) size = 10;
    floor = floor > 0 ? std::min(size, floor) : size;
    for (double s = size;; s = std::max(floor, s - kFitStep)) {
        for (const bool dropBlank : {false, true})
            if (auto band = BandAt(parts, s, dropBlank, width, height, measure)) return *band;
        if (s <= floor) break;
    }
    // A part of its own, in a third of the width (all of it when alone), shortened to its box.
    int count = 0;
    for (const std::string& p : parts) count += !WithoutBlankLines(p).empty();
    FittedBand band;
    band.size = floor;
    for (int i = 0; i < 3; ++i) {
        const std::string text = WithoutBlankLines(parts[static_cast<size_t>(i)]);
        if (text.empty()) continue;
        const double boxWidth = count == 1 ? width : width / 3;
        const double left = count == 1 ? 0 : i * boxWidth;
        FitRequest request;
        request.size = request.floor = floor;
        request.width = boxWidth;
        request.height = height;
        for (FittedLine& line : FitText(text, request, measure).lines)
            band.lines.push_back({i, std::move(line.text), left, line.top, boxWidth});
    }
    return band;
}

std::vector<double> BalanceColumns(std::vector<double> widths, const std::vector<double>& needs) {
    double deficit = 0, slack = 0;
    for (size_t c = 0; c < widths.size() && c < needs.size(); ++c) {
        deficit += std::max(0.0, needs[c] - widths[c]);
        slack += std::max(0.0, widths[c] - needs[c]);
    }
    if (deficit <= 0 || slack <= 0) return widths;
    const double moved = std::min(deficit, slack);
    for (size_t c = 0; c < widths.size() && c < needs.size(); ++c) {
        if (needs[c] > widths[c]) widths[c] += (needs[c] - widths[c]) * moved / deficit;
        else widths[c] -= (widths[c] - needs[c]) * moved / slack;
    }
    return widths;
}

std::vector<double> ShapeColumns(std::vector<double> widths, const std::vector<double>& needs,
                                 const std::vector<std::vector<MeasuredText>>& cells, const std::vector<double>& pads) {
    const size_t cols = widths.size();
    if (cols < 2 || needs.size() != cols || pads.size() != cols) return widths;
    // The rows' heights; a thousandth of the wrapped texts' spread over their
    // widths breaks ties, so width keeps moving towards the texts that wrap
    // while whole lines are still to be won.
    std::vector<std::vector<double>> lengths;
    for (const auto& row : cells) {
        auto& out = lengths.emplace_back();
        for (const MeasuredText& text : row) {
            double length = 0;
            for (const auto& words : text.paragraphs)
                for (const MeasuredText::Word& word : words) length += word.width + (word.spaceBefore ? text.space : 0);
            out.push_back(length);
        }
    }
    const auto height = [&](const std::vector<double>& w) {
        double sum = 0, spread = 0;
        for (size_t r = 0; r < cells.size(); ++r) {
            double tallest = 0, widest = 0;
            for (size_t c = 0; c < cols && c < cells[r].size(); ++c) {
                const MeasuredText& text = cells[r][c];
                const double room = std::max(1.0, w[c] - pads[c]);
                const int lines = LineCount(text, room);
                tallest = std::max(tallest, lines * text.lineHeight);
                if (lines > 1) widest = std::max(widest, lengths[r][c] / room * text.lineHeight);
            }
            sum += tallest;
            spread += widest;
        }
        return sum + spread / 1000;
    };
    double total = 0;
    for (const double w : widths) total += w;
    double best = height(widths);
    double step = total / 50;
    for (int round = 0; round < 400 && step >= total / 800; ++round) {
        std::vector<double> bestWidths;
        for (size_t from = 0; from < cols; ++from) {
            if (widths[from] - step < needs[from]) continue;
            for (size_t to = 0; to < cols; ++to) {
                if (to == from) continue;
                std::vector<double> tried = widths;
                tried[from] -= step;
                tried[to] += step;
                const double h = height(tried);
                if (h < best - 1e-9) {
                    best = h;
                    bestWidths = std::move(tried);
                }
            }
        }
        if (bestWidths.empty()) step /= 2;
        else widths = std::move(bestWidths);
    }
    return widths;
}

}  // namespace varnel
