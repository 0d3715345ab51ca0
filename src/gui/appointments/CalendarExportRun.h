#pragma once
// One export (a month's portions, a year's feasts), driven by signals: each step of the
// ExportJob runs when the one before has ended (a file answers at once, a
// server one request at a time), Progress tells the window or the command
// line, Cancel stops it before the next change, and Finished carries the end.
#include <QObject>
#include <QString>
#include <memory>
#include <vector>

#include "core/common/Date.h"
#include "core/appointments/ExportJob.h"
#include "gui/appointments/CalendarTarget.h"

namespace varnel {

class CalDavCalendar;

class CalendarExportRun : public QObject {
    Q_OBJECT
public:
    CalendarExportRun(const CalendarTarget& target, const QString& password, ExportScope scope,
                      std::vector<CalendarItem> items, QObject* parent = nullptr);
    ~CalendarExportRun() override;

    bool IsServer() const { return server_ != nullptr; }
    // Begins with the next turn of the event loop.
    void Start();
    const ExportReport& Report() const { return job_.Report(); }

public slots:
    void Cancel();

signals:
    void Progress(const QString& action, const QString& detail);
    void Finished();

private:
    void Next();

    ExportJob job_;
    std::unique_ptr<CalendarBackend> file_;
    std::unique_ptr<CalDavCalendar> server_;
    bool cancelled_ = false;
};

}  // namespace varnel
