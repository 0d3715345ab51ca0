#pragma once
// Sending a laid-out document to the system's default printer. Many Linux
// desktops have no printer: then, and whenever printing fails, the user is
// told so and offered to save the document as a PDF file instead. A failed
// print is never reported as done.
#include <QString>

#include "core/printing/Document.h"

class QWidget;

namespace varnel {

class DocumentLayout;

// The default printer's paper when it is Letter, A4 or A5; else the locale's.
PaperSize DefaultPaper();

// True only when the pages went to the printer.
bool PrintOnDefaultPrinter(QWidget* owner, const DocumentLayout& layout, const QString& title, int copies = 1);

// Asks for a file name and writes the PDF; false when cancelled or failed
// (a failure is shown).
bool SaveAsPdf(QWidget* owner, const DocumentLayout& layout, const QString& suggestedName);

}  // namespace varnel
