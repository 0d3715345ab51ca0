#pragma once
// Where the month's portions go: an iCalendar file (the default) or a CalDAV
// calendar, kept in the settings "CalendarTarget" (path or URL) and
// "CalendarUser". The password lives only in the desktop's secret store.
#include <QString>
#include <memory>

#include "core/appointments/CalendarBackend.h"

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

// The back end of a target; a server needs the password.
std::unique_ptr<CalendarBackend> MakeCalendarBackend(const CalendarTarget& target, const QString& password,
                                                     int timeoutMs = 15000);

// The secret store through QtKeychain. Reading returns false when no password
// is kept or no store runs; storing reports whether it was kept.
bool ReadStoredPassword(const CalendarTarget& target, QString& password);
bool StorePassword(const CalendarTarget& target, const QString& password);
void ForgetPassword(const CalendarTarget& target);

}  // namespace varnel
