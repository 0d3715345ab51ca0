#pragma once
// The clock a time zone keeps, read from the system's zone database
// (/usr/share/zoneinfo, each zone's rule carried on past its last listed
// change) as the C library reads it, so neither Qt nor ICU is needed.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace varnel {

// A stretch of time over which a zone's clock does not change.
struct ZoneSpan {
    int64_t startUtc = 0;    // seconds since 1970-01-01 00:00 UTC
    int offsetSeconds = 0;   // local time minus UTC
    bool daylight = false;
    std::string abbreviation;  // "EDT", "IST", "+03"
    std::string name;          // as shown to the user (ZoneSpanName)
};

// The spans of one zone from shortly before a common year to shortly after it.
class ZoneClock {
public:
    ZoneClock() = default;
    // An empty id reads the system's own zone (TZ, else /etc/localtime). A
    // zone the database does not hold gives a clock that is not Valid().
    static ZoneClock ForYear(std::string_view zoneId, int year);

    bool Valid() const { return !spans_.empty(); }
    const std::string& ZoneId() const { return zoneId_; }
    // The span in force at an instant; a clock that is not Valid() keeps UTC.
    const ZoneSpan& At(int64_t utcSeconds) const;
    const std::vector<ZoneSpan>& Spans() const { return spans_; }
    // The offset of standard time in force at an instant, daylight time aside.
    int StandardOffsetAt(int64_t utcSeconds) const;

private:
    std::string zoneId_;
    std::vector<ZoneSpan> spans_;  // in order; the first starts before the year
};

// Whether the database holds a zone of this name ("Europe/Oslo").
bool IsKnownZone(std::string_view zoneId);
// The system's zone name (TZ, /etc/localtime, /etc/timezone); empty when
// none is named, as with a TZ holding a rule rather than a name.
std::string SystemZoneId();
// How a span of a zone is named to the user: the long name ICU gives the
// zone ("Eastern Daylight Time"), else "UTC+03" for a bare offset, else the
// zone's abbreviation.
std::string ZoneSpanName(std::string_view zoneId, const ZoneSpan& span);

// The UTC instant of a date serial with a fraction of a day, and back.
int64_t UtcSecondsOfSerial(double serial);

}  // namespace varnel
