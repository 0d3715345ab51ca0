#include "gui/printing/PrintPreviewDialog.h"

#include <QActionGroup>
#include <QLabel>
#include <QPrintPreviewWidget>
#include <QPushButton>
#include <QToolBar>
#include <QVBoxLayout>

#include "gui/printing/CompileProgress.h"
#include "gui/printing/DocumentOutput.h"
#include "gui/printing/PrintToPrinter.h"

namespace varnel {

PrintPreviewDialog::PrintPreviewDialog(QWidget* owner, const Document& document, const QString& title)
    : QDialog(owner), title_(title), printer_(QPrinter::HighResolution) {
    setObjectName(QStringLiteral("frmPrintPreview"));
    setWindowTitle(QStringLiteral("Print Preview"));
    {
        CompileProgress progress(owner && owner->isVisible() ? owner : nullptr);
        layout_ = std::make_unique<DocumentLayout>(document, owner && owner->isVisible() ? progress.Events()
                                                                                          : DocumentEvents{});
    }
    printer_.setFullPage(true);
    printer_.setPageLayout(PageLayoutOf(layout_->Setup()));

    auto* strip = new QToolBar(this);
    strip->setObjectName(QStringLiteral("ssFrame"));
    auto* cmdPrint = new QPushButton(QStringLiteral("Print"), this);
    cmdPrint->setObjectName(QStringLiteral("cmdPrint"));
    cmdPrint->setToolTip(QStringLiteral("Print now"));
    auto* cmdSavePdf = new QPushButton(QStringLiteral("Save as PDF"), this);
    cmdSavePdf->setObjectName(QStringLiteral("cmdSavePdf"));
    cmdSavePdf->setToolTip(QStringLiteral("Save the document as a PDF file"));
    auto* cmdExit = new QPushButton(QStringLiteral("Close"), this);
    cmdExit->setObjectName(QStringLiteral("cmdExit"));
    cmdExit->setToolTip(QStringLiteral("Close window"));
    strip->addWidget(cmdPrint);
    strip->addWidget(cmdSavePdf);
    strip->addWidget(cmdExit);
    strip->addSeparator();

    auto* zoomGroup = new QActionGroup(this);
    const char* zoomTexts[4] = {"Whole &Page", "Page &Width", "&Two Pages", "Thumb&nail"};
    for (int i = 0; i < 4; ++i) {
        QAction* action = strip->addAction(QString::fromUtf8(zoomTexts[i]));
        action->setCheckable(true);
        zoomGroup->addAction(action);
        zoomActions_[i] = action;
        connect(action, &QAction::triggered, this, [this, i] { SetZoom(static_cast<Zoom>(i)); });
    }
    strip->addSeparator();
    QAction* first = strip->addAction(QStringLiteral("|<"));
    first->setToolTip(QStringLiteral("First page"));
    QAction* previous = strip->addAction(QStringLiteral("<"));
    previous->setToolTip(QStringLiteral("Previous page"));
    pageLabel_ = new QLabel(this);
    pageLabel_->setObjectName(QStringLiteral("lblPage"));
    strip->addWidget(pageLabel_);
    QAction* next = strip->addAction(QStringLiteral(">"));
    next->setToolTip(QStringLiteral("Next page"));
    QAction* last = strip->addAction(QStringLiteral(">|"));
    last->setToolTip(QStringLiteral("Last page"));

    vp_ = new QPrintPreviewWidget(&printer_, this);
    vp_->setObjectName(QStringLiteral("vp"));
    connect(vp_, &QPrintPreviewWidget::paintRequested, this, &PrintPreviewDialog::PaintPreview);
    connect(vp_, &QPrintPreviewWidget::previewChanged, this, &PrintPreviewDialog::UpdatePageLabel);

    connect(cmdPrint, &QPushButton::clicked, this, &PrintPreviewDialog::PrintNow);
    connect(cmdSavePdf, &QPushButton::clicked, this, &PrintPreviewDialog::SaveAsPdf);
    connect(cmdExit, &QPushButton::clicked, this, &QDialog::close);
    connect(first, &QAction::triggered, this, [this] { GoToPage(1); });
    connect(previous, &QAction::triggered, this, [this] { GoToPage(CurrentPage() - 1); });
    connect(next, &QAction::triggered, this, [this] { GoToPage(CurrentPage() + 1); });
    connect(last, &QAction::triggered, this, [this] { GoToPage(PageCount()); });

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(strip);
    layout->addWidget(vp_, 1);

    // The window takes its place from the main window.
    if (owner) setGeometry(owner->geometry());
    else resize(900, 700);
    SetZoom(Zoom::WholePage);
    vp_->updatePreview();
}

PrintPreviewDialog::~PrintPreviewDialog() = default;

int PrintPreviewDialog::CurrentPage() const { return vp_->currentPage(); }

void PrintPreviewDialog::SetZoom(Zoom zoom) {
    zoom_ = zoom;
    zoomActions_[static_cast<int>(zoom)]->setChecked(true);
    switch (zoom) {
    case Zoom::WholePage:
        vp_->setViewMode(QPrintPreviewWidget::SinglePageView);
        vp_->fitInView();
        break;
    case Zoom::PageWidth:
        vp_->setViewMode(QPrintPreviewWidget::SinglePageView);
        vp_->fitToWidth();
        break;
    case Zoom::TwoPages:
        vp_->setViewMode(QPrintPreviewWidget::FacingPagesView);
        vp_->fitInView();
        break;
    case Zoom::Thumbnail:
        vp_->setViewMode(QPrintPreviewWidget::AllPagesView);
        break;
    }
}

void PrintPreviewDialog::GoToPage(int page) {
    vp_->setCurrentPage(std::clamp(page, 1, std::max(1, PageCount())));
    UpdatePageLabel();
}

void PrintPreviewDialog::UpdatePageLabel() {
    pageLabel_->setText(QStringLiteral(" Page %1 of %2 ").arg(CurrentPage()).arg(PageCount()));
}

void PrintPreviewDialog::PaintPreview(QPrinter* printer) { PaintOnPrinter(*layout_, *printer); }

bool PrintPreviewDialog::PrintNow() { return PrintOnDefaultPrinter(this, *layout_, title_); }

bool PrintPreviewDialog::SaveAsPdf() { return varnel::SaveAsPdf(this, *layout_, title_); }

void ShowPrintPreview(QWidget* owner, const Document& document, const QString& title) {
    auto* window = new PrintPreviewDialog(owner, document, title);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setWindowModality(Qt::ApplicationModal);
    window->exec();
}

}  // namespace varnel
