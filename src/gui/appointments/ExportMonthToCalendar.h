#pragma once
// The toolbar's "Export to calendar": asks for the calendar on first use, when
// Shift is held, or after the calendar could not be used; then writes the
// shown month's Shabbat portions into it with the progress window and closes
// with what was written and what failed. Every step answers a signal: the
// dialogs are opened, not executed, and the secret store and the server
// answer through callbacks.
#include <QObject>
#include <QString>
#include <QWidget>
#include <vector>

#include "core/appointments/ExportReport.h"
#include "core/appointments/PortionAppointment.h"
#include "core/calendar/Parashot.h"
#include "core/common/Date.h"
#include "gui/appointments/CalendarTarget.h"

namespace varnel {

class MonthExport : public QObject {
    Q_OBJECT
public:
    MonthExport(QWidget* owner, Date firstOfMonth, std::vector<PortionAppointment> items);
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
    Date firstOfMonth_;
    std::vector<PortionAppointment> items_;
    CalendarTarget target_;
    QString password_;
};

// firstOfMonth: the shown month's first day; parashot: that year's portion
// table. Returns at once with the export under way.
MonthExport* ExportMonthToCalendar(QWidget* owner, Date firstOfMonth, const ParashahTable& parashot);

}  // namespace varnel
