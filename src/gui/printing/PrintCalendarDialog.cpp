#include "gui/printing/PrintCalendarDialog.h"

#include <QCheckBox>
#include <QDir>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinterInfo>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <memory>

#include "core/calendar/HolyDays.h"
#include "core/common/Files.h"
#include "core/printing/CalendarDocument.h"
#include "core/solar/SunCalculator.h"
#include "gui/printing/CompileProgress.h"
#include "gui/printing/DocumentLayout.h"
#include "gui/printing/DocumentOutput.h"
#include "gui/printing/PrintToPrinter.h"
#include "gui/printing/PrintPreviewDialog.h"
#include "gui/common/Settings.h"

namespace varnel {
namespace {

QPushButton* Button(const char* name, const char* caption, const char* tip, QWidget* parent) {
    auto* b = new QPushButton(QString::fromUtf8(caption), parent);
    b->setObjectName(QString::fromUtf8(name));
    if (tip) b->setToolTip(QString::fromUtf8(tip));
    return b;
}

struct ExportText {
    const char* proposed;
    const char* filter;
    const char* title;
    const char* done;
};
ExportText TextOf(CalendarFileKind kind) {
    switch (kind) {
    case CalendarFileKind::Rtf:
        return {"export.rtf", "Rich Text Files (*.rtf)", "Save Rich Text File As...",
                " was created in Rich Text Format. This file can be opened in a word processor such as LibreOffice "
                "Writer."};
    case CalendarFileKind::Pdf:
        return {"export.pdf", "PDF Files (*.pdf)", "Save PDF File As...",
                " was created in PDF format. This file can be opened in a PDF viewer."};
    default:
        return {"export.htm", "HTML Files (*.htm)", "Save HTML File As...",
                " was created in HTML format. This file can be opened in a Web Browser."};
    }
}

}  // namespace

QString DefaultCalendarPicture() {
    return QDir(QString::fromStdString(ProgramFolder())).filePath(QStringLiteral("Images/templemount.jpg"));
}

PrintCalendarDialog::PrintCalendarDialog(QWidget* owner, const CalendarPageInputs& month)
    : QDialog(owner),
      month_(std::make_unique<CalendarPageInputs>(month)),
      pictureFileLabel_(new QLabel(this)),
      pictureMissingLabel_(new QLabel(this)),
      printPictureCheck_(new QCheckBox(QStringLiteral("Print with picture (available for standard format only)"), this)),
      includeDetailCheck_(new QCheckBox(QStringLiteral("Include holy day details"), this)),
      copiesEdit_(new QLineEdit(QStringLiteral("1"), this)),
      printerLabel_(new QLabel(this)) {
    setObjectName(QStringLiteral("frmPrintCal"));
    setWindowTitle(QStringLiteral("Print Calendar"));

    auto* themeFrame = new QGroupBox(QStringLiteral("Calendar theme"), this);
    auto* themeLayout = new QVBoxLayout(themeFrame);
    const char* themes[] = {"Winter (default)", "Summer", "No theme"};
    for (int i = 0; i < 3; ++i) {
        auto* option = new QRadioButton(QString::fromUtf8(themes[i]), themeFrame);
        option->setObjectName(QStringLiteral("optTheme%1").arg(i));
        connect(option, &QRadioButton::toggled, this, [this, i](bool on) {
            if (on) calendarTheme_ = i;  // stored at once, written when the dialog closes
        });
        themeLayout->addWidget(option);
        themeRadios_[static_cast<size_t>(i)] = option;
    }

    auto* sizeFrame = new QGroupBox(QStringLiteral("Size and format"), this);
    auto* sizeLayout = new QVBoxLayout(sizeFrame);
    const char* sizes[] = {"Page-sized (standard)", "Pocket-sized"};
    const char* sizeTips[] = {"Print line as full-page calendar", "Print line in a small pocket-sized calendar"};
    for (int i = 0; i < 2; ++i) {
        auto* option = new QRadioButton(QString::fromUtf8(sizes[i]), sizeFrame);
        option->setObjectName(QStringLiteral("optSize%1").arg(i));
        option->setToolTip(QString::fromUtf8(sizeTips[i]));
        sizeLayout->addWidget(option);
        sizeRadios_[static_cast<size_t>(i)] = option;
    }
    sizeRadios_[0]->setChecked(true);

    QPushButton* cmdSetPictureFile = Button("cmdSetPictureFile", "...", "Select a new picture file", this);
    pictureFileLabel_->setObjectName(QStringLiteral("lblGraphicFileName"));
    pictureFileLabel_->setToolTip(QStringLiteral("Picture file to use for calendar"));
    pictureFileLabel_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    pictureMissingLabel_->setObjectName(QStringLiteral("lblPictureMissing"));
    pictureMissingLabel_->setStyleSheet(QStringLiteral("color:#b00000"));
    printPictureCheck_->setObjectName(QStringLiteral("chkPrintGraphic"));
    printPictureCheck_->setToolTip(QStringLiteral("Print standard format calendar with picture at the top"));
    includeDetailCheck_->setObjectName(QStringLiteral("chkIncludeDetail"));
    copiesEdit_->setObjectName(QStringLiteral("txtNumCopies"));
    copiesEdit_->setMaximumWidth(60);
    printerLabel_->setObjectName(QStringLiteral("lblPrinter"));

    auto* picture = new QGridLayout;
    picture->addWidget(new QLabel(QStringLiteral("Picture:"), this), 0, 0);
    picture->addWidget(pictureFileLabel_, 0, 1);
    picture->addWidget(cmdSetPictureFile, 0, 2);
    picture->addWidget(pictureMissingLabel_, 1, 1, 1, 2);
    picture->setColumnStretch(1, 1);
    auto* copies = new QHBoxLayout;
    copies->addWidget(new QLabel(QStringLiteral("Number of copies:"), this));
    copies->addWidget(copiesEdit_);
    copies->addStretch();

    QPushButton* cmdPrinterSetup = Button("cmdPrinterSetup", "Printer Setup", "Printer setup", this);
    QPushButton* cmdPrintPreview = Button("cmdPrintPreview", "Print Preview", "Preview printout of line", this);
    QPushButton* cmdPrint = Button("cmdPrint", "Print", "Print now", this);
    QPushButton* cmdHTML = Button("cmdHTML", "Export to HTML", "Export line to HTML", this);
    QPushButton* cmdRTF = Button("cmdRTF", "Export to RTF", "Export line to RTF", this);
    QPushButton* cmdPDF = Button("cmdPDF", "Export to PDF", "Export line to PDF", this);
    QPushButton* cmdExit = Button("cmdExit", "Close", "Close window", this);
    auto* buttons = new QVBoxLayout;
    for (QPushButton* b : {cmdPrinterSetup, cmdPrintPreview, cmdPrint, cmdHTML, cmdRTF, cmdPDF}) buttons->addWidget(b);
    buttons->addStretch();
    buttons->addWidget(cmdExit);

    auto* options = new QVBoxLayout;
    auto* frames = new QHBoxLayout;
    frames->addWidget(themeFrame);
    frames->addWidget(sizeFrame);
    options->addLayout(frames);
    options->addLayout(picture);
    options->addWidget(printPictureCheck_);
    options->addWidget(includeDetailCheck_);
    options->addLayout(copies);
    options->addWidget(printerLabel_);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(options, 1);
    layout->addLayout(buttons);

    connect(cmdSetPictureFile, &QPushButton::clicked, this, &PrintCalendarDialog::ChoosePicture);
    connect(cmdPrinterSetup, &QPushButton::clicked, this, &PrintCalendarDialog::PrinterSetup);
    connect(cmdPrintPreview, &QPushButton::clicked, this, &PrintCalendarDialog::PrintPreview);
    connect(cmdPrint, &QPushButton::clicked, this, &PrintCalendarDialog::Print);
    connect(cmdHTML, &QPushButton::clicked, this, [this] { ExportFile(CalendarFileKind::Html); });
    connect(cmdRTF, &QPushButton::clicked, this, [this] { ExportFile(CalendarFileKind::Rtf); });
    connect(cmdPDF, &QPushButton::clicked, this, [this] { ExportFile(CalendarFileKind::Pdf); });
    connect(cmdExit, &QPushButton::clicked, this, &QDialog::reject);

    // The settings, read at every opening.
    ShowPrinter();
    SetPicturePath(ReadSetting(setting::kCalendarPicture, DefaultCalendarPicture()));
    includeDetailCheck_->setChecked(ReadIntSetting(setting::kIncludeDetail, 1) != 0);
    printPictureCheck_->setChecked(ReadIntSetting(setting::kPrintGraphic, 1) != 0);
    const int theme = ReadIntSetting(setting::kCalendarTheme, kThemeWinter);
    calendarTheme_ = theme;
    if (theme >= 0 && theme < 3) themeRadios_[static_cast<size_t>(theme)]->setChecked(true);
}

void PrintCalendarDialog::ShowPrinter() {
    QString name = printerChosen_ ? printer_.printerName() : QPrinterInfo::defaultPrinterName();
    if (name.isEmpty()) name = QStringLiteral("(no printer installed)");
    printerLabel_->setText(QStringLiteral("Print to: ") + name);
}

void PrintCalendarDialog::SetPicturePath(const QString& path) {
    calendarPicture_ = path;  // exactly as chosen: letter case names a different file here
    pictureFileLabel_->setText(QDir::toNativeSeparators(path));
    pictureMissingLabel_->setText(PictureReadable(path) ? QString()
                                                      : QStringLiteral("The picture cannot be read; its space stays empty."));
}

void PrintCalendarDialog::ChoosePicture() {
    const QString folder = QDir(QString::fromStdString(ProgramFolder())).filePath(QStringLiteral("Images"));
    const QString path = QFileDialog::getOpenFileName(this, QStringLiteral("Choose A Picture File"), folder,
                                                      QStringLiteral("Pictures (*.jpg *.jpeg *.gif *.bmp *.png)"));
    if (!path.isEmpty()) PictureChosen(path);
}

void PrintCalendarDialog::PictureChosen(const QString& path) {
    SetPicturePath(path);
    WriteSetting(setting::kCalendarPicture, path);
}

void PrintCalendarDialog::PrinterSetup() {
    QPrintDialog dialog(&printer_, this);
    dialog.setWindowTitle(QStringLiteral("Printer Setup"));
    if (dialog.exec() == QDialog::Accepted) printerChosen_ = true;
    ShowPrinter();
}

int PrintCalendarDialog::Copies() const {
    const int copies = LeadingNumber(copiesEdit_->text().toStdString());
    return copies < 1 ? 1 : (copies > 999 ? 999 : copies);
}

CalendarPageInputs PrintCalendarDialog::PageInputs() const {
    CalendarPageInputs in = *month_;
    in.theme = calendarTheme_ >= 0 && calendarTheme_ < 3 ? calendarTheme_ : kThemeWinter;
    in.size = sizeRadios_[1]->isChecked() ? CalendarSize::Pocket : CalendarSize::Page;
    in.printPicture = printPictureCheck_->isChecked();
    in.picturePath = calendarPicture_.toStdString();
    in.printedAt = NowDateTime();
    return in;
}

Document PrintCalendarDialog::ComposeForOutput() const {
    Document doc;
    doc.SetPaper(DefaultPaper());
    ComposeCalendarDocument(PageInputs(), doc);
    return doc;
}

void PrintCalendarDialog::PrintPreview() {
    ShowPrintPreview(parentWidget() ? parentWidget() : this, ComposeForOutput(), QString::fromStdString(month_->title));
}

void PrintCalendarDialog::Print() {
    const Document doc = ComposeForOutput();
    std::unique_ptr<DocumentLayout> layout;
    {
        CompileProgress progress(this);
        layout = std::make_unique<DocumentLayout>(doc, progress.Events());
    }
    const QString title = QString::fromStdString(month_->title);
    if (printerChosen_) {
        printer_.setDocName(title);
        printer_.setCopyCount(Copies());
        if (!PaintOnPrinter(*layout, printer_)) {
            QMessageBox::warning(this, QStringLiteral("Print"),
                                 QStringLiteral("The document could not be printed on \"%1\".").arg(printer_.printerName()));
            return;
        }
    } else if (!PrintOnDefaultPrinter(this, *layout, title, Copies())) {
        return;  // the message has been shown; the dialog stays open
    }
    accept();
}

bool PrintCalendarDialog::ExportTo(CalendarFileKind kind, const QString& path) {
    QString error;
    if (!ExportCalendarFile(ComposeForOutput(), kind, path, QString::fromStdString(month_->title), &error)) {
        QMessageBox box(QMessageBox::Warning, QStringLiteral("Export failed"),
                        QStringLiteral("The calendar was not saved.\n\n") + error, QMessageBox::Ok, this);
        box.setObjectName(QStringLiteral("msgExportFailed"));
        box.exec();
        return false;
    }
    QMessageBox box(QMessageBox::Information, QStringLiteral("Complete"),
                    QDir::toNativeSeparators(path) + QString::fromUtf8(TextOf(kind).done), QMessageBox::Ok, this);
    box.setObjectName(QStringLiteral("msgComplete"));
    box.exec();
    return true;
}

void PrintCalendarDialog::ExportFile(CalendarFileKind kind) {
    const ExportText text = TextOf(kind);
    const QString folder = QString::fromStdString(ProgramFolder());
    QString path = QFileDialog::getSaveFileName(this, QString::fromUtf8(text.title),
                                                QDir(folder).filePath(QString::fromUtf8(text.proposed)),
                                                QString::fromUtf8(text.filter));
    if (path.isEmpty()) return;
    if (!CalendarFileKindOf(path)) path += QString::fromUtf8(text.proposed).mid(6);  // the default extension
    ExportTo(kind, path);
}

void PrintCalendarDialog::done(int result) {
    {
        SettingsBatch batch;
        batch.WriteInt(setting::kIncludeDetail, includeDetailCheck_->isChecked() ? 1 : 0);
        batch.WriteInt(setting::kPrintGraphic, printPictureCheck_->isChecked() ? 1 : 0);
        batch.WriteInt(setting::kCalendarTheme, calendarTheme_);
    }
    QDialog::done(result);
}

PrintCalendarDialog::~PrintCalendarDialog() = default;

void ShowPrintCalDialog(QWidget* owner, const CalendarPageInputs& month) {
    PrintCalendarDialog dialog(owner, month);
    dialog.exec();
}

}  // namespace varnel
