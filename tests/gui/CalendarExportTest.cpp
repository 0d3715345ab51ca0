// The Qt side of the calendar export: the CalDAV back end's time-out against a
// server that never answers, the addresses it accepts and acts on, its reading
// of multistatus answers, the progress window's Cancel, and the choice of
// calendar with its settings.
#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QFile>
#include <QFileInfo>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest/QTest>

#include "GuiTestSupport.h"
#include "core/appointments/ExportToCalendar.h"
#include "core/calendar/YearCalendar.h"
#include "core/common/Date.h"
#include "core/common/Files.h"
#include "core/personal/PersonalDates.h"
#include "core/solar/Location.h"
#include "gui/appointments/CalDavAddress.h"
#include "gui/appointments/CalDavMultistatus.h"
#include "gui/appointments/CalendarExportRun.h"
#include "core/appointments/ShabbatLines.h"
#include "gui/appointments/CalendarTarget.h"
#include "gui/appointments/CalendarExports.h"
#include "gui/appointments/ActivityDialog.h"
#include "gui/appointments/CalendarTargetDialog.h"
#include "gui/common/PathEdit.h"
#include "gui/common/Settings.h"

namespace varnel {
namespace {

// Exports the month of February 2026 to a target and waits for the run's end.
ExportReport RunExport(const CalendarTarget& target, const std::function<void(CalendarExportRun&)>& watch = {}) {
    EnsureApplication();
    const Date feb = Date(2026, 2, 1);
    const ParashahTable parashot = BuildYear(2026, LoadCalendarData(VARNEL_SOURCE_DATA)).parashot;
    CalendarExportRun run(target, "p", PortionExportScope(feb), PortionItems(BuildMonthShabbatLines(feb, parashot), VARNEL_SOURCE_DATA));
    if (watch) watch(run);
    QSignalSpy finished(&run, &CalendarExportRun::Finished);
    run.Start();
    EXPECT_TRUE(finished.wait(20000));
    return run.Report();
}

TEST(CalDavCalendar, AServerThatNeverAnswersTimesOut) {
    EnsureApplication();
    QTcpServer silent;  // accepts the connection, then says nothing
    ASSERT_TRUE(silent.listen(QHostAddress::LocalHost));
    std::vector<QTcpSocket*> held;
    QObject::connect(&silent, &QTcpServer::newConnection, [&] { held.push_back(silent.nextPendingConnection()); });
    qputenv("VARNEL_CALDAV_TIMEOUT_MS", "200");
    const ExportReport report = RunExport({QStringLiteral("http://127.0.0.1:%1/cal/").arg(silent.serverPort()), "u"});
    qunsetenv("VARNEL_CALDAV_TIMEOUT_MS");
    EXPECT_EQ(report.openError, "the server did not answer within 0.2 s");
}

TEST(CalDavAddress, OnlyTheCalendarsOwnAddressesAreUsed) {
    std::string error;
    for (const char* good : {"http://127.0.0.1:5232/u/c/", "http://localhost/c/", "http://[::1]:80/c/", "https://cal.example.org/u/c/"})
        EXPECT_TRUE(IsAllowedCalDavUrl(QUrl(good), error)) << good;
    for (const char* bad : {"http://cal.example.org/u/c/", "ftp://cal.example.org/", "https://", "https://bob:pw@cal.example.org/c/"}) {
        EXPECT_FALSE(IsAllowedCalDavUrl(QUrl(bad), error)) << bad;
        EXPECT_EQ(error.find("pw"), std::string::npos);
    }
    const QUrl collection("https://cal.example.org/dav/ruth/cal/");
    const struct {
        const char* href;
        const char* outcome;  // the address used, or the reason for refusing
    } cases[] = {
        {"/dav/ruth/cal/a.ics", "https://cal.example.org/dav/ruth/cal/a.ics"},
        {"b%20c.ics", "https://cal.example.org/dav/ruth/cal/b%20c.ics"},
        {"https://CAL.example.org:443/dav/ruth/cal/d.ics", "https://cal.example.org:443/dav/ruth/cal/d.ics"},
        {"http://cal.example.org/dav/ruth/cal/a.ics", "it changes the scheme"},
        {"https://evil.example.org/dav/ruth/cal/a.ics", "it is on another server"},
        {"https://cal.example.org:8443/dav/ruth/cal/a.ics", "it is on another server"},
        {"//evil.example.org/x.ics", "it is on another server"},
        {"https://ruth:pw@cal.example.org/dav/ruth/cal/a.ics", "it is not a plain item address"},
        {"/etc/passwd", "it lies outside the calendar"},
        {"/dav/ruth/cal/../other/a.ics", "it lies outside the calendar"},
        {"/dav/ruth/cal/%2e%2e/other/a.ics", "it lies outside the calendar"},
        {"/dav/ruth/cal/..%2Fother.ics", "it lies outside the calendar"},
        {"/dav/ruth/calendar2/a.ics", "it lies outside the calendar"},
        {"/dav/ruth/cal/", "it lies outside the calendar"},
        {"a.ics?x=1", "it is not a plain item address"},
        {"", "it is not a valid address"},
    };
    for (const auto& c : cases) {
        QUrl url;
        std::string why;
        const bool used = ConfinedItemUrl(collection, QString::fromUtf8(c.href), url, why);
        EXPECT_EQ(used ? url.toString(QUrl::FullyEncoded).toStdString() : why, c.outcome) << c.href;
    }
    EXPECT_EQ(ShownAddress("https://bob:pw@host/cal/\x01"), "https://host/cal/%01");
}

TEST(CalDavMultistatus, AnAnswerCutShortOrOfAnotherKindGivesNothing) {
    const QByteArray whole =
        "<?xml version=\"1.0\"?><d:multistatus xmlns:d=\"DAV:\" xmlns:c=\"urn:ietf:params:xml:ns:caldav\">"
        "<d:response><d:href>/c/a.ics</d:href><d:propstat><d:prop><d:getetag>\"1\"</d:getetag>"
        "<c:calendar-data>BEGIN:VCALENDAR&#13;\nEND:VCALENDAR</c:calendar-data></d:prop></d:propstat></d:response>"
        "<d:response><d:href>/c/</d:href><d:propstat><d:prop><d:resourcetype><c:calendar/></d:resourcetype>"
        "</d:prop></d:propstat></d:response></d:multistatus>";
    std::vector<DavResponse> out;
    std::string error;
    ASSERT_TRUE(ParseMultistatus(whole, out, error));
    ASSERT_EQ(out.size(), 2u);
    EXPECT_EQ(out[0].href, "/c/a.ics");
    EXPECT_EQ(out[0].etag, "\"1\"");
    EXPECT_EQ(out[0].calendarData, "BEGIN:VCALENDAR\r\nEND:VCALENDAR");
    EXPECT_TRUE(out[1].isCalendar);
    for (const QByteArray& bad : {whole.left(whole.size() - 20), QByteArray("<html>no</html>"), QByteArray(),
                                  QByteArray(whole).replace("xmlns:d=\"DAV:\"", "xmlns:d=\"other\"")}) {
        EXPECT_FALSE(ParseMultistatus(bad, out, error)) << bad.toStdString();
        EXPECT_TRUE(out.empty());
    }
}

TEST(ActivityDialog, CancelStopsTheExportBeforeTheNextItem) {
    QTemporaryDir folder;
    ActivityDialog* shown = nullptr;
    const ExportReport report = RunExport({folder.filePath("p.ics"), ""}, [&](CalendarExportRun& run) {
        shown = new ActivityDialog(nullptr);
        QObject::connect(&run, &CalendarExportRun::Progress, shown, &ActivityDialog::ShowProgress);
        QObject::connect(shown, &ActivityDialog::CancelRequested, &run, &CalendarExportRun::Cancel);
        QObject::connect(&run, &CalendarExportRun::Progress, shown, [&](const QString& action) {
            if (action == kActionExportingItem) shown->CancelButton()->click();  // the user presses Cancel now
        });
    });
    EXPECT_EQ(report.written.size(), 1u);
    EXPECT_TRUE(report.cancelled);
    EXPECT_FALSE(shown->CancelButton()->isEnabled());
    EXPECT_EQ(shown->DetailLabel()->text(), "February 7, 2026");
    delete shown;
}

TEST(CalendarTargetDialog, ChoosesAFileOrAServerAndRefusesBadUrls) {
    EnsureApplication();
    QTemporaryDir settings;
    UseSettingsFolder(settings.path());
    EXPECT_FALSE(HasCalendarTargetSetting());
    EXPECT_TRUE(ReadCalendarTarget().target.endsWith("Export/portions.ics"));

    CalendarTargetDialog dialog(CalendarTarget{"/tmp/mine.ics", ""}, "the Shabbat portions of May 2027", nullptr);
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

// The dialog says what it exports and shows the file's whole path: as wide as
// the path, and when the window is too narrow, elided in the middle, never at
// one end, with the full path as the tool tip; typing shows the text itself.
TEST(CalendarTargetDialog, NamesWhatItExportsAndShowsTheWholePath) {
    EnsureApplication();
    const QString path = "/home/someone/.local/share/Varnel/Export/portions.ics";
    CalendarTargetDialog dialog(CalendarTarget{path, ""}, "the Shabbat portions of December 2026", nullptr);
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    EXPECT_EQ(dialog.SubjectLabel()->text(), "Export the Shabbat portions of December 2026 to:");
    PathEdit* box = dialog.PathBox();
    EXPECT_EQ(box->toolTip(), path);
    EXPECT_EQ(box->ShownText(), path);
    box->resize(box->fontMetrics().horizontalAdvance(path) * 2 / 3, box->height());
    const QString shown = box->ShownText();
    EXPECT_LT(shown.size(), path.size());
    EXPECT_TRUE(shown.startsWith("/home/") && shown.endsWith("/portions.ics") && shown.contains(QChar(0x2026)))
        << shown.toStdString();
    box->setText("/tmp/x.ics");
    EXPECT_EQ(box->ShownText(), "/tmp/x.ics");
    EXPECT_EQ(box->toolTip(), "/tmp/x.ics");
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
    const auto exportMonth = [&] {
        QSignalSpy ended(ExportMonthToCalendar(nullptr, Date(2026, 2, 1), parashot), &CalendarExport::Ended);
        EXPECT_TRUE(ended.wait(20000));
    };
    exportMonth();
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
    exportMonth();
    EXPECT_TRUE(shown.contains(notes + ": the file is not an iCalendar file")) << shown.toStdString();
    EXPECT_TRUE(shown.contains("Nothing was written"));
    EXPECT_EQ(QFileInfo(notes).size(), 9);
}

// The File menu's holy days of a year: the dialog always asks, its "times"
// check box adds the timed items with their zone, its "personal dates" check
// box the personal dates with their reminders.
TEST(ExportFeastsToCalendar, TheCheckBoxesAddTheTimesAndThePersonalDates) {
    EnsureApplication();
    QTemporaryDir settings;
    UseSettingsFolder(settings.path());
    const QString path = settings.filePath("feasts.ics");
    QTimer answer;
    QObject::connect(&answer, &QTimer::timeout, [&] {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (auto* dialog = qobject_cast<CalendarTargetDialog*>(w); dialog && dialog->isVisible()) {
                EXPECT_TRUE(dialog->SubjectLabel()->text().contains("the holy days of 2026"));
                dialog->findChild<QCheckBox*>("chkTimes")->setChecked(true);
                dialog->findChild<QCheckBox*>("chkPersonal")->setChecked(true);
                dialog->PathBox()->setText(path);
                dialog->accept();
            } else if (auto* box = qobject_cast<QMessageBox*>(w); box && box->isVisible()) {
                box->close();
            }
        }
    });
    answer.start(0);
    CalendarData data = LoadCalendarData(VARNEL_SOURCE_DATA);
    data.personal = ReadPersonalDates({{"Grandpa", "yahrzeit", "", "", "3 Adar II 5771", ""}});
    QSignalSpy ended(ExportFeastsToCalendar(nullptr, 2026, data, ChoiceOfCity("Jerusalem, Israel"), 40), &CalendarExport::Ended);
    ASSERT_TRUE(ended.wait(20000));
    EXPECT_TRUE(ended.at(0).at(0).toString().contains("The export is complete."));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray text = file.readAll();
    EXPECT_EQ(text.count("TZID:Asia/Jerusalem\r\n"), 1);
    EXPECT_GT(text.count("DTSTART;TZID=Asia/Jerusalem:2026"), 100);
    EXPECT_TRUE(text.contains("SUMMARY:Yom Kippur\r\n"));
    EXPECT_EQ(text.count("BEGIN:VALARM"), 1);
    EXPECT_TRUE(text.contains("SUMMARY:Yahrzeit: Grandpa\r\nDTSTART;VALUE=DATE:20260220\r\n"));
}

}  // namespace
}  // namespace varnel
