#pragma once
// The window's exports into the user's calendar: the toolbar's "Export to
// calendar" (the shown month's Shabbat portions) and the File menu's holy days
// of the shown common year. Each asks for the calendar when it must (the
// portions on first use, when Shift is held, or after the calendar could not
// be used; the feasts every time, for their check boxes), then writes the
// items with the progress window and closes with what was written and what
// failed. Every step answers a signal: the dialogs are opened, not executed,
// and the secret store and the server answer through callbacks.
#include <QObject>
#include <QString>
#include <QWidget>
#include <functional>
#include <vector>

#include "core/appointments/CalendarItem.h"
#include "core/appointments/ExportJob.h"
#include "core/appointments/ExportReport.h"
#include "core/calendar/Parashot.h"
#include "core/calendar/YearCalendar.h"
#include "core/common/Date.h"
#include "core/solar/Location.h"
#include "gui/appointments/CalendarTarget.h"

namespace varnel {

// A check box of the calendar dialog that changes what is exported.
struct ExportOption {
    QString text;
    QString objectName;
    bool checked = false;
};

class CalendarExport : public QObject {
    Q_OBJECT
public:
    // The items, made when the export runs, from the options' states.
    using Items = std::function<std::vector<CalendarItem>(const std::vector<bool>& options)>;
    // subject: what goes to the calendar, as it follows "Export ".
    CalendarExport(QWidget* owner, QString subject, ExportScope scope, std::vector<ExportOption> options, Items items);
    void Begin(bool ask);

signals:
    // The closing message as shown (empty when the user gave up); the object
    // deletes itself after.
    void Ended(const QString& message);

private:
    void AskTarget(bool remembered);
    void NeedPassword();
    void AskPassword();
    void Run();
    void Close(const ExportReport& report);
    void End(const QString& message);

    QWidget* owner_;
    QString subject_;
    ExportScope scope_;
    std::vector<ExportOption> options_;
    Items items_;
    CalendarTarget target_;
    QString password_;
};

// firstOfMonth: the shown month's first day; parashot: that year's portion
// table. Returns at once with the export under way.
CalendarExport* ExportMonthToCalendar(QWidget* owner, Date firstOfMonth, const ParashahTable& parashot);

// The holy days of a common year, with the check boxes "times" (the feasts'
// times at the place, candles `candleMinutes` before sunset) and "personal
// dates". The data and the place are copied: the window may change its own.
CalendarExport* ExportFeastsToCalendar(QWidget* owner, int year, const CalendarData& data, const PlaceChoice& place,
                                       int candleMinutes);

}  // namespace varnel
