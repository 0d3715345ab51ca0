#include "gui/appointments/CalDavMultistatus.h"

#include <QXmlStreamReader>

namespace varnel {

namespace {
const QString kDav = QStringLiteral("DAV:");
const QString kCalDav = QStringLiteral("urn:ietf:params:xml:ns:caldav");
}  // namespace

bool ParseMultistatus(const QByteArray& xml, std::vector<DavResponse>& out, std::string& error) {
    out.clear();
    QXmlStreamReader reader(xml);
    DavResponse current;
    bool inResponse = false, sawRoot = false;
    while (!reader.atEnd()) {
        reader.readNext();
        if (reader.isStartElement()) {
            const QStringView name = reader.name();
            const QStringView space = reader.namespaceUri();
            if (!sawRoot) {
                sawRoot = true;
                if (space != kDav || name != QLatin1String("multistatus")) {
                    error = "the server's answer is not a WebDAV multistatus";
                    return false;
                }
            } else if (space == kDav && name == QLatin1String("response")) {
                current = DavResponse();
                inResponse = true;
            } else if (!inResponse) {
                continue;
            } else if (space == kDav && name == QLatin1String("href") && current.href.isEmpty()) {
                current.href = reader.readElementText();
            } else if (space == kDav && name == QLatin1String("getetag")) {
                current.etag = reader.readElementText().trimmed().toUtf8();
            } else if (space == kCalDav && name == QLatin1String("calendar-data")) {
                current.calendarData = reader.readElementText();
            } else if (space == kCalDav && name == QLatin1String("calendar")) {
                current.isCalendar = true;
            }
        } else if (reader.isEndElement() && inResponse && reader.name() == QLatin1String("response") &&
                   reader.namespaceUri() == kDav) {
            out.push_back(current);
            inResponse = false;
        }
    }
    if (reader.hasError() || !sawRoot) {
        out.clear();
        error = "the server's answer cannot be read (" +
                (sawRoot ? reader.errorString().toStdString() + " at line " + std::to_string(reader.lineNumber())
                         : std::string("it is empty")) +
                ")";
        return false;
    }
    return true;
}

}  // namespace varnel
