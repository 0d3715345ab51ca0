#pragma once
// A WebDAV multistatus answer (RFC 4918) read whole before anything is done
// with it: an answer that is not well-formed, is cut short or is no
// multistatus gives an error and no responses.
#include <QByteArray>
#include <QString>
#include <string>
#include <vector>

namespace varnel {

struct DavResponse {
    QString href;
    QByteArray etag;
    QString calendarData;
    bool isCalendar = false;  // resourcetype holds CalDAV's calendar
};

bool ParseMultistatus(const QByteArray& xml, std::vector<DavResponse>& out, std::string& error);

}  // namespace varnel
