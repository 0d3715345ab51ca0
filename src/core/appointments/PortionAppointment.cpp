#include "core/appointments/PortionAppointment.h"

#include <cstdio>

#include "core/common/DateSerial.h"

namespace varnel {

namespace {
const std::string& Item(const std::vector<std::string>& items, size_t i) {
    static const std::string empty;
    return i < items.size() ? items[i] : empty;
}

bool IsBlank(std::string_view text) { return text.find_first_not_of(" \t\r\n") == std::string_view::npos; }
}  // namespace

bool HasExportMarker(std::string_view subject) { return subject.substr(0, kExportMarker.size()) == kExportMarker; }

std::string PortionUid(int32_t date) {
    const YearMonthDay d = SplitDate(date);
    char text[48];
    std::snprintf(text, sizeof text, "varnel-portion-%04d%02d%02d@varnel", d.year, d.month, d.day);
    return text;
}

bool BuildPortionAppointment(const ShabbatLine& line, const ReadingTexts& texts, PortionAppointment& out) {
    if (IsBlank(line.name)) return false;
    const size_t slash = line.name.find('/');
    const std::string first = line.name.substr(0, slash);
    const std::string second = slash == std::string::npos ? std::string() : line.name.substr(slash + 1);
    const std::string_view torah1 = FindPassage(texts.torah, Item(line.readings, 0));
    const std::string_view haftarah1 = FindPassage(texts.haftarah, Item(line.readings, 1));

    std::string torahText = first + " " + std::string(torah1);
    std::string haftarahText(haftarah1);
    std::string location = Item(line.readings, 0) + " " + Item(line.readings, 1);
    if (slash != std::string::npos) {
        const std::string_view torah2 = FindPassage(texts.torah, Item(line.readings, 3));
        const std::string_view haftarah2 = FindPassage(texts.haftarah, Item(line.readings, 4));
        if (!torah2.empty()) torahText += "\r\n" + second + " " + std::string(torah2);
        if (!haftarah2.empty()) haftarahText += "\r\n\r\n" + std::string(haftarah2);
        location += "; " + Item(line.readings, 3) + " " + Item(line.readings, 4);
    }
    out.date = line.date;
    out.uid = PortionUid(line.date);
    out.subject = std::string(kExportMarker) + line.name + std::string(kExportMarkerEnd);
    const std::string body = torahText + "\r\n" + haftarahText;
    out.body = IsBlank(body) ? std::string() : body;
    out.location = IsBlank(location) ? std::string() : location;
    return true;
}

}  // namespace varnel
