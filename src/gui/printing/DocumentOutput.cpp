#include "gui/printing/DocumentOutput.h"

#include <QLocale>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QSaveFile>

#include "gui/printing/DocumentLayout.h"

namespace varnel {

namespace {

// Paints pages 0..count-1 on a paged device whose painter is scaled to twips.
bool PaintPages(const DocumentLayout& layout, QPagedPaintDevice& device, double dotsPerInch) {
    QPainter painter;
    if (!painter.begin(&device)) return false;
    const double scale = dotsPerInch / 1440.0;
    for (int i = 0; i < layout.PageCount(); ++i) {
        if (i > 0 && !device.newPage()) return false;
        painter.resetTransform();
        painter.scale(scale, scale);
        layout.PaintPage(painter, i);
    }
    return painter.end();
}

bool Fail(QString* error, const QString& text) {
    if (error) *error = text;
    return false;
}

}  // namespace

QPageLayout PageLayoutOf(const PageSetup& setup) {
    QPageSize size;
    switch (setup.paper) {
    case PaperSize::A4: size = QPageSize(QPageSize::A4); break;
    case PaperSize::A5: size = QPageSize(QPageSize::A5); break;
    case PaperSize::Letter: size = QPageSize(QPageSize::Letter); break;
    case PaperSize::Custom:
        size = QPageSize(QSizeF(setup.paperWidth / 1440.0, setup.paperHeight / 1440.0), QPageSize::Inch);
        break;
    }
    return QPageLayout(size, QPageLayout::Portrait, QMarginsF(0, 0, 0, 0));
}

PaperSize LocalePaper() {
    return QLocale::system().measurementSystem() == QLocale::ImperialUSSystem ? PaperSize::Letter : PaperSize::A4;
}

bool WritePdf(const DocumentLayout& layout, const QString& path, QString* error) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return Fail(error, file.errorString());
    {
        QPdfWriter pdf(&file);
        pdf.setResolution(1200);
        pdf.setCreator(QStringLiteral("Varnel"));
        pdf.setPageLayout(PageLayoutOf(layout.Setup()));
        if (!PaintPages(layout, pdf, pdf.resolution())) {
            file.cancelWriting();
            return Fail(error, QStringLiteral("the PDF could not be drawn"));
        }
    }
    if (!file.commit()) return Fail(error, file.errorString());
    return true;
}

QImage RenderPage(const DocumentLayout& layout, int page, int dpi) {
    const PageSetup& s = layout.Setup();
    const int width = std::max(1, static_cast<int>(s.paperWidth * dpi / 1440.0 + 0.5));
    const int height = std::max(1, static_cast<int>(s.paperHeight * dpi / 1440.0 + 0.5));
    QImage image(width, height, QImage::Format_RGB32);
    if (image.isNull()) return image;
    image.setDotsPerMeterX(static_cast<int>(dpi / 0.0254 + 0.5));
    image.setDotsPerMeterY(static_cast<int>(dpi / 0.0254 + 0.5));
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.scale(dpi / 1440.0, dpi / 1440.0);
    layout.PaintPage(painter, page);
    return image;
}

bool WritePng(const DocumentLayout& layout, const QString& path, int dpi, QString* error) {
    const QImage image = RenderPage(layout, 0, dpi);
    if (image.isNull()) return Fail(error, QStringLiteral("the page is too large at %1 dpi").arg(dpi));
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return Fail(error, file.errorString());
    if (!image.save(&file, "PNG")) {
        file.cancelWriting();
        return Fail(error, QStringLiteral("the picture could not be written"));
    }
    if (!file.commit()) return Fail(error, file.errorString());
    return true;
}

bool PaintOnPrinter(const DocumentLayout& layout, QPrinter& printer) {
    printer.setFullPage(true);
    printer.setPageLayout(PageLayoutOf(layout.Setup()));
    if (!PaintPages(layout, printer, printer.resolution())) return false;
    return printer.printerState() != QPrinter::Error && printer.printerState() != QPrinter::Aborted;
}

}  // namespace varnel
