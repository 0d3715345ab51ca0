#include <gtest/gtest.h>

#include <QCalendarWidget>
#include <QLabel>
#include <QMessageBox>
#include <QPointer>
#include <QRadioButton>
#include <QTimer>
#include <QtTest/QTest>
#include <functional>

#include "core/common/Date.h"
#include "core/views/ColorScheme.h"
#include "core/views/ViewState.h"
#include "gui/views/DataFileMessage.h"
#include "gui/views/ColorsDialog.h"
#include "gui/views/GoToDateDialog.h"
#include "gui/views/SplashWindow.h"
#include "GuiTestSupport.h"

namespace varnel {
namespace {

// What the timer does when its time is up, without waiting for it.
void Fire(QTimer* timer) {
    timer->stop();
    QMetaObject::invokeMethod(timer, "timeout");
}

QRadioButton* Option(QWidget& dialog, int i) {
    return dialog.findChild<QRadioButton*>(QStringLiteral("optScheme%1").arg(i));
}

class Dialogs : public ::testing::Test {
protected:
    void SetUp() override { EnsureApplication(); }
};

TEST_F(Dialogs, ColorsOpensOnTheCurrentSchemeAndGivesTheChosenOneOnOkOnly) {
    {
        ColorsDialog dialog(nullptr, 2);
        for (int i = 0; i < 4; ++i) ASSERT_NE(Option(dialog, i), nullptr);
        EXPECT_EQ(QStringList({Option(dialog, 0)->text(), Option(dialog, 1)->text(), Option(dialog, 2)->text(),
                               Option(dialog, 3)->text()}).join('|'), "&Default|&Blues|&Lavender|&Amber");
        EXPECT_TRUE(Option(dialog, 2)->isChecked());
        dialog.accept();
        EXPECT_EQ(dialog.Chosen(), 2);
    }
    // An accepted change is the window's test (scheme 3 chosen from scheme 0).
    ColorsDialog dialog(nullptr, 0);
    Option(dialog, 3)->setChecked(true);
    EXPECT_FALSE(Option(dialog, 0)->isChecked());  // the options exclude each other
    dialog.reject();
    EXPECT_EQ(dialog.Chosen(), std::nullopt);

    auto* holy = dialog.findChild<QLabel*>(QStringLiteral("lblHolyDays3"));
    auto* shabbat = dialog.findChild<QLabel*>(QStringLiteral("lblShabbat3"));
    ASSERT_TRUE(holy && shabbat);
    EXPECT_EQ(holy->palette().color(QPalette::Window), QColor(255, 255, 128));
    EXPECT_EQ(holy->palette().color(QPalette::WindowText), QColor(0, 0, 0));
    EXPECT_EQ(shabbat->palette().color(QPalette::Window), QColor(192, 64, 0));
    EXPECT_EQ(shabbat->palette().color(QPalette::WindowText), QColor(255, 255, 255));
}

// The keyboard alone: the dialog opens on the schemes, the arrows move the
// choice and Enter takes it; each scheme's first letter with Alt chooses it.
TEST_F(Dialogs, ColorsAreChosenWithTheArrowsOrAnAccessKeyAndEnter) {
    const auto choose = [](int current, const std::function<void(QWidget*)>& keys) {
        ColorsDialog dialog(nullptr, current);
        dialog.show();
        dialog.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&dialog));
        EXPECT_EQ(QApplication::focusWidget(), Option(dialog, current));
        keys(&dialog);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
        return dialog.Chosen();
    };
    EXPECT_EQ(choose(0, [](QWidget*) {
                  for (int i = 0; i < 3; ++i) QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
              }),
              3);
    EXPECT_EQ(choose(0, [](QWidget* dialog) { QTest::keyClick(dialog, Qt::Key_L, Qt::AltModifier); }), 2);
}

TEST_F(Dialogs, ColorsWithASchemeOutsideTheTableSelectsNothing) {
    ColorsDialog dialog(nullptr, 7);
    for (int i = 0; i < 4; ++i) EXPECT_FALSE(Option(dialog, i)->isChecked());
    dialog.accept();
    EXPECT_EQ(dialog.Chosen(), std::nullopt);
    // Such a scheme paints in black (the month model's and the window's tests); Lavender's colours:
    ViewState state;
    state.SelectColorScheme(2);
    EXPECT_EQ(std::pair(state.holyDayColor, state.shabbatColor), std::pair(RGB(255, 223, 255), RGB(170, 127, 255)));
}

TEST_F(Dialogs, GoToDateTakesTheFirstOfThePickedMonth) {
    {
        GoToDateDialog dialog(nullptr, Date(2025, 11, 1));
        auto* picker = dialog.findChild<QCalendarWidget*>(QStringLiteral("calDate"));
        ASSERT_NE(picker, nullptr);
        EXPECT_EQ(picker->selectedDate(), QDate(2025, 11, 1));
        picker->setSelectedDate(QDate(2026, 3, 17));
        dialog.reject();
        EXPECT_EQ(dialog.Picked(), std::nullopt);
    }
    // The first of the picked month (the window's tests answer it with 17 March 2026);
    // the ends of the program's range can be picked.
    GoToDateDialog last;
    last.findChild<QCalendarWidget*>(QStringLiteral("calDate"))->setSelectedDate(QDate(9999, 12, 31));
    last.accept();
    EXPECT_EQ(last.Picked(), Date(9999, 12, 1));
    GoToDateDialog first;
    first.findChild<QCalendarWidget*>(QStringLiteral("calDate"))->setSelectedDate(QDate(1, 1, 20));
    first.accept();
    EXPECT_EQ(first.Picked(), Date(1, 1, 1));
}

TEST_F(Dialogs, SplashShowsItsTextsAndAPictureAndClosesAfterTwoSeconds) {
    QPointer<SplashWindow> splash = ShowSplash(nullptr);
    ASSERT_TRUE(splash);
    EXPECT_TRUE(splash->isVisible());
    EXPECT_EQ(splash->Timer()->interval(), 2000);
    EXPECT_TRUE(splash->Timer()->isActive());
    EXPECT_EQ(splash->findChild<QLabel*>(QStringLiteral("lblProductName"))->text(), "Varnel");
    EXPECT_TRUE(splash->findChild<QLabel*>(QStringLiteral("lblCopyright"))->text().startsWith("Copyright"));
    const QImage picture = splash->findChild<QWidget*>(QStringLiteral("picSplash"))->grab().toImage();
    ASSERT_FALSE(picture.isNull());
    EXPECT_NE(picture.pixelColor(picture.width() / 2, 2), picture.pixelColor(picture.width() / 2, picture.height() - 2));

    EXPECT_EQ(ShowSplash(nullptr), splash.data());  // one splash at most
    Fire(splash->Timer());
    FlushDeletes();
    EXPECT_FALSE(splash);
    EXPECT_EQ(OpenSplash(), nullptr);
}

TEST_F(Dialogs, AboutWhileTheSplashIsOpenKeepsItFiveSecondsFromThen) {
    QPointer<SplashWindow> splash = ShowSplash(nullptr);
    EXPECT_EQ(ShowAbout(nullptr), splash.data());
    EXPECT_EQ(splash->Timer()->interval(), kSplashAboutMs);
    EXPECT_TRUE(splash->Timer()->isActive());
    EXPECT_TRUE(splash->isVisible());
    Fire(splash->Timer());
    FlushDeletes();
    EXPECT_FALSE(splash);

    // A new splash starts from its design state again.
    QPointer<SplashWindow> fresh = ShowSplash(nullptr);
    EXPECT_EQ(fresh->Timer()->interval(), kSplashStartMs);
    fresh->close();
    FlushDeletes();
}

TEST_F(Dialogs, DataFileProblemsAreShownOnceWithoutBlocking) {
    QWidget window;
    DataFileReport report;
    report.Add(DataFileProblem::Level::Notice, "parashot.dat", "parashot.dat was missing and has been restored.");
    ShowDataFileReport(&window, report);  // a repair alone needs no box
    EXPECT_EQ(window.findChild<QMessageBox*>("msgDataFiles"), nullptr);
    report.Add(DataFileProblem::Level::Error, "holydays.dat", "Neither holydays.dat nor holydays.bak can be used.");
    ShowDataFileReport(&window, report);  // returns at once: the start-up goes on behind it
    auto* box = window.findChild<QMessageBox*>("msgDataFiles");
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->icon(), QMessageBox::Critical);
    EXPECT_TRUE(box->informativeText().contains("restored"));
    EXPECT_TRUE(box->informativeText().contains("Neither holydays.dat"));
    box->close();
}

}  // namespace
}  // namespace varnel
