#include "core/solar/ZoneClock.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <mutex>
#include <optional>
#include <unistd.h>

#include "core/common/Date.h"

namespace varnel {
namespace {

struct ZoneNames {
    std::string_view zone;
    std::string_view standard;
    std::string_view daylight;
};
constexpr ZoneNames kZoneNames[] = {
#include "core/solar/ZoneNames.inc"
};

constexpr int64_t kDay = 86400;
constexpr int32_t kUnixEpochSerial = 25569;  // 1970-01-01

std::string ZoneFolder() {
    const char* dir = std::getenv("TZDIR");
    return dir && *dir ? dir : "/usr/share/zoneinfo";
}

// The C library reads one zone at a time, named by TZ: a reading sets TZ for
// its length and puts back what was there. One lock keeps two readings apart.
class ZoneReading {
public:
    explicit ZoneReading(const std::string& zoneId) : lock_(Mutex()) {
        if (const char* tz = std::getenv("TZ")) saved_ = tz;
        if (!zoneId.empty()) setenv("TZ", (":" + zoneId).c_str(), 1);
        tzset();
    }
    ~ZoneReading() {
        if (saved_) setenv("TZ", saved_->c_str(), 1);
        else unsetenv("TZ");
        tzset();
    }
    ZoneReading(const ZoneReading&) = delete;
    ZoneReading& operator=(const ZoneReading&) = delete;

    static ZoneSpan Probe(int64_t utc) {
        const std::time_t t = static_cast<std::time_t>(utc);
        std::tm local{};
        ZoneSpan span;
        span.startUtc = utc;
        if (!localtime_r(&t, &local)) return span;
        span.offsetSeconds = static_cast<int>(local.tm_gmtoff);
        span.daylight = local.tm_isdst > 0;
        span.abbreviation = local.tm_zone ? local.tm_zone : "";
        return span;
    }

private:
    static std::mutex& Mutex() {
        static std::mutex m;
        return m;
    }
    std::lock_guard<std::mutex> lock_;
    std::optional<std::string> saved_;
};

bool SameClock(const ZoneSpan& a, const ZoneSpan& b) {
    return a.offsetSeconds == b.offsetSeconds && a.daylight == b.daylight && a.abbreviation == b.abbreviation;
}

// The first second at or before `hi` whose clock differs from that at `lo`.
int64_t FirstChange(int64_t lo, int64_t hi) {
    const ZoneSpan before = ZoneReading::Probe(lo);
    while (hi - lo > 1) {
        const int64_t mid = lo + (hi - lo) / 2;
        if (SameClock(ZoneReading::Probe(mid), before)) lo = mid;
        else hi = mid;
    }
    return hi;
}

int64_t UtcOfDate(Date date) { return static_cast<int64_t>(date.Serial() - kUnixEpochSerial) * kDay; }

// Before a zone had standard time the database keeps local mean time (of its
// chief city, not of the place). A calendar is better served by the zone's
// first standard time, carried back.
std::optional<ZoneSpan> FirstStandardTimeAfter(int64_t from) {
    const int64_t last = UtcOfDate(Date(2100, 1, 1));
    for (int64_t t = from; t < last; t += 365 * kDay) {
        const ZoneSpan probe = ZoneReading::Probe(t);
        if (probe.abbreviation == "LMT") continue;
        const ZoneSpan first = ZoneReading::Probe(FirstChange(t - 365 * kDay, t));
        return first.daylight ? probe : first;
    }
    return std::nullopt;
}

bool IsFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    char magic[4] = {};
    return in.read(magic, 4) && std::string_view(magic, 4) == "TZif";
}

}  // namespace

bool IsKnownZone(std::string_view zoneId) {
    if (zoneId.empty() || zoneId.front() == '/' || zoneId.find("..") != std::string_view::npos ||
        zoneId.find_first_of(" ,<>") != std::string_view::npos)
        return false;
    return IsFile(ZoneFolder() + "/" + std::string(zoneId));
}

std::string SystemZoneId() {
    const auto underFolder = [](std::string path) -> std::string {
        const size_t at = path.find("zoneinfo/");
        return at == std::string::npos ? std::string() : path.substr(at + 9);
    };
    if (const char* tz = std::getenv("TZ")) {
        std::string id = tz;
        if (!id.empty() && id.front() == ':') id.erase(0, 1);
        if (IsKnownZone(id)) return id;
        const std::string inFolder = underFolder(id);
        return IsKnownZone(inFolder) ? inFolder : std::string();
    }
    char target[512];
    const ssize_t n = readlink("/etc/localtime", target, sizeof target - 1);
    if (n > 0) {
        const std::string id = underFolder(std::string(target, static_cast<size_t>(n)));
        if (IsKnownZone(id)) return id;
    }
    std::ifstream named("/etc/timezone");
    std::string id;
    if (std::getline(named, id) && IsKnownZone(id)) return id;
    return {};
}

ZoneClock ZoneClock::ForYear(std::string_view zoneId, int year) {
    ZoneClock clock;
    clock.zoneId_ = std::string(zoneId);
    if (!zoneId.empty() && !IsKnownZone(zoneId)) return clock;
    year = std::clamp(year, kMinYear, kMaxYear);
    const ZoneReading reading(clock.zoneId_);
    const int64_t from = UtcOfDate(Date(year, 1, 1) - 2);
    const int64_t to = UtcOfDate(Date(year, 12, 31) + 3);
    clock.spans_.push_back(ZoneReading::Probe(from));
    // Zones change their clocks at most a few times a year, never twice in half a day.
    for (int64_t t = from + kDay / 2; t <= to; t += kDay / 2) {
        if (SameClock(ZoneReading::Probe(t), clock.spans_.back())) continue;
        clock.spans_.push_back(ZoneReading::Probe(FirstChange(t - kDay / 2, t)));
    }
    if (std::any_of(clock.spans_.begin(), clock.spans_.end(), [](const ZoneSpan& s) { return s.abbreviation == "LMT"; })) {
        const std::optional<ZoneSpan> standard = FirstStandardTimeAfter(from);
        for (ZoneSpan& s : clock.spans_)
            if (s.abbreviation == "LMT" && standard) {
                s.offsetSeconds = standard->offsetSeconds;
                s.abbreviation = standard->abbreviation;
            }
    }
    // A zone whose winter time is the one marked daylight (Ireland's) is
    // named the other way round: its summer offset is the larger.
    for (const ZoneSpan& d : clock.spans_)
        for (const ZoneSpan& s : clock.spans_)
            if (d.daylight && !s.daylight && d.offsetSeconds < s.offsetSeconds) {
                for (ZoneSpan& each : clock.spans_) each.daylight = !each.daylight;
                goto named;
            }
named:
    const std::string namedAs = zoneId.empty() ? SystemZoneId() : clock.zoneId_;
    for (ZoneSpan& s : clock.spans_) s.name = ZoneSpanName(namedAs, s);
    return clock;
}

const ZoneSpan& ZoneClock::At(int64_t utcSeconds) const {
    static const ZoneSpan kUtc{0, 0, false, "UTC", "UTC"};
    if (spans_.empty()) return kUtc;
    const auto after = std::upper_bound(spans_.begin() + 1, spans_.end(), utcSeconds,
                                        [](int64_t t, const ZoneSpan& s) { return t < s.startUtc; });
    return *(after - 1);
}

int ZoneClock::StandardOffsetAt(int64_t utcSeconds) const {
    const ZoneSpan& now = At(utcSeconds);
    if (!now.daylight) return now.offsetSeconds;
    // The nearest standard span, before or after.
    const auto at = std::find_if(spans_.begin(), spans_.end(), [&](const ZoneSpan& s) { return &s == &now; });
    for (auto back = std::make_reverse_iterator(at); back != spans_.rend(); ++back)
        if (!back->daylight) return back->offsetSeconds;
    for (auto next = at; next != spans_.end(); ++next)
        if (!next->daylight) return next->offsetSeconds;
    return now.offsetSeconds - 3600;
}

std::string ZoneSpanName(std::string_view zoneId, const ZoneSpan& span) {
    const auto entry = std::lower_bound(std::begin(kZoneNames), std::end(kZoneNames), zoneId,
                                        [](const ZoneNames& n, std::string_view id) { return n.zone < id; });
    if (entry != std::end(kZoneNames) && entry->zone == zoneId) {
        const std::string_view name = span.daylight ? entry->daylight : entry->standard;
        if (!name.empty()) return std::string(name);
    }
    if (!span.abbreviation.empty() && (span.abbreviation.front() == '+' || span.abbreviation.front() == '-'))
        return "UTC" + span.abbreviation;
    return span.abbreviation;
}

int64_t UtcSecondsOfSerial(double serial) {
    return static_cast<int64_t>(std::floor((serial - kUnixEpochSerial) * kDay + 0.5));
}

}  // namespace varnel
