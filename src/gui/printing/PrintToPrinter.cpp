#include "gui/printing/PrintToPrinter.h"

#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QPrinter>
#include <QPrinterInfo>
#include <QRegularExpression>
#include <QStandardPaths>

#include "gui/printing/DocumentLayout.h"
#include "gui/printing/DocumentOutput.h"

namespace varnel {

namespace {

const char* const kNoPrinter = "No printer is installed on this computer, so the document was not printed.";
const char* const kPrintFailed = "The document could not be printed on \"%1\".";

bool OfferPdf(QWidget* owner, const DocumentLayout& layout, const QString& reason, const QString& title) {
    QMessageBox box(QMessageBox::Warning, QStringLiteral("Print"),
                    reason + QStringLiteral("\n\nSave it as a PDF file instead?"),
                    QMessageBox::Save | QMessageBox::Cancel, owner);
    box.setObjectName(QStringLiteral("msgNoPrinter"));
    box.setDefaultButton(QMessageBox::Save);
    if (box.exec() != QMessageBox::Save) return false;
    SaveAsPdf(owner, layout, title);
    return false;
}

}  // namespace

PaperSize DefaultPaper() {
    const QPrinterInfo printer = QPrinterInfo::defaultPrinter();
    if (!printer.isNull()) {
        switch (printer.defaultPageSize().id()) {
        case QPageSize::A4: return PaperSize::A4;
        case QPageSize::A5: return PaperSize::A5;
        case QPageSize::Letter: return PaperSize::Letter;
        default: break;
        }
    }
    return LocalePaper();
}

bool PrintOnDefaultPrinter(QWidget* owner, const DocumentLayout& layout, const QString& title, int copies) {
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull()) return OfferPdf(owner, layout, QString::fromUtf8(kNoPrinter), title);
    QPrinter printer(info, QPrinter::HighResolution);
    printer.setDocName(title);
    printer.setCopyCount(std::max(1, copies));
    if (!PaintOnPrinter(layout, printer))
        return OfferPdf(owner, layout, QString::fromUtf8(kPrintFailed).arg(info.printerName()), title);
    return true;
}

bool SaveAsPdf(QWidget* owner, const DocumentLayout& layout, const QString& suggestedName) {
    QString name = suggestedName;
    name.replace(QRegularExpression(QStringLiteral("[/\\\\:*?\"<>|]")), QStringLiteral("-"));
    if (name.trimmed().isEmpty()) name = QStringLiteral("Varnel");
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    QString path = QFileDialog::getSaveFileName(owner, QStringLiteral("Save as PDF"),
                                                QDir(folder).filePath(name + QStringLiteral(".pdf")),
                                                QStringLiteral("PDF Files (*.pdf)"));
    if (path.isEmpty()) return false;
    if (!path.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive)) path += QStringLiteral(".pdf");
    QString error;
    if (WritePdf(layout, path, &error)) return true;
    QMessageBox::warning(owner, QStringLiteral("Save as PDF"),
                         QStringLiteral("%1 could not be written: %2").arg(QDir::toNativeSeparators(path), error));
    return false;
}

}  // namespace varnel
