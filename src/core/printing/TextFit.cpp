#include "core/printing/TextFit.h"

#include <algorithm>

#include "core/common/Utf8.h"

namespace varnel {

namespace {

constexpr double kSlack = 0.01;  // twips of rounding a measure may carry

struct Token {
    std::string text;
    bool spaceBefore = false;
};
using Paragraph = std::vector<Token>;

bool IsLetter(char c) {
    const auto u = static_cast<unsigned char>(c);
    return u >= 0x80 || (u >= 'A' && u <= 'Z') || (u >= 'a' && u <= 'z') || c == '\'';
}

// A "/" between letters joins two names ("Matot/Masei"); between digits it is
// part of one word ("10/02").
bool JoinsNames(const std::string& word, size_t slash) {
    return slash > 0 && slash + 1 < word.size() && IsLetter(word[slash - 1]) && IsLetter(word[slash + 1]);
}

// Words at spaces; joined names may also break after their "/".
std::vector<Paragraph> Tokens(std::string_view text) {
    std::vector<Paragraph> paragraphs(1);
    std::string word;
    bool space = false;
    const auto endWord = [&] {
        if (word.empty()) return;
        size_t start = 0;
        for (size_t slash = word.find('/'); slash != std::string::npos; slash = word.find('/', slash + 1)) {
            if (!JoinsNames(word, slash)) continue;
            paragraphs.back().push_back({word.substr(start, slash + 1 - start), start == 0 && space});
            start = slash + 1;
        }
        paragraphs.back().push_back({word.substr(start), start == 0 && space});
        word.clear();
        space = true;
    };
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r') continue;
        if (c == '\n') {
            endWord();
            paragraphs.emplace_back();
            space = false;
        } else if (c == ' ' || c == '\t') {
            endWord();
        } else {
            word += c;
        }
    }
    endWord();
    return paragraphs;
}

bool IsCombining(char32_t c) {
    return (c >= 0x0300 && c <= 0x036F) || (c >= 0x0591 && c <= 0x05C7) || (c >= 0x064B && c <= 0x065F) ||
           (c >= 0x200C && c <= 0x200D) || (c >= 0xFE00 && c <= 0xFE0F);
}

struct Laid {
    std::vector<FittedLine> lines;
    double height = 0;
    bool overflow = false;  // a word wider than its line
};

class Layout {
public:
    Layout(const FitRequest& r, const TextMeasure& m, double size) : r_(r), m_(m), size_(size), lh_(m.lineHeight(size)) {}

    // Lays the paragraphs out; with `ellipsize`, a word too wide for any line is cut.
    Laid Run(const std::vector<Paragraph>& paragraphs, bool ellipsize) {
        Laid out;
        double y = 0;
        for (const Paragraph& p : paragraphs) {
            std::string line;
            for (const Token& t : p) {
                const std::string joined = line.empty() ? t.text : line + (t.spaceBefore ? " " : "") + t.text;
                if (Fits(joined, y)) {
                    line = joined;
                    continue;
                }
                // The corner never breaks a line that would hold without it: the
                // line starts below the corner instead ("Iyar 2" stays one line).
                if (!line.empty() && y < r_.cornerHeight - kSlack && Width(joined) <= r_.width + kSlack) {
                    y = r_.cornerHeight;
                    line = joined;
                    continue;
                }
                if (!line.empty()) {
                    Push(out, line, y);
                    line.clear();
                }
                // A word too long to stand beside the corner starts below it.
                if (!Fits(t.text, y) && y < r_.cornerHeight) y = r_.cornerHeight;
                if (Fits(t.text, y)) {
                    line = t.text;
                } else if (ellipsize) {
                    line = WithEllipsis(t.text, Room(y), size_, m_);
                } else {
                    out.overflow = true;
                    line = t.text;
                }
            }
            Push(out, line, y);
        }
        out.height = y;
        return out;
    }

    double Room(double y) const { return y < r_.cornerHeight - kSlack ? r_.width - r_.cornerWidth : r_.width; }
    double Width(const std::string& s) const { return m_.width(s, size_); }
    bool Fits(const std::string& s, double y) const { return Width(s) <= Room(y) + kSlack; }

private:
    void Push(Laid& out, const std::string& text, double& y) {
        out.lines.push_back({text, y, Room(y)});
        y += lh_;
    }

    const FitRequest& r_;
    const TextMeasure& m_;
    double size_;
    double lh_;
};

bool FitsHeight(const Laid& laid, double height) { return height <= 0 || laid.height <= height + kSlack; }

FittedText Result(Laid&& laid, double size, bool shortened) {
    FittedText out;
    out.size = size;
    out.lines = std::move(laid.lines);
    out.height = laid.height;
    out.shortened = shortened;
    return out;
}

std::vector<Paragraph> WithFirstNames(std::vector<Paragraph> paragraphs, bool& changed) {
    for (Paragraph& p : paragraphs) {
        Paragraph kept;
        bool dropping = false;
        for (Token& t : p) {
            // The names joined after the first, with their "/", are left out.
            if (!t.spaceBefore && !kept.empty()) {
                if (dropping) continue;
                if (!kept.back().text.empty() && kept.back().text.back() == '/') {
                    kept.back().text.pop_back();
                    dropping = changed = true;
                    continue;
                }
            }
            dropping = false;
            kept.push_back(std::move(t));
        }
        p = std::move(kept);
    }
    return paragraphs;
}

// Keeps the lines that fit the height; the last one kept ends in an ellipsis.
void CutToHeight(Laid& laid, double height, double size, const TextMeasure& m) {
    size_t keep = 0;
    while (keep < laid.lines.size() && laid.lines[keep].top + m.lineHeight(size) <= height + kSlack) ++keep;
    keep = std::max<size_t>(keep, 1);  // one line at least: a text never vanishes
    if (keep >= laid.lines.size()) return;
    laid.lines.resize(keep);
    FittedLine& last = laid.lines.back();
    std::string text = last.text + kEllipsis;
    if (m.width(text, size) > last.room + kSlack) text = WithEllipsis(last.text, last.room, size, m);
    last.text = std::move(text);
    laid.height = last.top + m.lineHeight(size);
}

}  // namespace

double WidestWord(std::string_view text, double points, const TextMeasure& measure) {
    double widest = 0;
    for (const Paragraph& p : Tokens(text))
        for (const Token& t : p) widest = std::max(widest, measure.width(t.text, points));
    return widest;
}

MeasuredText MeasureText(std::string_view text, double points, const TextMeasure& measure) {
    MeasuredText out;
    out.space = measure.width(" ", points);
    out.lineHeight = measure.lineHeight(points);
    for (const Paragraph& p : Tokens(text)) {
        auto& words = out.paragraphs.emplace_back();
        for (const Token& t : p) words.push_back({measure.width(t.text, points), t.spaceBefore});
    }
    return out;
}

int LineCount(const MeasuredText& text, double width) {
    int lines = 0;
    for (const auto& words : text.paragraphs) {
        ++lines;
        double used = 0;
        for (const MeasuredText::Word& w : words) {
            const double more = used > 0 ? w.width + (w.spaceBefore ? text.space : 0) : w.width;
            if (used > 0 && used + more > width + kSlack) {
                ++lines;
                used = w.width;
            } else {
                used += more;
            }
        }
    }
    return lines;
}

std::string ShortenWideWords(std::string_view text, double room, double points, const TextMeasure& measure) {
    const auto wide = [&](const std::string& s) { return measure.width(s, points) > room + kSlack; };
    std::string out;
    bool firstParagraph = true;
    for (const Paragraph& p : Tokens(text)) {
        if (!firstParagraph) out += '\n';
        firstParagraph = false;
        // A word is a token with the pieces glued to it after its "/".
        for (size_t i = 0; i < p.size();) {
            size_t end = i + 1;
            while (end < p.size() && !p[end].spaceBefore) ++end;
            std::string word;
            bool tooWide = false;
            for (size_t k = i; k < end; ++k) {
                word += p[k].text;
                tooWide = tooWide || wide(p[k].text);
            }
            if (tooWide) {
                word = p[i].text;
                if (end > i + 1) word.pop_back();  // the first of the joined names, without its "/"
                if (wide(word)) word = WithEllipsis(word, room, points, measure);
            }
            out += (i > 0 ? " " : "") + word;
            i = end;
        }
    }
    return out;
}

std::string WithEllipsis(std::string_view text, double room, double points, const TextMeasure& measure) {
    // Character boundaries where a cut may fall.
    std::vector<size_t> cuts;
    for (size_t i = 0; i < text.size();) {
        const Utf8Char c = DecodeUtf8(text, i);
        const size_t length = c.length == 0 ? 1 : c.length;
        if (i > 0 && !(c.length > 0 && IsCombining(c.codePoint))) cuts.push_back(i);
        i += length;
    }
    // The widest start that still fits, found by halving.
    size_t lo = 0, hi = cuts.size();
    while (lo < hi) {
        const size_t mid = (lo + hi + 1) / 2;
        if (measure.width(std::string(text.substr(0, cuts[mid - 1])) + kEllipsis, points) <= room + kSlack) lo = mid;
        else hi = mid - 1;
    }
    if (lo == 0) return kEllipsis;
    std::string out(text.substr(0, cuts[lo - 1]));
    while (!out.empty() && out.back() == ' ') out.pop_back();
    return out + kEllipsis;
}

FittedText FitText(std::string_view text, const FitRequest& request, const TextMeasure& measure) {
    FitRequest r = request;
    if (!(r.size > 0 && r.size < 1000)) r.size = 10;  // no size to step from: a plain one
    if (!(r.floor > 0)) r.floor = r.size;
    r.cornerWidth = std::clamp(r.cornerWidth, 0.0, std::max(0.0, r.width));
    const double floor = std::min(r.size, r.floor);
    const std::vector<Paragraph> paragraphs = Tokens(text);

    // Blank lines only space a text out in a larger box: they go before the size does.
    std::vector<Paragraph> lines = paragraphs;
    std::erase_if(lines, [](const Paragraph& p) { return p.empty(); });
    if (lines.empty()) lines.emplace_back();
    const bool spaced = lines.size() < paragraphs.size();

    // Wrapped, at each size from the text's own down to the floor.
    for (double size = r.size;; size = std::max(floor, size - kFitStep)) {
        Layout layout(r, measure, size);
        const std::vector<Paragraph>* texts[] = {&paragraphs, &lines};
        for (size_t i = 0; i < (spaced ? 2u : 1u); ++i) {
            Laid laid = layout.Run(*texts[i], false);
            if (!laid.overflow && FitsHeight(laid, r.height)) return Result(std::move(laid), size, false);
        }
        if (size <= floor) break;
    }
    // At the floor a table row grows to a text that only needs more height.
    Layout atFloor(r, measure, floor);
    if (r.grow) {
        Laid laid = atFloor.Run(lines, false);
        if (!laid.overflow) return Result(std::move(laid), floor, false);
    }
    // Shortened: joined portions keep their first name, then ellipses.
    bool changed = false;
    const std::vector<Paragraph> firstNames = WithFirstNames(lines, changed);
    if (changed) {
        Laid laid = atFloor.Run(firstNames, false);
        if (!laid.overflow && (r.grow || FitsHeight(laid, r.height))) return Result(std::move(laid), floor, true);
    }
    Laid laid = atFloor.Run(firstNames, true);
    if (!r.grow && !FitsHeight(laid, r.height)) CutToHeight(laid, r.height, floor, measure);
    return Result(std::move(laid), floor, true);
}

}  // namespace varnel
