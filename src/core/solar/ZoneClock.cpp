#include "core/solar/ZoneClock.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <optional>
#include <unordered_map>

#include "core/common/Date.h"
#include "core/solar/ZoneFile.h"

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

// A zone file is a few kilobytes; anything far larger is not one.
constexpr off_t kLargestZoneFile = 1 << 20;

std::optional<std::string> ReadSmallFile(const std::string& path) {
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) return std::nullopt;
    std::optional<std::string> bytes;
    struct stat info {};
    if (fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && info.st_size <= kLargestZoneFile) {
        bytes.emplace(static_cast<size_t>(info.st_size), '\0');
        size_t done = 0;
        while (done < bytes->size()) {
            const ssize_t n = read(fd, bytes->data() + done, bytes->size() - done);
            if (n <= 0) break;
            done += static_cast<size_t>(n);
        }
        bytes->resize(done);
    }
    close(fd);
    return bytes;
}

// The zones read so far by this thread (the program computes on one), each
// file read once; a file that is missing or not a zone is kept as nothing.
std::unordered_map<std::string, std::unique_ptr<const ZoneFile>>& ReadZones() {
    thread_local std::unordered_map<std::string, std::unique_ptr<const ZoneFile>> zones;
    return zones;
}

const ZoneFile* ZoneAtPath(const std::string& path) {
    auto& zones = ReadZones();
    if (const auto known = zones.find(path); known != zones.end()) return known->second.get();
    std::unique_ptr<const ZoneFile> zone;
    if (const std::optional<std::string> bytes = ReadSmallFile(path))
        if (std::optional<ZoneFile> parsed = ZoneFile::Parse(*bytes)) zone = std::make_unique<const ZoneFile>(std::move(*parsed));
    return zones.emplace(path, std::move(zone)).first->second.get();
}

bool IsZoneName(std::string_view zoneId) {
    return !zoneId.empty() && zoneId.front() != '/' && zoneId.find("..") == std::string_view::npos &&
           zoneId.find_first_of(" ,<>") == std::string_view::npos;
}

const ZoneFile* NamedZone(std::string_view zoneId) {
    return IsZoneName(zoneId) ? ZoneAtPath(ZoneFolder() + "/" + std::string(zoneId)) : nullptr;
}

// The system's zone as the C library finds it: TZ naming a file (with or
// without a leading ':', under TZDIR unless a full path), else TZ as a rule,
// else /etc/localtime; UTC when nothing is named.
const ZoneFile& SystemZone() {
    const char* tz = std::getenv("TZ");
    std::string name = tz ? (*tz ? tz : "Universal") : "/etc/localtime";
    if (!name.empty() && name.front() == ':') name.erase(0, 1);
    if (!name.empty())
        if (const ZoneFile* zone = ZoneAtPath(name.front() == '/' ? name : ZoneFolder() + "/" + name)) return *zone;
    // Kept under a key no path can have.
    auto& zones = ReadZones();
    auto& kept = zones["\n" + name];
    if (!kept) {
        const std::optional<ZoneRule> rule = tz && !name.empty() ? ZoneRule::Parse(name) : std::nullopt;
        kept = std::make_unique<const ZoneFile>(
            rule ? ZoneFile::OfRule(*rule)
                 : ZoneFile::OfClock({0, false, tz && !name.empty() ? ZoneRule::LeadingName(name) : "UTC"}));
    }
    return *kept;
}

bool SameClock(const ZoneSpan& a, const LocalClock& b) {
    return a.offsetSeconds == b.offsetSeconds && a.daylight == b.daylight && a.abbreviation == b.abbreviation;
}

ZoneSpan SpanOf(const LocalClock& clock, int64_t startUtc) {
    return {startUtc, clock.offsetSeconds, clock.daylight, clock.abbreviation, {}};
}

int64_t UtcOfDate(Date date) { return static_cast<int64_t>(date.Serial() - kUnixEpochSerial) * kDay; }

// Before a zone had standard time the database keeps local mean time (of its
// chief city, not of the place). A calendar is better served by the zone's
// first standard time, carried back: the clock that ended local mean time,
// or, were that daylight time, the clock of the year after.
std::optional<LocalClock> FirstStandardTimeAfter(const ZoneFile& zone, int64_t from) {
    constexpr int64_t kYear = 365 * kDay;
    const int64_t last = UtcOfDate(Date(2100, 1, 1));
    for (int64_t t = from; t < last; t += kYear) {
        const LocalClock& probe = zone.At(t);
        if (probe.abbreviation == "LMT") continue;
        const ZoneSpan before = SpanOf(zone.At(t - kYear), 0);
        const LocalClock* first = &probe;
        for (const int64_t change : zone.ChangesBetween(t - kYear, t))
            if (!SameClock(before, zone.At(change))) {
                first = &zone.At(change);
                break;
            }
        return first->daylight ? probe : *first;
    }
    return std::nullopt;
}

}  // namespace

bool IsKnownZone(std::string_view zoneId) { return NamedZone(zoneId) != nullptr; }

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
    const ZoneFile* zone = zoneId.empty() ? &SystemZone() : NamedZone(zoneId);
    if (!zone) return clock;
    year = std::clamp(year, kMinYear, kMaxYear);
    const int64_t from = UtcOfDate(Date(year, 1, 1) - 2);
    const int64_t to = UtcOfDate(Date(year, 12, 31) + 3);
    clock.spans_.push_back(SpanOf(zone->At(from), from));
    for (const int64_t change : zone->ChangesBetween(from, to))
        if (const LocalClock& now = zone->At(change); !SameClock(clock.spans_.back(), now))
            clock.spans_.push_back(SpanOf(now, change));
    if (std::any_of(clock.spans_.begin(), clock.spans_.end(), [](const ZoneSpan& s) { return s.abbreviation == "LMT"; })) {
        const std::optional<LocalClock> standard = FirstStandardTimeAfter(*zone, from);
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
