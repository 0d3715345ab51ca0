#include "gui/appointments/CalDavCalendar.h"

#include <QEventLoop>
#include <QHostAddress>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>
#include <QXmlStreamReader>

#include "core/appointments/ICalendarItems.h"
#include "core/appointments/ICalendarSupport.h"
#include "core/common/DateSerial.h"

namespace varnel {

namespace {
const QByteArray kXml = "application/xml; charset=utf-8";

QString UtcStamp(int32_t serial) {
    const YearMonthDay d = SplitDate(serial);
    return QString::asprintf("%04d%02d%02dT000000Z", d.year, d.month, d.day);
}

bool IsLoopback(const QString& host) {
    if (host.compare(QLatin1String("localhost"), Qt::CaseInsensitive) == 0) return true;
    const QHostAddress address(host);
    return !address.isNull() && address.isLoopback();
}

std::string StatusError(const CalDavCalendar::Reply& r) {
    if (r.status == 401 || r.status == 403) return "the server refused the user name or password (HTTP " + std::to_string(r.status) + ")";
    if (r.status == 404) return "there is no calendar at this address (HTTP 404)";
    if (r.status == 412) return "the item was changed on the server in the meantime (HTTP 412)";
    return "the server answered HTTP " + std::to_string(r.status);
}

// One <response> of a multistatus answer.
struct DavResponse {
    QString href;
    QByteArray etag;
    QString calendarData;
    bool isCalendar = false;
};

std::vector<DavResponse> ParseMultistatus(const QByteArray& xml) {
    std::vector<DavResponse> out;
    QXmlStreamReader reader(xml);
    DavResponse current;
    while (!reader.atEnd()) {
        reader.readNext();
        const QStringView name = reader.name();
        if (reader.isStartElement()) {
            if (name == QLatin1String("response")) current = DavResponse();
            else if (name == QLatin1String("href") && current.href.isEmpty()) current.href = reader.readElementText();
            else if (name == QLatin1String("getetag")) current.etag = reader.readElementText().toUtf8();
            else if (name == QLatin1String("calendar-data")) current.calendarData = reader.readElementText();
            else if (name == QLatin1String("calendar") &&
                     reader.namespaceUri() == QLatin1String("urn:ietf:params:xml:ns:caldav"))
                current.isCalendar = true;
        } else if (reader.isEndElement() && name == QLatin1String("response")) {
            out.push_back(current);
        }
    }
    return out;
}
}  // namespace

bool IsAllowedCalDavUrl(const QUrl& url, std::string& error) {
    if (!url.isValid() || url.host().isEmpty()) {
        error = "the address is not a valid URL";
        return false;
    }
    const QString scheme = url.scheme().toLower();
    if (scheme == QLatin1String("https")) return true;
    if (scheme == QLatin1String("http") && IsLoopback(url.host())) return true;
    error = scheme == QLatin1String("http") ? "plain http is allowed only to this computer; use https"
                                            : "the address must begin with https://";
    return false;
}

CalDavCalendar::CalDavCalendar(const QUrl& collection, const QString& user, const QString& password, int timeoutMs)
    : collection_(collection), user_(user), password_(password), timeoutMs_(timeoutMs),
      network_(std::make_unique<QNetworkAccessManager>()) {
    QString path = collection_.path();
    if (!path.endsWith('/')) collection_.setPath(path + '/');
    network_->setAutoDeleteReplies(false);
}

CalDavCalendar::~CalDavCalendar() = default;

std::string CalDavCalendar::Name() const { return collection_.toDisplayString(QUrl::RemoveUserInfo).toStdString(); }

CalDavCalendar::Reply CalDavCalendar::Send(const QByteArray& verb, const QUrl& url, const QByteArray& body,
                                           const std::map<QByteArray, QByteArray>& headers) {
    QNetworkRequest request(url);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::ManualRedirectPolicy);
    request.setRawHeader("Authorization", "Basic " + (user_ + ':' + password_).toUtf8().toBase64());
    for (const auto& [key, value] : headers) request.setRawHeader(key, value);
    QNetworkReply* reply = network_->sendCustomRequest(request, verb, body);
    QEventLoop loop;
    QTimer timer;
    timer.setSingleShot(true);
    bool timedOut = false;
    QObject::connect(&timer, &QTimer::timeout, &loop, [&] {
        timedOut = true;
        reply->abort();
    });
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    timer.start(timeoutMs_);
    if (!reply->isFinished()) loop.exec(QEventLoop::ExcludeUserInputEvents);
    Reply out;
    out.status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (reply->isOpen()) out.body = reply->readAll();
    out.etag = reply->rawHeader("ETag");
    if (timedOut) out.error = "the server did not answer within " + std::to_string(timeoutMs_ / 1000) + " s";
    else if (out.status == 0) out.error = "the server cannot be reached (" + reply->errorString().toStdString() + ")";
    reply->deleteLater();
    return out;
}

bool CalDavCalendar::Open(std::string& error) {
    if (!IsAllowedCalDavUrl(collection_, error)) return false;
    const QByteArray body =
        "<?xml version=\"1.0\" encoding=\"utf-8\"?>"
        "<d:propfind xmlns:d=\"DAV:\"><d:prop><d:resourcetype/></d:prop></d:propfind>";
    const Reply r = Send("PROPFIND", collection_, body, {{"Depth", "0"}, {"Content-Type", kXml}});
    if (!r.error.empty()) {
        error = r.error;
        return false;
    }
    if (r.status != 207) {
        error = StatusError(r);
        return false;
    }
    for (const DavResponse& response : ParseMultistatus(r.body))
        if (response.isCalendar) return true;
    error = "the address is not a CalDAV calendar collection";
    return false;
}

bool CalDavCalendar::FindItems(int32_t first, int32_t last, std::vector<CalendarEntry>& items, std::string& error) {
    items.clear();
    etags_.clear();
    // A day's margin on both sides: timed events of the month's edges in any
    // zone are returned, then kept by the date they start on.
    const QByteArray body = QStringLiteral(
        "<?xml version=\"1.0\" encoding=\"utf-8\"?>"
        "<c:calendar-query xmlns:d=\"DAV:\" xmlns:c=\"urn:ietf:params:xml:ns:caldav\">"
        "<d:prop><d:getetag/><c:calendar-data/></d:prop>"
        "<c:filter><c:comp-filter name=\"VCALENDAR\"><c:comp-filter name=\"VEVENT\">"
        "<c:time-range start=\"%1\" end=\"%2\"/>"
        "</c:comp-filter></c:comp-filter></c:filter></c:calendar-query>")
                                .arg(UtcStamp(first - 1), UtcStamp(last + 2))
                                .toUtf8();
    const Reply r = Send("REPORT", collection_, body, {{"Depth", "1"}, {"Content-Type", kXml}});
    if (!r.error.empty() || r.status != 207) {
        error = r.error.empty() ? StatusError(r) : r.error;
        return false;
    }
    for (const DavResponse& response : ParseMultistatus(r.body)) {
        std::vector<CalendarEntry> events;
        if (!ReadICalendarEvents(response.calendarData.toStdString(), events)) continue;
        const std::string href = collection_.resolved(QUrl(response.href)).toString().toStdString();
        for (const CalendarEntry& e : events) {
            // A recurring series with overrides is one object: its master decides.
            if (e.start < first || e.start > last) continue;
            items.push_back({href, e.subject, e.start, e.uid, e.owner});
            etags_[href] = response.etag;
            break;
        }
    }
    return true;
}

bool CalDavCalendar::DeleteItem(const CalendarEntry& item, std::string& error) {
    error.clear();
    std::map<QByteArray, QByteArray> headers;
    const auto etag = etags_.find(item.id);
    if (etag != etags_.end() && !etag->second.isEmpty()) headers["If-Match"] = etag->second;
    const Reply r = Send("DELETE", QUrl(QString::fromStdString(item.id)), {}, headers);
    if (!r.error.empty()) error = r.error;
    else if (r.status != 200 && r.status != 204) error = StatusError(r);
    return error.empty();
}

bool CalDavCalendar::AddItem(const PortionAppointment& item, std::string& error) {
    error.clear();
    const std::string name = item.uid.substr(0, item.uid.find('@')) + ".ics";
    const QUrl url = collection_.resolved(QUrl(QString::fromStdString(name)));
    const std::string object = ICalendarObjectText(item);
    if (object.empty()) {
        error = kDateTooLate;
        return false;
    }
    const Reply r = Send("PUT", url, QByteArray::fromStdString(object),
                         {{"If-None-Match", "*"}, {"Content-Type", "text/calendar; charset=utf-8"}});
    if (!r.error.empty()) error = r.error;
    else if (r.status == 412) error = "an item for this Shabbat is already on the server and is not marked as the export's";
    else if (r.status != 201 && r.status != 204) error = StatusError(r);
    return error.empty();
}

}  // namespace varnel
