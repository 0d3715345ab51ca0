#include "gui/appointments/CalendarTarget.h"

#include <QEventLoop>
#include <QUrl>
#include <qt6keychain/keychain.h>

#include "core/appointments/CalendarAddress.h"
#include "core/appointments/IcsFileCalendar.h"
#include "core/common/Files.h"
#include "gui/appointments/CalDavCalendar.h"
#include "gui/common/Settings.h"

namespace varnel {

namespace {
const QString kService = QStringLiteral("Varnel CalDAV");

QString SecretKey(const CalendarTarget& target) { return target.user + QLatin1Char('@') + target.target; }

// Runs a keychain job to its end in a local event loop.
void RunJob(QKeychain::Job& job) {
    QEventLoop loop;
    QObject::connect(&job, &QKeychain::Job::finished, &loop, &QEventLoop::quit);
    job.setAutoDelete(false);
    job.start();
    loop.exec(QEventLoop::ExcludeUserInputEvents);
}
}  // namespace

bool CalendarTarget::IsServer() const {
    return ClassifyCalendarAddress(target.toStdString()).kind == AddressKind::Server;
}

bool HasCalendarTargetSetting() { return !ReadSetting(setting::kCalendarTarget, QString()).isEmpty(); }

CalendarTarget ReadCalendarTarget() {
    CalendarTarget t;
    t.target = ReadSetting(setting::kCalendarTarget, QString::fromStdString(DefaultIcsPath(ProgramFolder())));
    t.user = ReadSetting(setting::kCalendarUser, QString());
    return t;
}

void WriteCalendarTarget(const CalendarTarget& target) {
    WriteSetting(setting::kCalendarTarget, target.target);
    WriteSetting(setting::kCalendarUser, target.user);
}

std::unique_ptr<CalendarBackend> MakeCalendarBackend(const CalendarTarget& target, const QString& password,
                                                     int timeoutMs) {
    if (target.IsServer()) return std::make_unique<CalDavCalendar>(QUrl(target.target), target.user, password, timeoutMs);
    return std::make_unique<IcsFileCalendar>(target.target.toStdString());
}

bool ReadStoredPassword(const CalendarTarget& target, QString& password) {
    QKeychain::ReadPasswordJob job(kService);
    job.setKey(SecretKey(target));
    RunJob(job);
    if (job.error() != QKeychain::NoError) return false;
    password = job.textData();
    return true;
}

bool StorePassword(const CalendarTarget& target, const QString& password) {
    QKeychain::WritePasswordJob job(kService);
    job.setKey(SecretKey(target));
    job.setTextData(password);
    RunJob(job);
    return job.error() == QKeychain::NoError;
}

void ForgetPassword(const CalendarTarget& target) {
    QKeychain::DeletePasswordJob job(kService);
    job.setKey(SecretKey(target));
    RunJob(job);
}

}  // namespace varnel
