#pragma once
// The print preview: the pages of one document as the layout draws them, with
// the zoom choices, page navigation, "Print", "Save as PDF" and "Close". The
// window owns its document and its layout; printing again prints the same
// pages without composing them again.
#include <QDialog>
#include <QPrinter>
#include <memory>

#include "core/printing/Document.h"
#include "gui/printing/DocumentLayout.h"

class QAction;
class QLabel;
class QPrintPreviewWidget;
class QPushButton;

namespace varnel {

class PrintPreviewDialog : public QDialog {
    Q_OBJECT
public:
    enum class Zoom { WholePage, PageWidth, TwoPages, Thumbnail };

    // Lays the document out at once (with the progress window when an owner is shown).
    PrintPreviewDialog(QWidget* owner, const Document& document, const QString& title);
    ~PrintPreviewDialog() override;

    const DocumentLayout& Layout() const { return *layout_; }
    int PageCount() const { return layout_->PageCount(); }
    int CurrentPage() const;
    QPrintPreviewWidget* Preview() const { return vp_; }
    QAction* ZoomAction(Zoom zoom) const { return zoomActions_[static_cast<int>(zoom)]; }
    Zoom CurrentZoom() const { return zoom_; }
    void SetZoom(Zoom zoom);
    void GoToPage(int page);

    // cmdPrint: the default printer; true when the pages went to it.
    bool PrintNow();
    // cmdSavePdf.
    bool SaveAsPdf();

private:
    void PaintPreview(QPrinter* printer);
    void UpdatePageLabel();

    QString title_;
    std::unique_ptr<DocumentLayout> layout_;
    QPrinter printer_;
    QPrintPreviewWidget* vp_ = nullptr;
    QLabel* pageLabel_ = nullptr;
    QAction* zoomActions_[4] = {};
    Zoom zoom_ = Zoom::WholePage;
};

// Shows a document in the preview window modally, owned by the owner; the
// window is released when it closes.
void ShowPrintPreview(QWidget* owner, const Document& document, const QString& title);

}  // namespace varnel
