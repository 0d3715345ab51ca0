#pragma once
// Where the month's portions go: an iCalendar file (the default) or a CalDAV
// calendar, kept in the settings "CalendarTarget" (path or URL) and
// "CalendarUser". The password lives only in the desktop's secret store.
#include <QString>
#include <QObject>
#include <functional>

namespace varnel {

namespace setting {
inline constexpr const char* kCalendarTarget = "CalendarTarget";
inline constexpr const char* kCalendarUser = "CalendarUser";
}  // namespace setting

struct CalendarTarget {
    QString target;  // a file path or an http(s):// URL
    QString user;
    bool IsServer() const;
};

CalendarTarget ReadCalendarTarget();  // default: Export/portions.ics of the data folder
bool HasCalendarTargetSetting();
void WriteCalendarTarget(const CalendarTarget& target);

// The secret store through QtKeychain, by callbacks run from the event loop
// once the store has answered (never before the call returns); they are
// dropped when context is gone. Reading gives false when no password is
// kept or no store runs; storing says whether it was kept.
void ReadStoredPassword(const CalendarTarget& target, QObject* context,
                        std::function<void(bool found, const QString& password)> done);
void StorePassword(const CalendarTarget& target, const QString& password, QObject* context,
                   std::function<void(bool stored)> done);
void ForgetPassword(const CalendarTarget& target);

}  // namespace varnel
