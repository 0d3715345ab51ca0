#include "gui/appointments/CalendarTarget.h"

#include <QTimer>
#include <QUrl>
#include <qt6keychain/keychain.h>

#include "core/appointments/CalendarAddress.h"
#include "core/appointments/IcsFileCalendar.h"
#include "core/common/Files.h"
#include "gui/common/Settings.h"

namespace varnel {

namespace {
const QString kService = QStringLiteral("Varnel CalDAV");

QString SecretKey(const CalendarTarget& target) { return target.user + QLatin1Char('@') + target.target; }

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
    SettingsBatch batch;
    batch.Write(setting::kCalendarTarget, target.target);
    batch.Write(setting::kCalendarUser, target.user);
}

void ReadStoredPassword(const CalendarTarget& target, QObject* context,
                        std::function<void(bool found, const QString& password)> done) {
    auto* job = new QKeychain::ReadPasswordJob(kService);
    job->setKey(SecretKey(target));
    QObject::connect(job, &QKeychain::Job::finished, context, [job, done = std::move(done)] {
        done(job->error() == QKeychain::NoError, job->textData());
    });
    QTimer::singleShot(0, job, [job] { job->start(); });  // the answer never comes before the call returns
}

void StorePassword(const CalendarTarget& target, const QString& password, QObject* context,
                   std::function<void(bool stored)> done) {
    auto* job = new QKeychain::WritePasswordJob(kService);
    job->setKey(SecretKey(target));
    job->setTextData(password);
    QObject::connect(job, &QKeychain::Job::finished, context,
                     [job, done = std::move(done)] { done(job->error() == QKeychain::NoError); });
    QTimer::singleShot(0, job, [job] { job->start(); });  // the answer never comes before the call returns
}

void ForgetPassword(const CalendarTarget& target) {
    auto* job = new QKeychain::DeletePasswordJob(kService);
    job->setKey(SecretKey(target));
    QTimer::singleShot(0, job, [job] { job->start(); });  // the answer never comes before the call returns
}

}  // namespace varnel
