#pragma once
// A CalDAV calendar collection (RFC 4791) as the export's calendar: the
// month's items come from a calendar-query REPORT with a time-range filter,
// an item is deleted with If-Match on its ETag and written with a PUT that
// must not replace anything (If-None-Match: *). Basic authentication; HTTPS,
// or plain HTTP to this machine only. Each request waits in a local event
// loop, at most the time-out.
#include <QByteArray>
#include <QString>
#include <QUrl>
#include <map>
#include <memory>

#include "core/appointments/CalendarBackend.h"

class QNetworkAccessManager;
class QNetworkRequest;

namespace varnel {

class CalDavCalendar : public CalendarBackend {
public:
    CalDavCalendar(const QUrl& collection, const QString& user, const QString& password, int timeoutMs = 15000);
    ~CalDavCalendar() override;

    std::string Name() const override;
    bool Open(std::string& error) override;
    bool FindItems(int32_t first, int32_t last, std::vector<CalendarEntry>& items, std::string& error) override;
    bool DeleteItem(const CalendarEntry& item, std::string& error) override;
    bool AddItem(const PortionAppointment& item, std::string& error) override;
    bool Finish(std::string&) override { return true; }

    struct Reply {
        int status = 0;  // 0: no HTTP answer
        QByteArray body;
        QByteArray etag;
        std::string error;  // set when the request failed, in words
    };

private:
    Reply Send(const QByteArray& verb, const QUrl& url, const QByteArray& body,
               const std::map<QByteArray, QByteArray>& headers);

    QUrl collection_;
    QString user_;
    QString password_;
    int timeoutMs_;
    std::unique_ptr<QNetworkAccessManager> network_;
    std::map<std::string, QByteArray> etags_;  // item href -> ETag from the last query
};

// Whether a URL may be used: https anywhere, http only to this machine.
bool IsAllowedCalDavUrl(const QUrl& url, std::string& error);

}  // namespace varnel
