#pragma once
// The HTTP requests of one CalDAV export, one at a time, each bounded: an
// answer larger than the cap is cut off, a request that takes longer than
// its time-out is aborted, and after the export's deadline nothing more is
// sent. The password goes only to the calendar's own scheme, host and port.
// The caller hears of each request's end through its callback; no request
// waits in an event loop of its own.
#include <QByteArray>
#include <QNetworkAccessManager>
#include <QObject>
#include <QTimer>
#include <QUrl>
#include <functional>
#include <map>
#include <string>

class QNetworkReply;

namespace varnel {

struct CalDavLimits {
    int requestMs = 15000;
    int deadlineMs = 120000;
    qint64 maxAnswerBytes = 16 * 1024 * 1024;
    // VARNEL_CALDAV_TIMEOUT_MS and VARNEL_CALDAV_DEADLINE_MS change the times.
    static CalDavLimits FromEnvironment();
};

struct CalDavReply {
    int status = 0;  // 0: no HTTP answer
    QByteArray body;
    QByteArray etag;
    std::string error;  // set when the request failed, in words
};

class CalDavTransport : public QObject {
    Q_OBJECT
public:
    CalDavTransport(const QUrl& collection, const QString& user, const QString& password, CalDavLimits limits);
    ~CalDavTransport() override;

    using Headers = std::map<QByteArray, QByteArray>;
    void Send(const QByteArray& verb, const QUrl& url, const QByteArray& body, const Headers& headers,
              std::function<void(const CalDavReply&)> done);
    // Ends the request under way, if any, with this reason.
    void Abort(const std::string& why);
    bool DeadlinePassed() const { return deadlinePassed_; }
    const CalDavLimits& Limits() const { return limits_; }

private:
    void Read();
    void Finish();

    QUrl collection_;
    QByteArray authorization_;
    CalDavLimits limits_;
    QNetworkAccessManager network_;
    QTimer requestTimer_;
    QTimer deadline_;
    bool deadlinePassed_ = false;
    QNetworkReply* reply_ = nullptr;
    QByteArray body_;
    std::string abortReason_;
    std::function<void(const CalDavReply&)> done_;
};

// "0.4 s", "15 s": a limit in words.
std::string Seconds(int ms);

}  // namespace varnel
