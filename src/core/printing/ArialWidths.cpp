#include "core/printing/ArialWidths.h"

#include <array>

#include "core/common/Utf8.h"

namespace varnel {

namespace {

// Thousandths of the size, for " " (32) to "~" (126).
constexpr std::array<short, 95> kRegular = {
    278, 278, 355, 556, 556, 889, 667, 191, 333, 333, 389, 584, 278, 333, 278, 278,   // space to /
    556, 556, 556, 556, 556, 556, 556, 556, 556, 556, 278, 278, 584, 584, 584, 556,   // 0 to ?
    1015, 667, 667, 722, 722, 667, 611, 778, 722, 278, 500, 667, 556, 833, 722, 778,  // @ to O
    667, 778, 722, 667, 611, 722, 667, 944, 667, 667, 611, 278, 278, 278, 469, 556,   // P to _
    333, 556, 556, 500, 556, 556, 278, 556, 556, 222, 222, 500, 222, 833, 556, 556,   // ` to o
    556, 556, 333, 500, 278, 556, 500, 722, 500, 500, 500, 334, 260, 334, 584};       // p to ~
constexpr std::array<short, 95> kBold = {
    278, 333, 474, 556, 556, 889, 722, 238, 333, 333, 389, 584, 278, 333, 278, 278,
    556, 556, 556, 556, 556, 556, 556, 556, 556, 556, 333, 333, 584, 584, 584, 611,
    975, 722, 722, 722, 722, 667, 611, 778, 722, 278, 556, 722, 611, 833, 722, 778,
    667, 778, 722, 667, 611, 722, 667, 944, 667, 667, 611, 333, 278, 333, 584, 556,
    333, 556, 611, 556, 611, 556, 333, 611, 611, 278, 278, 556, 278, 889, 611, 611,
    611, 611, 389, 556, 333, 611, 556, 778, 556, 556, 500, 389, 280, 389, 584};
constexpr int kOther = 611;      // a letter of another script, on the wide side
constexpr int kEllipsisWidth = 1000;

}  // namespace

TextMeasure ArialMeasure(bool bold) {
    const std::array<short, 95>* widths = bold ? &kBold : &kRegular;
    TextMeasure m;
    m.width = [widths](std::string_view text, double points) {
        long thousandths = 0;
        for (size_t i = 0; i < text.size();) {
            const auto c = static_cast<unsigned char>(text[i]);
            if (c >= 32 && c < 127) {
                thousandths += (*widths)[c - 32];
                ++i;
                continue;
            }
            const Utf8Char u = DecodeUtf8(text, i);
            i += u.length == 0 ? 1 : u.length;
            thousandths += u.codePoint == 0x2026 ? kEllipsisWidth : c < 32 ? 0 : kOther;
        }
        return thousandths * points * 20 / 1000.0;
    };
    m.lineHeight = [](double points) { return points * 20 * 1.15; };
    return m;
}

}  // namespace varnel
