#pragma once
// A laid-out document on its outputs: a PDF file, a picture of one page, a
// printer. Files are written through a temporary file renamed into place, so
// a failure leaves nothing behind.
#include <QImage>
#include <QPageLayout>
#include <QString>

#include "core/printing/Document.h"

class QPagedPaintDevice;
class QPrinter;

namespace varnel {

class DocumentLayout;

// The paper of a page set-up, portrait, no margins (the layout places everything).
QPageLayout PageLayoutOf(const PageSetup& setup);
// The paper Qt gives the user's locale: Letter where the locale measures in
// inches, A4 elsewhere.
PaperSize LocalePaper();

bool WritePdf(const DocumentLayout& layout, const QString& path, QString* error = nullptr);
// One page at a resolution (dots per inch), on white.
QImage RenderPage(const DocumentLayout& layout, int page, int dpi);
bool WritePng(const DocumentLayout& layout, const QString& path, int dpi, QString* error = nullptr);
// Paints every page on a printer that has been set up; false when it failed.
bool PaintOnPrinter(const DocumentLayout& layout, QPrinter& printer);

}  // namespace varnel
