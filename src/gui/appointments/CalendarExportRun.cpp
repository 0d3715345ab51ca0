#include "gui/appointments/CalendarExportRun.h"

#include <QTimer>
#include <QUrl>

#include "core/appointments/IcsFileCalendar.h"
#include "gui/appointments/CalDavCalendar.h"

namespace varnel {

CalendarExportRun::CalendarExportRun(const CalendarTarget& target, const QString& password, ExportScope scope,
                                     std::vector<CalendarItem> items, QObject* parent)
    : QObject(parent), job_("", scope, {}) {
    std::string name;
    if (target.IsServer()) {
        server_ = std::make_unique<CalDavCalendar>(QUrl(target.target), target.user, password);
        name = server_->Name();
        // Queued: a step that ends at once does not start the next inside itself.
        connect(server_.get(), &CalDavCalendar::StepDone, this, &CalendarExportRun::Next, Qt::QueuedConnection);
    } else {
        file_ = std::make_unique<IcsFileCalendar>(target.target.toStdString(), scope.kind);
        name = file_->Name();
    }
    job_ = ExportJob(name, std::move(scope), std::move(items));
}

CalendarExportRun::~CalendarExportRun() = default;

void CalendarExportRun::Start() { QTimer::singleShot(0, this, &CalendarExportRun::Next); }

void CalendarExportRun::Cancel() { cancelled_ = true; }

void CalendarExportRun::Next() {
    using Step = ExportJob::Step;
    if (server_ && server_->DeadlinePassed())
        job_.Stop("stopped at its time limit of " + Seconds(server_->Limits().deadlineMs));
    else if (cancelled_)
        job_.Stop("cancelled");
    if (job_.Current() == Step::Done) {
        emit Finished();
        return;
    }
    if (const std::string action = job_.Action(); !action.empty())
        emit Progress(QString::fromStdString(action), QString::fromStdString(job_.Detail()));
    if (server_) {
        server_->Perform(job_);
        return;
    }
    PerformStep(*file_, job_);
    QTimer::singleShot(0, this, &CalendarExportRun::Next);
}

}  // namespace varnel
