#include "gui/appointments/CalDavCalendar.h"

#include <QString>
#include <algorithm>

#include "core/appointments/ICalendarItems.h"
#include "core/appointments/ICalendarSupport.h"
#include "core/common/Date.h"
#include "gui/appointments/CalDavAddress.h"
#include "gui/appointments/CalDavMultistatus.h"

namespace varnel {

namespace {
const QByteArray kXml = "application/xml; charset=utf-8";

QString UtcStamp(Date serial) {
    const YearMonthDay d = serial.Parts();
    return QString::asprintf("%04d%02d%02dT000000Z", d.year, d.month, d.day);
}

std::string StatusError(int status) {
    if (status == 401 || status == 403) return "the server refused the user name or password (HTTP " + std::to_string(status) + ")";
    if (status == 404) return "there is no calendar at this address (HTTP 404)";
    if (status == 412) return "the item was changed on the server in the meantime (HTTP 412)";
    if (status >= 300 && status < 400) return "the server sent the request elsewhere (HTTP " + std::to_string(status) + "); give the calendar's own address";
    return "the server answered HTTP " + std::to_string(status);
}

// The reply's failure in words; empty when its status is one of `good`.
std::string Failure(const CalDavReply& r, std::initializer_list<int> good) {
    if (!r.error.empty()) return r.error;
    for (const int g : good)
        if (r.status == g) return {};
    return StatusError(r.status);
}
}  // namespace

CalDavCalendar::CalDavCalendar(const QUrl& collection, const QString& user, const QString& password, CalDavLimits limits)
    : collection_(collection), transport_(collection, user, password, limits) {
    if (!collection_.path().endsWith(QLatin1Char('/'))) collection_.setPath(collection_.path() + QLatin1Char('/'));
}

std::string CalDavCalendar::Name() const { return ShownAddress(collection_.toString()); }

void CalDavCalendar::Perform(ExportJob& job) {
    switch (job.Current()) {
    case ExportJob::Step::Open: Open(job); return;
    case ExportJob::Step::Find: Find(job); return;
    case ExportJob::Step::Write: Write(job); return;
    case ExportJob::Step::Delete: Delete(job); return;
    case ExportJob::Step::Finish: job.Done({}); break;  // every change is already on the server
    case ExportJob::Step::Done: break;
    }
    emit StepDone();
}

void CalDavCalendar::Open(ExportJob& job) {
    std::string error;
    if (!IsAllowedCalDavUrl(collection_, error)) {
        job.Opened(error);
        emit StepDone();
        return;
    }
    const QByteArray body =
        "<?xml version=\"1.0\" encoding=\"utf-8\"?>"
        "<d:propfind xmlns:d=\"DAV:\"><d:prop><d:resourcetype/></d:prop></d:propfind>";
    transport_.Send("PROPFIND", collection_, body, {{"Depth", "0"}, {"Content-Type", kXml}}, [this, &job](const CalDavReply& r) {
        std::string error = Failure(r, {207});
        std::vector<DavResponse> responses;
        if (error.empty() && ParseMultistatus(r.body, responses, error)) {
            const bool calendar = std::any_of(responses.begin(), responses.end(), [](const DavResponse& d) { return d.isCalendar; });
            if (!calendar) error = "the address is not a CalDAV calendar collection";
        }
        job.Opened(error);
        emit StepDone();
    });
}

void CalDavCalendar::Find(ExportJob& job) {
    // A day's margin on both sides: timed events of the range's edges in any
    // zone are returned, then kept by the date they start on.
    const QByteArray body = QStringLiteral(
        "<?xml version=\"1.0\" encoding=\"utf-8\"?>"
        "<c:calendar-query xmlns:d=\"DAV:\" xmlns:c=\"urn:ietf:params:xml:ns:caldav\">"
        "<d:prop><d:getetag/><c:calendar-data/></d:prop>"
        "<c:filter><c:comp-filter name=\"VCALENDAR\"><c:comp-filter name=\"VEVENT\">"
        "<c:time-range start=\"%1\" end=\"%2\"/>"
        "</c:comp-filter></c:comp-filter></c:filter></c:calendar-query>")
                                .arg(UtcStamp(job.First() - 1), UtcStamp(job.Last() + 2))
                                .toUtf8();
    transport_.Send("REPORT", collection_, body, {{"Depth", "1"}, {"Content-Type", kXml}}, [this, &job](const CalDavReply& r) {
        std::string error = Failure(r, {207});
        std::vector<DavResponse> responses;
        std::vector<CalendarEntry> items;
        etags_.clear();
        if (error.empty() && ParseMultistatus(r.body, responses, error)) {
            for (const DavResponse& response : responses) {
                std::vector<CalendarEntry> events;
                if (response.calendarData.isEmpty() || !ReadICalendarEvents(response.calendarData.toStdString(), job.Scope().kind, events))
                    continue;
                // A recurring series with overrides is one object: its first event in the range stands for it.
                const auto in = std::find_if(events.begin(), events.end(), [&](const CalendarEntry& e) {
                    return e.start >= job.First() && e.start <= job.Last();
                });
                if (in == events.end()) continue;
                const CalendarEntry& event = *in;
                QUrl url;
                std::string why;
                if (!ConfinedItemUrl(collection_, response.href, url, why)) {
                    job.Refuse(event.start.value_or(Date()), event.subject,
                               "the server lists it at " + ShownAddress(response.href) + ", but " + why +
                                   "; nothing was sent there");
                    continue;
                }
                const std::string id = url.toString(QUrl::FullyEncoded).toStdString();
                items.push_back({id, event.subject, event.start, event.uid, event.owner});
                etags_[id] = response.etag;
            }
        }
        job.Found(items, error);
        emit StepDone();
    });
}

void CalDavCalendar::Write(ExportJob& job) {
    const CalendarItem& item = job.Item();
    const std::string object = ICalendarObjectText(job.Scope().kind, item);
    if (object.empty()) {
        job.Done(kDateTooLate);
        emit StepDone();
        return;
    }
    CalDavTransport::Headers headers{{"Content-Type", "text/calendar; charset=utf-8"}};
    QUrl url;
    const bool replacing = job.Replaced() != nullptr;
    if (replacing) {
        url = QUrl(QString::fromStdString(job.Replaced()->id));
        const QByteArray& etag = etags_[job.Replaced()->id];
        if (!etag.isEmpty()) headers["If-Match"] = etag;
    } else {
        url = collection_.resolved(QUrl(QString::fromStdString(item.uid.substr(0, item.uid.find('@')) + ".ics")));
        headers["If-None-Match"] = "*";
    }
    transport_.Send("PUT", url, QByteArray::fromStdString(object), headers, [this, &job, replacing](const CalDavReply& r) {
        std::string error = Failure(r, {200, 201, 204});
        if (r.status == 412 && !replacing) error = "an item is already at the export's address for this item (HTTP 412)";
        job.Done(error);
        emit StepDone();
    });
}

void CalDavCalendar::Delete(ExportJob& job) {
    const std::string& id = job.Obsolete().id;
    CalDavTransport::Headers headers;
    if (const QByteArray& etag = etags_[id]; !etag.isEmpty()) headers["If-Match"] = etag;
    transport_.Send("DELETE", QUrl(QString::fromStdString(id)), {}, headers, [this, &job](const CalDavReply& r) {
        job.Done(Failure(r, {200, 204, 404}));
        emit StepDone();
    });
}

}  // namespace varnel
