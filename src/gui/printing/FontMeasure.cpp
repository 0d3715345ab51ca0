#include "gui/printing/FontMeasure.h"

#include <QString>
#include <algorithm>

namespace varnel {

namespace {

// Sizes are kept in whole twips (a twentieth of a point), as the fonts are sized.
int Twips(double points) { return std::max(1, static_cast<int>(points * 20 + 0.5)); }

}  // namespace

QFont FontMeasure::ToQFont(const FontStyle& style) {
    QFont font(QString::fromStdString(style.name.empty() ? std::string("Arial") : style.name));
    font.setPixelSize(Twips(style.size));
    font.setBold(style.bold);
    font.setItalic(style.italic);
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

const QFontMetricsF& FontMeasure::Metrics(const FontStyle& style, double points) {
    auto& slot = metrics_[{style.name, style.bold, style.italic, Twips(points)}];
    if (!slot) {
        FontStyle sized = style;
        sized.size = points;
        slot = std::make_unique<QFontMetricsF>(ToQFont(sized));
    }
    return *slot;
}

TextMeasure FontMeasure::For(const FontStyle& style) {
    TextMeasure m;
    m.width = [this, style](std::string_view text, double points) {
        return Metrics(style, points)
            .horizontalAdvance(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
    };
    m.lineHeight = [this, style](double points) { return Metrics(style, points).lineSpacing(); };
    return m;
}

}  // namespace varnel
