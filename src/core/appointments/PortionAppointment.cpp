#include "core/appointments/PortionAppointment.h"

#include "core/appointments/ExportIdentity.h"

namespace varnel {

namespace {
bool IsBlank(std::string_view text) { return text.find_first_not_of(" \t\r\n") == std::string_view::npos; }
}  // namespace

bool BuildPortionAppointment(const ShabbatLine& line, const ReadingTexts& texts, CalendarItem& out) {
    const std::string name = line.Name();
    if (IsBlank(name)) return false;
    const ShabbatPortion& first = line.portions.front();
    std::string torahText = first.name + " " + ReadingText(texts.torah, first.torah);
    std::string haftarahText = ReadingText(texts.haftarah, first.haftarah);
    std::string location = first.torah + " " + first.haftarah;
    if (line.portions.size() > 1) {
        const ShabbatPortion& second = line.portions[1];
        const std::string torah2 = ReadingText(texts.torah, second.torah);
        const std::string haftarah2 = ReadingText(texts.haftarah, second.haftarah);
        if (!torah2.empty()) torahText += "\r\n" + second.name + " " + torah2;
        if (!haftarah2.empty()) haftarahText += "\r\n\r\n" + haftarah2;
        location += "; " + second.torah + " " + second.haftarah;
    }
    out.date = line.date;
    out.uid = PortionUid(line.date);
    out.subject = std::string(kExportMarker) + name + std::string(kExportMarkerEnd);
    const std::string body = torahText + "\r\n" + haftarahText;
    out.body = IsBlank(body) ? std::string() : body;
    out.location = IsBlank(location) ? std::string() : location;
    return true;
}

}  // namespace varnel
