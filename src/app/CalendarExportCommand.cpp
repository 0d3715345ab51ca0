#include "app/CalendarExportCommand.h"

#include <QCoreApplication>
#include <QString>
#include <QUrl>
#include <cstdlib>
#include <iostream>
#include <termios.h>
#include <unistd.h>

#include "core/appointments/CalendarAddress.h"
#include "core/common/Files.h"
#include "core/common/Json.h"
#include "gui/appointments/CalDavAddress.h"
#include "gui/appointments/CalendarExportRun.h"

namespace varnel::cli {

namespace {
std::string AskPassword(const std::string& prompt) {
    std::cerr << prompt << std::flush;
    termios saved{};
    const bool terminal = ::isatty(STDIN_FILENO) && ::tcgetattr(STDIN_FILENO, &saved) == 0;
    if (terminal) {
        termios quiet = saved;
        quiet.c_lflag &= ~static_cast<tcflag_t>(ECHO);
        ::tcsetattr(STDIN_FILENO, TCSAFLUSH, &quiet);
    }
    std::string password;
    std::getline(std::cin, password);
    if (terminal) ::tcsetattr(STDIN_FILENO, TCSAFLUSH, &saved);
    std::cerr << "\n";
    return password;
}

void PrintItems(JsonWriter& w, const char* key, const std::vector<ExportedItem>& items) {
    w.Key(key).BeginArray();
    for (const ExportedItem& i : items) {
        w.BeginObject().Key("date").Date(i.date).Key("subject").String(i.subject);
        if (std::string_view(key) == "written") w.Key("replaced").Bool(i.replaced);
        w.EndObject();
    }
    w.EndArray();
}

void PrintJson(const ExportReport& r) {
    JsonWriter w;
    w.BeginObject().Key("calendar").String(r.calendar).Key("complete").Bool(r.Complete());
    w.Key("error");
    if (r.openError.empty()) w.Null();
    else w.String(r.openError);
    PrintItems(w, "deleted", r.deleted);
    PrintItems(w, "written", r.written);
    PrintItems(w, "kept", r.kept);
    w.Key("failed").BeginArray();
    for (const FailedItem& f : r.failed)
        w.BeginObject().Key("date").Date(f.date).Key("subject").String(f.subject).Key("action").String(f.what)
            .Key("reason").String(f.reason).EndObject();
    w.EndArray().EndObject();
    std::cout << w.Text() << "\n";
}

void PrintText(const ExportReport& r) {
    for (const ExportedItem& i : r.deleted) std::cout << "deleted  " << IsoDate(i.date) << " " << i.subject << "\n";
    for (const ExportedItem& i : r.written)
        std::cout << (i.replaced ? "replaced " : "wrote    ") << IsoDate(i.date) << " " << i.subject << "\n";
}
}  // namespace

CalendarTarget CommandCalendarTarget(const Context& context) {
    const std::string to = OptionValue(context, "--to");
    const std::string user = OptionValue(context, "--user");
    if (to.empty()) throw UsageError("missing --to TARGET (an .ics file or an http(s):// URL)");
    const CalendarAddress address = ClassifyCalendarAddress(to);
    // Refused before anything is created, and never echoing a password.
    if (const std::string refusal = AddressRefusal(address); !refusal.empty())
        throw UsageError("cannot use --to: " + refusal);
    CalendarTarget target{QString::fromStdString(to), QString::fromStdString(user)};
    if (target.IsServer()) {
        std::string error;
        if (!IsAllowedCalDavUrl(QUrl(target.target), error))
            throw UsageError("cannot use " + Quoted(address.shown) + ": " + error);
        if (target.user.isEmpty()) throw UsageError("a CalDAV calendar needs --user NAME");
    }
    return target;
}

int RunCalendarExport(const Context& context, const CalendarTarget& target, ExportScope scope,
                      std::vector<CalendarItem> items) {
    QString password;
    if (target.IsServer()) {
        const char* fromEnvironment = std::getenv("VARNEL_CALDAV_PASSWORD");
        password = QString::fromStdString(fromEnvironment ? std::string(fromEnvironment)
                                                          : AskPassword("Password for " + target.user.toStdString() + ": "));
    }
    CalendarExportRun run(target, password, std::move(scope), std::move(items));
    if (run.IsServer())
        QObject::connect(&run, &CalendarExportRun::Progress, [](const QString& action, const QString& detail) {
            std::cerr << "varnel: " << action.toStdString() << (detail.isEmpty() ? "" : " ") << detail.toStdString() << "\n";
        });
    QObject::connect(&run, &CalendarExportRun::Finished, QCoreApplication::instance(), &QCoreApplication::quit,
                     Qt::QueuedConnection);
    run.Start();
    QCoreApplication::exec();
    const ExportReport& report = run.Report();
    if (context.json) PrintJson(report);
    else PrintText(report);
    if (!report.Complete()) std::cerr << "varnel: " << ExportSummary(report) << "\n";
    return report.Complete() ? 0 : 1;
}

}  // namespace varnel::cli
