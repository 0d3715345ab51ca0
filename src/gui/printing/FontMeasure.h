#pragma once
// Measures texts in the fonts of a document model exactly as the layout
// draws them: fonts sized in twips as pixel sizes, unhinted, so a width
// measured here is the width on a screen, a printer and a PDF alike.
#include <QFont>
#include <QFontMetricsF>
#include <map>
#include <memory>
#include <string>
#include <tuple>

#include "core/printing/FontStyle.h"
#include "core/printing/TextFit.h"

namespace varnel {

class FontMeasure {
public:
    // A font of the model at its size in twips.
    static QFont ToQFont(const FontStyle& style);

    // Widths and line heights of texts in the style's face at any size.
    TextMeasure For(const FontStyle& style);
    double LineHeight(const FontStyle& style) { return Metrics(style, style.size).lineSpacing(); }

private:
    const QFontMetricsF& Metrics(const FontStyle& style, double points);

    std::map<std::tuple<std::string, bool, bool, int>, std::unique_ptr<QFontMetricsF>> metrics_;
};

}  // namespace varnel
