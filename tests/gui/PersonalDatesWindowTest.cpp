// The personal dates window used from the keyboard alone (add, edit, remove),
// its message for a save that fails, and the main window's reminder of the
// coming week's dates at start-up.
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QToolButton>
#include <QtTest/QTest>
#include <filesystem>

#include "../core/TempFolder.h"
#include "WindowFixture.h"
#include "core/common/Profile.h"
#include "core/personal/PersonalDates.h"
#include "gui/personal/PersonalDatesDialog.h"
#include "gui/personal/PersonalReminderBar.h"
#include "gui/views/YearPanel.h"

namespace varnel {
namespace {

using testing::TempFolder;

class PersonalDatesWindow : public ::testing::Test {
protected:
    void SetUp() override { EnsureApplication(); }
    template <typename W>
    W* Child(const char* name) const { return window_->findChild<W*>(QString::fromUtf8(name)); }
    // What the file holds for a key of the "Dates" section.
    std::string Saved(const std::string& key) const {
        return ProfileFile::Read(dir_.File("dates.dat"), kWholeProfileValues).Get(kPersonalDatesSection, key);
    }
    void Open() {
        window_ = std::make_unique<PersonalDatesDialog>(dir_.Path(), Date(2026, 2, 13));
        window_->show();
        QApplication::setActiveWindow(window_.get());
    }
    // Types into the widget that has the focus.
    static void Type(const QString& text) { QTest::keyClicks(QApplication::focusWidget(), text); }
    static void Key(Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
        QTest::keyClick(QApplication::focusWidget(), key, mods);
    }
    TempFolder dir_;
    std::unique_ptr<PersonalDatesDialog> window_;
};

TEST_F(PersonalDatesWindow, AddsEditsAndRemovesFromTheKeyboard) {
    Open();
    ASSERT_EQ(QApplication::focusWidget(), Child<QLineEdit>("txtName"));
    Type("Abraham");
    Key(Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), Child<QComboBox>("cboKind"));
    Key(Qt::Key_Down);
    Key(Qt::Key_Down);
    EXPECT_EQ(Child<QComboBox>("cboKind")->currentText(), "yahrzeit");
    Key(Qt::Key_Tab);
    Type("3 Adar II 5771");
    // The next days show as the date is typed; 5786 has one Adar.
    EXPECT_TRUE(Child<QLabel>("lblUpcoming")->text().startsWith("Friday, February 20, 2026: 3 Adar 5786, 15th yahrzeit\n"))
        << Child<QLabel>("lblUpcoming")->text().toStdString();
    Key(Qt::Key_Return);
    EXPECT_EQ(Saved("1name"), "Abraham");
    EXPECT_EQ(Saved("1kind"), "yahrzeit");
    EXPECT_EQ(Saved("1hebrew"), "3 Adar II 5771");
    EXPECT_EQ(QApplication::focusWidget(), Child<QLineEdit>("txtName"));  // ready for the next one

    Type("Dina");
    Key(Qt::Key_Tab);
    Key(Qt::Key_Up);  // the kind stays from the last one: yahrzeit -> anniversary
    Key(Qt::Key_Tab);
    Type("2014-03-04");
    Key(Qt::Key_Tab);
    Key(Qt::Key_Space);  // after sunset
    EXPECT_TRUE(Child<QLabel>("lblUpcoming")->text().contains("3 Adar 5786, 12th anniversary"));
    Key(Qt::Key_Tab);
    Key(Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), Child<QPushButton>("cmdAdd"));
    Key(Qt::Key_Space);
    ASSERT_EQ(window_->Table()->rowCount(), 2);
    EXPECT_EQ(Saved("2aftersunset"), "1");

    // Edit: into the table, choose Dina, change her kind and save with Return.
    Child<QTableWidget>("fgDates")->setFocus();
    Key(Qt::Key_Down);
    Key(Qt::Key_Down);
    EXPECT_EQ(Child<QLineEdit>("txtName")->text(), "Dina");
    Key(Qt::Key_Tab);
    Key(Qt::Key_Tab);
    Key(Qt::Key_Up);  // anniversary -> birthday
    Key(Qt::Key_Tab);
    Key(Qt::Key_Return);
    EXPECT_EQ(Saved("2kind"), "birthday");
    EXPECT_EQ(Saved("count"), "2");

    // Remove: Delete in the table asks first.
    Child<QTableWidget>("fgDates")->setFocus();
    Key(Qt::Key_Up);
    const auto asked = AnswerNextBox(QMessageBox::Yes);
    Key(Qt::Key_Delete);
    EXPECT_EQ(asked->title, "Remove Personal Date?");
    EXPECT_EQ(Saved("count"), "1");
    EXPECT_EQ(Saved("1name"), "Dina");
    EXPECT_EQ(Saved("2name"), "");
}

TEST_F(PersonalDatesWindow, AFailedSaveIsSaidAndTheEntryStays) {
    std::filesystem::create_directory(dir_.File("dates.dat"));  // not a file that can be written
    Open();
    Child<QLineEdit>("txtName")->setText("Sarah");
    Child<QLineEdit>("txtDate")->setText("1 Tishrei 5785");
    const auto said = AnswerNextBox(QMessageBox::Ok);
    EXPECT_FALSE(window_->AddEntry());
    EXPECT_EQ(said->title, "Personal Dates Not Saved");
    EXPECT_TRUE(said->text.contains("could not be saved to")) << said->text.toStdString();
    EXPECT_EQ(Child<QLineEdit>("txtName")->text(), "Sarah");
}

class PersonalReminderAtStart : public WindowFixture {};

TEST_F(PersonalReminderAtStart, NamesTheWeeksDatesAndIsDismissed) {
    TempFolder data;
    for (const char* name : {"holydays.dat", "parashot.dat"})
        std::filesystem::copy_file(std::string(VARNEL_SOURCE_DATA) + "/" + name, data.File(name));
    // A birthday nineteen Hebrew years back (the same kind of year) on a day of the coming week.
    Date day = Today() + 3;
    if (HebrewDateOf(day).day == 30) day += 1;
    const HebrewDate coming = HebrewDateOf(day);
    data.Write("dates.dat", "[Dates]\ncount=2\n1name=Tova\n1kind=birthday\n1hebrew=" +
                                HebrewDateText({coming.year - 19, coming.month, coming.day}) + "\n2name=Broken\n");
    SetProgramFolder(data.Path());
    MainWindow& window = Start();
    PersonalReminderBar* bar = window.ReminderBar();
    ASSERT_TRUE(bar->isVisible());
    const QString text = bar->Text()->text();
    EXPECT_TRUE(text.contains("Tova's Hebrew birthday (19th Hebrew birthday)")) << text.toStdString();
    EXPECT_TRUE(text.contains("dates.dat: entry 2 ('Broken') is skipped: it has no date")) << text.toStdString();
    bar->DismissButton()->click();
    EXPECT_FALSE(bar->isVisible());

    // The year view marks the day and names the date in the day's tip.
    window.ShowView(MainWindow::View::Year);
    window.Year()->ShowYear(day.Year());
    const YearCell at = YearCellOf(day.Year(), day.Month(), day.Day());
    GridWidget* grid = window.Year()->MonthGrid(at.month);
    EXPECT_EQ(window.Year()->Model().grids[static_cast<size_t>(at.month)].Cell(at.row, at.col).text,
              std::to_string(day.Day()) + kPersonalDayMark);
    HoverCell(grid, at.row, at.col);
    EXPECT_EQ(grid->toolTip(), "Tova's Hebrew birthday");
}

}  // namespace
}  // namespace varnel
