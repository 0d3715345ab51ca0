// The Qt side of the calendar export: the CalDAV back end's time-out against a
// server that never answers and its refusal of plain HTTP to other hosts, the
// progress window's Cancel, and the choice of calendar with its settings.
#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTimer>

#include "GuiTestSupport.h"
#include "core/appointments/ExportToCalendar.h"
#include "core/calendar/YearCalendar.h"
#include "core/common/DateSerial.h"
#include "core/common/Files.h"
#include "gui/appointments/CalDavCalendar.h"
#include "gui/appointments/CalendarTarget.h"
#include "gui/appointments/ExportMonthToCalendar.h"
#include "gui/appointments/ActivityDialog.h"
#include "gui/appointments/CalendarTargetDialog.h"
#include "gui/common/Settings.h"

namespace varnel {
namespace {

TEST(CalDavCalendar, AServerThatNeverAnswersTimesOut) {
    EnsureApplication();
    QTcpServer silent;  // accepts the connection, then says nothing
    ASSERT_TRUE(silent.listen(QHostAddress::LocalHost));
    std::vector<QTcpSocket*> held;
    QObject::connect(&silent, &QTcpServer::newConnection, [&] { held.push_back(silent.nextPendingConnection()); });
    CalDavCalendar calendar(QUrl(QStringLiteral("http://127.0.0.1:%1/cal/").arg(silent.serverPort())), "u", "p", 400);
    std::string error;
    EXPECT_FALSE(calendar.Open(error));
    EXPECT_NE(error.find("did not answer"), std::string::npos) << error;
}

TEST(CalDavCalendar, PlainHttpOnlyToThisComputer) {
    std::string error;
    EXPECT_TRUE(IsAllowedCalDavUrl(QUrl("http://127.0.0.1:5232/u/c/"), error));
    EXPECT_TRUE(IsAllowedCalDavUrl(QUrl("http://localhost/c/"), error));
    EXPECT_TRUE(IsAllowedCalDavUrl(QUrl("http://[::1]:80/c/"), error));
    EXPECT_TRUE(IsAllowedCalDavUrl(QUrl("https://cal.example.org/u/c/"), error));
    EXPECT_FALSE(IsAllowedCalDavUrl(QUrl("http://cal.example.org/u/c/"), error));
    EXPECT_NE(error.find("https"), std::string::npos);
    EXPECT_FALSE(IsAllowedCalDavUrl(QUrl("ftp://cal.example.org/"), error));
    EXPECT_FALSE(IsAllowedCalDavUrl(QUrl("https://"), error));
}

// A calendar in memory that counts what it is asked to do.
class CountingCalendar : public CalendarBackend {
public:
    std::string Name() const override { return "memory"; }
    bool Open(std::string&) override { return true; }
    bool FindItems(int32_t, int32_t, std::vector<CalendarEntry>&, std::string&) override { return true; }
    bool DeleteItem(const CalendarEntry&, std::string&) override { return true; }
    bool AddItem(const PortionAppointment&, std::string& error) override {
        ++added;
        if (added == 1) QTimer::singleShot(0, [this] { cancel->click(); });  // the user presses Cancel now
        error.clear();
        return true;
    }
    bool Finish(std::string&) override { return true; }
    int added = 0;
    QPushButton* cancel = nullptr;
};

TEST(ActivityDialog, CancelStopsTheExportBetweenTwoItems) {
    EnsureApplication();
    ActivityDialog activity(nullptr);
    activity.show();
    CountingCalendar calendar;
    calendar.cancel = activity.CancelButton();
    const std::vector<ShabbatLine> lines = {{46060, {{"A", "a", "b", "c"}}}, {46067, {{"B", "a", "b", "c"}}}, {46074, {{"C", "a", "b", "c"}}}};
    const ExportReport report = ExportToCalendar(calendar, 46054, lines, "/nonexistent", activity);
    EXPECT_EQ(calendar.added, 1);
    EXPECT_TRUE(report.cancelled);
    EXPECT_FALSE(activity.CancelButton()->isEnabled());
    EXPECT_EQ(activity.ActionLabel()->text().toStdString(), kActionExportingItem);
    EXPECT_FALSE(activity.DetailLabel()->text().isEmpty());
}

TEST(CalendarTargetDialog, ChoosesAFileOrAServerAndRefusesBadUrls) {
    EnsureApplication();
    QTemporaryDir settings;
    UseSettingsFolder(settings.path());
    EXPECT_FALSE(HasCalendarTargetSetting());
    EXPECT_TRUE(ReadCalendarTarget().target.endsWith("Export/portions.ics"));

    CalendarTargetDialog dialog(CalendarTarget{"/tmp/mine.ics", ""}, nullptr);
    EXPECT_TRUE(dialog.FileOption()->isChecked());
    EXPECT_FALSE(dialog.UrlBox()->isEnabled());
    dialog.ServerOption()->setChecked(true);
    EXPECT_TRUE(dialog.UrlBox()->isEnabled());
    dialog.UrlBox()->setText("http://cal.example.org/u/c/");
    dialog.UserBox()->setText("ruth");
    QTimer::singleShot(0, [] {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->inherits("QMessageBox")) w->close();
    });
    dialog.accept();  // plain HTTP to another host: a message, the dialog stays
    EXPECT_NE(dialog.result(), QDialog::Accepted);
    dialog.UrlBox()->setText("https://cal.example.org/u/c/");
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    WriteCalendarTarget(dialog.Target());
    EXPECT_TRUE(HasCalendarTargetSetting());
    const CalendarTarget stored = ReadCalendarTarget();
    EXPECT_EQ(stored.target, "https://cal.example.org/u/c/");
    EXPECT_EQ(stored.user, "ruth");
    EXPECT_TRUE(stored.IsServer());
}

// The toolbar's export with a file already chosen: no dialog, the file is
// written, and the closing message says how many portions were written.
TEST(ExportMonthToCalendar, WritesTheChosenFileAndSaysWhatItWrote) {
    EnsureApplication();
    QTemporaryDir settings;
    UseSettingsFolder(settings.path());
    SetProgramFolder(VARNEL_SOURCE_DATA);
    const QString path = settings.filePath("cal/portions.ics");
    WriteCalendarTarget(CalendarTarget{path, ""});
    const ParashahTable parashot = BuildYear(2026, LoadCalendarData(VARNEL_SOURCE_DATA)).parashot;
    QString shown;
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [&] {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* box = qobject_cast<QMessageBox*>(w); box && box->isVisible()) {
                shown = box->text();
                box->close();
            }
    });
    closer.start(0);
    ExportMonthToCalendar(nullptr, DateSerial(2026, 2, 1), parashot);
    EXPECT_TRUE(shown.contains("4 portions written")) << shown.toStdString();
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll().count("BEGIN:VEVENT"), 4);
    file.close();

    // A calendar that cannot be used: the message names it and the reason, the file stays as it was.
    const QString notes = settings.filePath("notes.ics");
    {
        QFile out(notes);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        out.write("my notes\n");
    }
    WriteCalendarTarget(CalendarTarget{notes, ""});
    ExportMonthToCalendar(nullptr, DateSerial(2026, 2, 1), parashot);
    EXPECT_TRUE(shown.contains(notes + ": the file is not an iCalendar file")) << shown.toStdString();
    EXPECT_TRUE(shown.contains("Nothing was written"));
    EXPECT_EQ(QFileInfo(notes).size(), 9);
}

}  // namespace
}  // namespace varnel
