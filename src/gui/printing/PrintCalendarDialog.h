#pragma once
// "Print Calendar": the options of the printed month (theme, picture, size,
// copies), kept in the settings, and the buttons that print, preview or save
// the calendar page as HTML, RTF or PDF.
#include <QDialog>
#include <QPrinter>
#include <array>
#include <memory>

#include "gui/printing/CalendarExport.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace varnel {

// The dialog prints the displayed month: the inputs' month grid, title, days
// and Shabbat inputs; it sets the other inputs from its controls.
struct CalendarPageInputs;

class PrintCalendarDialog : public QDialog {
    Q_OBJECT
public:
    PrintCalendarDialog(QWidget* owner, const CalendarPageInputs& month);
    ~PrintCalendarDialog() override;

    // txtNumCopies as a number; 0 or a text that is no number prints one copy.
    int Copies() const;
    // The page as the controls stand.
    CalendarPageInputs PageInputs() const;
    Document ComposeForOutput() const;
    // Writes the page to a file; false with the reason shown.
    bool ExportTo(CalendarFileKind kind, const QString& path);
    void SetPicturePath(const QString& path);
    // A picture chosen: shown and its setting written at once.
    void PictureChosen(const QString& path);
    QString PicturePath() const { return calendarPicture_; }
    int Theme() const { return calendarTheme_; }

    void PrintPreview();
    void Print();
    void ExportFile(CalendarFileKind kind);

protected:
    void done(int result) override;

private:
    void ChoosePicture();
    void PrinterSetup();
    void ShowPrinter();

    std::unique_ptr<CalendarPageInputs> month_;
    int calendarTheme_ = 0;  // Winter
    QString calendarPicture_;
    QPrinter printer_;
    bool printerChosen_ = false;
    std::array<QRadioButton*, 3> themeRadios_{};
    std::array<QRadioButton*, 2> sizeRadios_{};
    QLabel* pictureFileLabel_;
    QLabel* pictureMissingLabel_;
    QCheckBox* printPictureCheck_;
    QCheckBox* includeDetailCheck_;
    QLineEdit* copiesEdit_;
    QLabel* printerLabel_;
};

// Opens the dialog modally, owned by the main window.
void ShowPrintCalDialog(QWidget* owner, const CalendarPageInputs& month);

// The picture setting's default: Images/templemount.jpg in the data folder.
QString DefaultCalendarPicture();

}  // namespace varnel
