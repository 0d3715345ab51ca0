#pragma once
// A CalDAV calendar collection (RFC 4791) as the export's calendar, one
// request per step of the export: PROPFIND to check the collection, a
// calendar-query REPORT with a time-range filter for the month's items, PUT
// with If-Match on the known ETag to replace the export's earlier item or
// with If-None-Match: * for a new one, DELETE with If-Match. Only addresses
// inside the collection are acted on. Basic authentication; HTTPS, or plain
// HTTP to this machine only.
#include <QObject>
#include <QString>
#include <QUrl>
#include <map>
#include <string>

#include "core/appointments/ExportJob.h"
#include "gui/appointments/CalDavTransport.h"

namespace varnel {

class CalDavCalendar : public QObject {
    Q_OBJECT
public:
    CalDavCalendar(const QUrl& collection, const QString& user, const QString& password,
                   CalDavLimits limits = CalDavLimits::FromEnvironment());

    std::string Name() const;
    // Starts the job's current step; StepDone follows once the job has its outcome.
    void Perform(ExportJob& job);
    void Abort(const std::string& why) { transport_.Abort(why); }
    bool DeadlinePassed() const { return transport_.DeadlinePassed(); }
    const CalDavLimits& Limits() const { return transport_.Limits(); }

signals:
    void StepDone();

private:
    void Open(ExportJob& job);
    void Find(ExportJob& job);
    void Write(ExportJob& job);
    void Delete(ExportJob& job);

    QUrl collection_;
    CalDavTransport transport_;
    std::map<std::string, QByteArray> etags_;  // item address -> ETag from the query
};

}  // namespace varnel
