#pragma once
// Lays a document model out on pages and paints them on any paint device.
// All measures are twips; a page is painted with the painter scaled so one
// unit is one twip from the paper's top-left corner. Fonts are sized in twips
// as pixel sizes, so the text measures the same on a screen, a printer and a
// PDF: lines break in the same places on every output. Every text is fitted
// to its cell, box or band by the rules of core/printing/TextFit and PageFit
// and drawn line by line, each line inside its box.
#include <QColor>
#include <QFont>
#include <QImage>
#include <QRectF>
#include <QString>
#include <functional>
#include <memory>
#include <vector>

#include "core/printing/Document.h"

class QPainter;

namespace varnel {

// Fired while the pages are laid out: once at the start, once as each page
// (1, 2, ...) begins, once at the end.
struct DocumentEvents {
    std::function<void()> started;
    std::function<void(int page)> newPage;
    std::function<void()> ended;
};

class DocumentLayout {
public:
    // One drawing step of a page: a fill, a cell frame, a text or a picture.
    struct Item {
        enum class Kind { Fill, Frame, Text, Image } kind = Kind::Fill;
        QRectF rect;
        QColor color;
        QString text;
        QFont font;
        int flags = 0;
        std::shared_ptr<const QImage> image;
    };
    struct Page {
        std::vector<Item> items;
    };

    explicit DocumentLayout(const Document& document, const DocumentEvents& events = {});

    int PageCount() const { return static_cast<int>(pages_.size()); }
    const PageSetup& Setup() const { return setup_; }
    const Page& PageAt(int index) const { return pages_[static_cast<size_t>(index)]; }
    // Paints page index (0-based) with the painter already scaled to twips.
    void PaintPage(QPainter& painter, int index) const;
    // The texts of a page in drawing order (for tests and the command line).
    QStringList PageTexts(int index) const;

    // A font of the model at its size in twips.
    static QFont ToQFont(const FontStyle& font);
    static QColor ToQColor(Color color, const QColor& fallback);

private:
    class Builder;
    PageSetup setup_;
    std::vector<Page> pages_;
};

}  // namespace varnel
