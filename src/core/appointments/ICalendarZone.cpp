#include "core/appointments/ICalendarZone.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "core/common/Date.h"

namespace varnel {

namespace {
// "YYYYMMDDTHHMMSS" of a local wall-clock instant given as seconds since 1970.
std::string LocalStamp(int64_t localSeconds) {
    const int64_t days = static_cast<int64_t>(std::floor(static_cast<double>(localSeconds) / 86400.0));
    const int64_t inDay = localSeconds - days * 86400;
    const YearMonthDay d = (Date(1970, 1, 1) + static_cast<int32_t>(days)).Parts();
    char text[24];
    std::snprintf(text, sizeof text, "%04d%02d%02dT%02d%02d%02d", d.year, d.month, d.day, static_cast<int>(inDay / 3600),
                  static_cast<int>(inDay / 60 % 60), static_cast<int>(inDay % 60));
    return text;
}

// "+0530", "-0500", "+054521" when seconds are needed.
std::string Offset(int seconds) {
    const int magnitude = std::abs(seconds);
    char text[16];
    if (magnitude % 60 != 0)
        std::snprintf(text, sizeof text, "%c%02d%02d%02d", seconds < 0 ? '-' : '+', magnitude / 3600, magnitude / 60 % 60,
                      magnitude % 60);
    else
        std::snprintf(text, sizeof text, "%c%02d%02d", seconds < 0 ? '-' : '+', magnitude / 3600, magnitude / 60 % 60);
    return text;
}
}  // namespace

std::string ICalendarZoneText(const ZoneClock& clock) {
    if (!clock.Valid() || clock.ZoneId().empty()) return {};
    std::string text = "BEGIN:VTIMEZONE\r\nTZID:" + clock.ZoneId() + "\r\n";
    const auto& spans = clock.Spans();
    for (size_t i = 0; i < spans.size(); ++i) {
        const ZoneSpan& s = spans[i];
        // A change happens at the wall-clock time of the offset it leaves.
        const int from = i == 0 ? s.offsetSeconds : spans[i - 1].offsetSeconds;
        const char* kind = s.daylight ? "DAYLIGHT" : "STANDARD";
        text += std::string("BEGIN:") + kind + "\r\nDTSTART:" + LocalStamp(s.startUtc + from) + "\r\nTZOFFSETFROM:" +
                Offset(from) + "\r\nTZOFFSETTO:" + Offset(s.offsetSeconds) + "\r\n";
        if (!s.abbreviation.empty()) text += "TZNAME:" + s.abbreviation + "\r\n";
        text += std::string("END:") + kind + "\r\n";
    }
    return text + "END:VTIMEZONE\r\n";
}

}  // namespace varnel
