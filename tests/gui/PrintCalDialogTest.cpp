// The print dialog: its defaults and settings, the copies count, the picture
// path kept as chosen, exports that say when they failed; and the main
// window's "Print current view" and year export.

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>

#include "core/printing/CalendarDocument.h"
#include "core/printing/PrintedMonth.h"
#include "core/views/CalendarSource.h"
#include "core/views/ViewState.h"
#include "gui/common/Settings.h"
#include "gui/printing/CalendarExport.h"
#include "gui/printing/PrintCalendarDialog.h"
#include "WindowFixture.h"

namespace varnel {
namespace {

// Closes the next message box that opens and remembers its name and text.
struct MessageCatcher {
    QString name;
    QString text;
    void Arm() {
        QTimer::singleShot(0, [this] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                name = box->objectName();
                text = box->text();
                box->accept();
            }
        });
    }
};

class PrintCalDialog : public ::testing::Test {
protected:
    void SetUp() override {
        EnsureApplication();
        ASSERT_TRUE(settings_.isValid() && files_.isValid());
        UseSettingsFolder(settings_.path());
        SetProgramFolder(VARNEL_SOURCE_DATA);
        ViewState state;
        state.ShowMonthOf(Date(2026, 4, 1));
        month_ = PrintedMonth(source_, state);
    }
    QTemporaryDir settings_;
    QTemporaryDir files_;
    CalendarSource source_{LoadCalendarData(VARNEL_SOURCE_DATA)};
    CalendarPageInputs month_;
};

TEST_F(PrintCalDialog, FirstOpeningShowsTheDefaultsAndClosingWritesThem) {
    {
        PrintCalendarDialog dialog(nullptr, month_);
        EXPECT_TRUE(dialog.findChild<QRadioButton*>("optTheme0")->isChecked());
        EXPECT_TRUE(dialog.findChild<QCheckBox*>("chkPrintGraphic")->isChecked());
        EXPECT_TRUE(dialog.findChild<QCheckBox*>("chkIncludeDetail")->isChecked());
        EXPECT_TRUE(dialog.PicturePath().endsWith("/Images/templemount.jpg"));
        EXPECT_TRUE(dialog.findChild<QLabel*>("lblPictureMissing")->text().isEmpty());  // the shipped picture reads
        EXPECT_TRUE(dialog.findChild<QLabel*>("lblPrinter")->text().startsWith("Print to: "));

        dialog.findChild<QRadioButton*>("optTheme2")->setChecked(true);
        dialog.findChild<QCheckBox*>("chkPrintGraphic")->setChecked(false);
        EXPECT_EQ(dialog.Theme(), 2);
        EXPECT_EQ(ReadIntSetting(setting::kCalendarTheme, -1), -1);  // not before closing
        dialog.reject();
    }
    EXPECT_EQ(ReadIntSetting(setting::kCalendarTheme, -1), 2);
    EXPECT_EQ(ReadIntSetting(setting::kPrintGraphic, -1), 0);
    EXPECT_EQ(ReadIntSetting(setting::kIncludeDetail, -1), 1);
    PrintCalendarDialog again(nullptr, month_);
    EXPECT_TRUE(again.findChild<QRadioButton*>("optTheme2")->isChecked());
    EXPECT_FALSE(again.findChild<QCheckBox*>("chkPrintGraphic")->isChecked());
}

// (That the pocket page never prints the picture is the calendar page's test.)
TEST_F(PrintCalDialog, ChosenPictureCopiesAndSize) {
    PrintCalendarDialog dialog(nullptr, month_);
    // A chosen picture keeps its case and is written at once.
    const QString chosen = files_.filePath("Pictures/Mixed Case.JPG");
    dialog.PictureChosen(chosen);
    EXPECT_EQ(ReadSetting(setting::kCalendarPicture, {}), chosen);
    EXPECT_EQ(dialog.PicturePath(), chosen);
    EXPECT_FALSE(dialog.findChild<QLabel*>("lblPictureMissing")->text().isEmpty());  // it does not exist
    // Copies that are no number print one.
    auto* copies = dialog.findChild<QLineEdit*>("txtNumCopies");
    EXPECT_EQ(copies->text(), "1");
    for (const char* text : {"0", "abc", "-4", ""}) {
        copies->setText(text);
        EXPECT_EQ(dialog.Copies(), 1) << text;
    }
    copies->setText("3");
    EXPECT_EQ(dialog.Copies(), 3);
    dialog.findChild<QRadioButton*>("optSize1")->setChecked(true);  // pocket: a third of an A5 page
    EXPECT_EQ(dialog.ComposeForOutput().Page().paper, PaperSize::A5);
}

TEST_F(PrintCalDialog, ExportSaysWhetherTheFileWasWritten) {
    PrintCalendarDialog dialog(nullptr, month_);
    MessageCatcher message;
    const QString good = files_.filePath("April.htm");
    message.Arm();
    EXPECT_TRUE(dialog.ExportTo(CalendarFileKind::Html, good));
    EXPECT_EQ(message.name, "msgComplete");
    EXPECT_TRUE(message.text.endsWith(" was created in HTML format. This file can be opened in a Web Browser."));
    EXPECT_TRUE(QFile::exists(files_.filePath("April-picture.jpg")));

    // An existing file is replaced whole, or kept as it was when writing fails.
    const QString bad = files_.filePath("missing folder/April.rtf");
    message.Arm();
    EXPECT_FALSE(dialog.ExportTo(CalendarFileKind::Rtf, bad));
    EXPECT_EQ(message.name, "msgExportFailed");
    EXPECT_TRUE(message.text.contains(bad)) << message.text.toStdString();
    EXPECT_FALSE(QFile::exists(bad));
    EXPECT_EQ(QDir(files_.path()).entryList(QDir::Files).size(), 2);  // no temporary file left
}

// Pictures embedded in the exports: JPEG and PNG as they are with the size
// they were drawn at, another format as a PNG, and anything else refused.
TEST(LoadPictureWithQt, KeepsJpegAndPngConvertsOthersRefusesTheRest) {
    EnsureApplication();
    QTemporaryDir dir;
    struct Case {
        const char* name;
        const char* format;
        QSize size;
        PictureFile::Kind kind;
        bool asIs;
    };
    const Case cases[] = {{"wide.png", "PNG", {640, 3}, PictureFile::Kind::Png, true},
                          {"tall.jpg", "JPEG", {17, 1201}, PictureFile::Kind::Jpeg, true},
                          {"jpeg-named.png", "JPEG", {33, 20}, PictureFile::Kind::Jpeg, true},
                          {"small.bmp", "BMP", {5, 7}, PictureFile::Kind::Png, false}};
    for (const Case& c : cases) {
        QImage image(c.size, QImage::Format_RGB32);
        image.fill(Qt::darkCyan);
        const QString path = dir.filePath(c.name);
        ASSERT_TRUE(image.save(path, c.format));
        PictureFile file;
        ASSERT_TRUE(LoadPictureWithQt(path.toStdString(), file)) << c.name;
        EXPECT_EQ(file.kind, c.kind) << c.name;
        EXPECT_EQ(QSize(file.width, file.height), c.size) << c.name;
        std::string bytes;
        ASSERT_TRUE(ReadWholeFile(path.toStdString(), bytes));
        EXPECT_EQ(file.bytes == bytes, c.asIs) << c.name;
        EXPECT_EQ(QImage::fromData(QByteArray::fromStdString(file.bytes)).size(), c.size) << c.name;
    }
    QFile text(dir.filePath("notes.jpg"));
    ASSERT_TRUE(text.open(QIODevice::WriteOnly) && text.write("\xFF\xD8 not a picture") > 0);
    text.close();
    PictureFile none;
    for (const QString& path : {text.fileName(), dir.path(), dir.filePath("missing.png"), QString()})
        EXPECT_FALSE(LoadPictureWithQt(path.toStdString(), none)) << path.toStdString();
}

class PrintFromMainWindow : public WindowFixture {
protected:
    void SetUp() override {
        WindowFixture::SetUp();
        ASSERT_TRUE(data_.isValid());
        for (const char* f : {"holydays.dat", "parashot.dat"})
            QFile::copy(QDir(VARNEL_SOURCE_DATA).filePath(f), data_.filePath(f));
        SetProgramFolder(data_.path().toStdString());  // the export is written beside the data
        Start();
    }
    QTemporaryDir data_;
};

// "Print current view" from the month view is the printing tests'.
TEST_F(PrintFromMainWindow, TheYearExportKeepsTheMonth) {
    ShowMonth(2026, 7);
    window_->ShowView(MainWindow::View::Month);

    MessageCatcher message;
    message.Arm();
    window_->findChild<QAction*>("mExportHtml")->trigger();
    EXPECT_EQ(message.name, "msgComplete");
    const QDir year(data_.filePath("Export/HTML/2026"));
    EXPECT_TRUE(year.exists("2026.htm"));
    EXPECT_TRUE(year.exists("December2026.htm"));
    EXPECT_EQ(year.entryList(QDir::Files).size(), 13);
    EXPECT_EQ(window_->State().currentDate, Date(2026, 7, 1));
    EXPECT_EQ(window_->Month()->Model().lastStartOfMonth, Date(2026, 7, 1));
}

}  // namespace
}  // namespace varnel
