// The zone files read on their own, against the C library's localtime_r over
// every zone of the database, and the clocks built from them against the
// clocks the C library's probing gave.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "core/common/Date.h"
#include "core/solar/ZoneClock.h"
#include "core/solar/ZoneFile.h"
#include "EnvSetting.h"
#include "TempFolder.h"

namespace varnel {
namespace {

const std::string kFolder = "/usr/share/zoneinfo";

using testing::EnvSetting;
using testing::SystemZone;

LocalClock LibraryClock(int64_t utc) {
    const std::time_t t = static_cast<std::time_t>(utc);
    std::tm local{};
    if (!localtime_r(&t, &local)) return {};
    return {static_cast<int>(local.tm_gmtoff), local.tm_isdst > 0, local.tm_zone ? local.tm_zone : ""};
}

bool operator==(const LocalClock& a, const LocalClock& b) {
    return a.offsetSeconds == b.offsetSeconds && a.daylight == b.daylight && a.abbreviation == b.abbreviation;
}

std::string Text(const LocalClock& c) {
    return c.abbreviation + (c.daylight ? " daylight " : " ") + std::to_string(c.offsetSeconds);
}

std::string FileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

int64_t UtcOf(int year, int month = 1, int day = 1) { return DaysOfCivil(year, month, day) * 86400; }

// Every zone of the database: its files that are zone files, outside the
// copies with leap seconds and the POSIX names.
std::vector<std::string> AllZones() {
    std::vector<std::string> zones;
    namespace fs = std::filesystem;
    for (auto it = fs::recursive_directory_iterator(kFolder); it != fs::recursive_directory_iterator(); ++it) {
        const std::string id = fs::relative(it->path(), kFolder).string();
        if (it->is_directory() && (id == "right" || id == "posix")) it.disable_recursion_pending();
        else if (it->is_regular_file() && id != "localtime" && FileBytes(it->path()).rfind("TZif", 0) == 0)
            zones.push_back(id);
    }
    std::sort(zones.begin(), zones.end());
    return zones;
}

// Zones whose changes test the reading hardest (negative daylight time,
// changes at 24:00 or 25:00, Ramadan pauses, the southern summer, half-hour
// daylight time, leap seconds), and a spread of the rest.
const char* const kHardZones[] = {
    "Europe/Dublin", "Africa/Casablanca", "Africa/El_Aaiun", "Asia/Gaza", "Asia/Hebron", "America/Santiago",
    "Pacific/Easter", "Australia/Lord_Howe", "Pacific/Apia", "Asia/Jerusalem", "America/St_Johns",
    "Antarctica/Troll", "America/Godthab", "America/Nuuk", "Africa/Windhoek", "Europe/Prague", "Africa/Cairo",
    "Asia/Tehran", "America/Asuncion", "Pacific/Chatham", "Pacific/Norfolk", "Europe/Moscow", "Asia/Kolkata",
    "America/Havana", "Pacific/Kiritimati", "Pacific/Kwajalein", "America/Caracas", "Asia/Kathmandu",
    "right/Europe/London", "Etc/GMT+12", "Factory", "EST5EDT", "Europe/London", "America/New_York"};

// Checks a zone file against the C library (TZ set to it) from `from` to
// `to`: the clock at every change the file gives and the second before it,
// midway between changes, and every `step` seconds.
void CheckAgainstLibrary(const std::string& zoneId, const ZoneFile& zone, int64_t from, int64_t to, int64_t step) {
    std::vector<int64_t> changes = zone.ChangesBetween(from, to);
    changes.insert(changes.begin(), from);
    changes.push_back(to);
    int failures = 0;
    const auto check = [&](int64_t t, const LocalClock& expected) {
        const LocalClock library = LibraryClock(t);
        if (library == expected || ++failures > 5) return;
        ADD_FAILURE() << zoneId << " at " << t << ": the file gives " << Text(expected) << ", localtime_r " << Text(library);
    };
    for (size_t i = 0; i + 1 < changes.size(); ++i) {
        const int64_t a = changes[i], b = changes[i + 1];
        const LocalClock& clock = zone.At(a);
        check(a, clock);
        check(a - 1, zone.At(a - 1));
        check(a + (b - a) / 2, clock);
        if (step)
            for (int64_t t = a + step - (a - from) % step; t < b; t += step) check(t, clock);
    }
}

TEST(ZoneFile, EveryZoneKeepsTheLibrarysClockAtItsChanges) {
    const std::vector<std::string> zones = AllZones();
    ASSERT_GT(zones.size(), 300u);
    for (const std::string& id : zones) {
        const std::optional<ZoneFile> zone = ZoneFile::Parse(FileBytes(kFolder + "/" + id));
        ASSERT_TRUE(zone) << id;
        const SystemZone tz((":" + id).c_str());
        CheckAgainstLibrary(id, *zone, UtcOf(1800), UtcOf(2101), 0);
    }
}

TEST(ZoneFile, HardZonesKeepTheLibrarysClockEveryFewDays) {
    std::vector<std::string> zones(std::begin(kHardZones), std::end(kHardZones));
    const std::vector<std::string> all = AllZones();
    for (size_t i = 0; i < all.size(); i += 12) zones.push_back(all[i]);
    for (const std::string& id : zones) {
        const std::optional<ZoneFile> zone = ZoneFile::Parse(FileBytes(kFolder + "/" + id));
        if (!zone && id == "America/Godthab") continue;  // renamed in the database of 2023
        ASSERT_TRUE(zone) << id;
        const SystemZone tz((":" + id).c_str());
        CheckAgainstLibrary(id, *zone, UtcOf(1800), UtcOf(2101), 3 * 86400 + 3607);
        for (const int year : {1, 2500, 4321, 9999})
            CheckAgainstLibrary(id, *zone, UtcOf(year) - 5 * 86400, UtcOf(year + 1) + 5 * 86400, 86400 + 7);
    }
}

TEST(ZoneFile, RulesOfTheTzVariableKeepTheLibrarysClock) {
    for (const char* rule : {"EST5EDT,M3.2.0,M11.1.0", "<+1030>-10:30<+11>-11,M10.1.0,M4.1.0",
                             "IST-1GMT0,M10.5.0,M3.5.0/1", "EET-2EEST,M3.4.4/50,M10.4.4/50",
                             "<-02>2<-01>,M3.5.0/-1,M10.5.0/0", "EST5EDT,0/0,J365/25", "XXX3YYY,J60/1:30,300/-2",
                             "AAA-3:30BBB-4:45:15,M2.5.6/167,M9.1.1", "JST-9"}) {
        const std::optional<ZoneRule> parsed = ZoneRule::Parse(rule);
        ASSERT_TRUE(parsed) << rule;
        const SystemZone tz(rule);
        const ZoneFile zone = ZoneFile::OfRule(*parsed);
        CheckAgainstLibrary(rule, zone, UtcOf(1965), UtcOf(2040), 86400 + 7);
        CheckAgainstLibrary(rule, zone, UtcOf(9998), UtcOf(10000), 86400 + 7);
    }
    for (const char* notRule : {"", "EST", "<+3>-3", "EST5EDT,M13.1.0,M11.1.0", "EST5EDT,M3.6.0,M11.1.0",
                                "EST5EDT,J0,J5", "EST5EDT,366,5", "EST5EDT,M3.2.0/x,M11.1.0", "5EST"})
        EXPECT_FALSE(ZoneRule::Parse(notRule)) << notRule;
}

// The clock of a year as the C library's probing built it (TZ set to the
// zone): the clock every half day, each change found by halving, local mean
// time replaced by the zone's first standard time, a winter marked daylight
// named the other way round.
ZoneSpan Probe(int64_t utc) {
    const LocalClock c = LibraryClock(utc);
    return {utc, c.offsetSeconds, c.daylight, c.abbreviation, {}};
}

bool SameClock(const ZoneSpan& a, const ZoneSpan& b) {
    return a.offsetSeconds == b.offsetSeconds && a.daylight == b.daylight && a.abbreviation == b.abbreviation;
}

int64_t FirstChange(int64_t lo, int64_t hi) {
    const ZoneSpan before = Probe(lo);
    while (hi - lo > 1) {
        const int64_t mid = lo + (hi - lo) / 2;
        (SameClock(Probe(mid), before) ? lo : hi) = mid;
    }
    return hi;
}

std::vector<ZoneSpan> ProbedSpans(const std::string& namedAs, int year) {
    constexpr int64_t kDay = 86400;
    const int64_t from = UtcOf(year) - 2 * kDay, to = UtcOf(year, 12, 31) + 3 * kDay;
    std::vector<ZoneSpan> spans{Probe(from)};
    for (int64_t t = from + kDay / 2; t <= to; t += kDay / 2)
        if (!SameClock(Probe(t), spans.back())) spans.push_back(Probe(FirstChange(t - kDay / 2, t)));
    std::optional<ZoneSpan> standard;
    for (int64_t t = from; t < UtcOf(2100) && !standard; t += 365 * kDay) {
        const ZoneSpan probe = Probe(t);
        if (probe.abbreviation == "LMT") continue;
        const ZoneSpan first = Probe(FirstChange(t - 365 * kDay, t));
        standard = first.daylight ? probe : first;
    }
    for (ZoneSpan& s : spans)
        if (s.abbreviation == "LMT" && standard) {
            s.offsetSeconds = standard->offsetSeconds;
            s.abbreviation = standard->abbreviation;
        }
    bool flip = false;
    for (const ZoneSpan& d : spans)
        for (const ZoneSpan& s : spans) flip = flip || (d.daylight && !s.daylight && d.offsetSeconds < s.offsetSeconds);
    for (ZoneSpan& s : spans) {
        s.daylight = s.daylight != flip;
        s.name = ZoneSpanName(namedAs, s);
    }
    return spans;
}

void ExpectSameSpans(const ZoneClock& clock, const std::vector<ZoneSpan>& probed, const std::string& what) {
    ASSERT_TRUE(clock.Valid()) << what;
    const std::vector<ZoneSpan>& spans = clock.Spans();
    EXPECT_EQ(spans.size(), probed.size()) << what;
    for (size_t i = 0; i < std::min(spans.size(), probed.size()); ++i) {
        const ZoneSpan &a = spans[i], &b = probed[i];
        EXPECT_TRUE(a.startUtc == b.startUtc && SameClock(a, b) && a.name == b.name)
            << what << " span " << i << ": " << a.startUtc << " " << a.abbreviation << " " << a.offsetSeconds << " "
            << a.daylight << " " << a.name << ", probed " << b.startUtc << " " << b.abbreviation << " "
            << b.offsetSeconds << " " << b.daylight << " " << b.name;
    }
}

std::vector<int> YearsToCompare() {
    std::vector<int> years{1, 1800, 1850, 1946, 1947, 1971, 1990, 2010, 2026, 2037, 2038, 2100, 2500, 9999};
    for (int y = 1870; y <= 1930; y += 4) years.push_back(y);
    return years;
}

TEST(ZoneClock, BuiltFromTheFileAsTheLibrarysProbingBuiltIt) {
    std::vector<std::string> zones(std::begin(kHardZones), std::end(kHardZones));
    const std::vector<std::string> all = AllZones();
    for (size_t i = 5; i < all.size(); i += 20) zones.push_back(all[i]);
    for (const std::string& id : zones) {
        if (!IsKnownZone(id)) continue;  // America/Godthab in older databases
        const SystemZone tz((":" + id).c_str());
        for (const int year : YearsToCompare())
            ExpectSameSpans(ZoneClock::ForYear(id, year), ProbedSpans(id, year), id + " " + std::to_string(year));
    }
}

TEST(ZoneClock, TheSystemZoneAsTheLibraryFindsIt) {
    for (const char* tz : {":Europe/Dublin", "Asia/Tokyo", "/usr/share/zoneinfo/America/Santiago", "EST5EDT,M3.2.0,M11.1.0",
                           "<+1030>-10:30<+11>-11,M10.1.0,M4.1.0", "", ":", "Nowhere/Land", "/etc/localtime"}) {
        const SystemZone setting(tz);
        for (const int year : {1, 1960, 2026, 9999})
            ExpectSameSpans(ZoneClock::ForYear("", year), ProbedSpans(SystemZoneId(), year),
                            std::string("TZ=") + tz + " " + std::to_string(year));
    }
    const SystemZone unset(nullptr);
    ExpectSameSpans(ZoneClock::ForYear("", 2026), ProbedSpans(SystemZoneId(), 2026), "TZ unset");
}

TEST(ZoneClock, DamagedFilesAreUnknownZones) {
    const testing::TempFolder folder;
    const std::string dublin = FileBytes(kFolder + "/Europe/Dublin");
    folder.Write("Whole", dublin);
    std::vector<std::string> damaged;
    for (size_t length : {size_t{0}, size_t{4}, size_t{43}, size_t{44}, size_t{300}, dublin.size() / 2, dublin.size() - 200})
        damaged.push_back(dublin.substr(0, length));
    // A change starting a clock the file does not have, in the 64-bit block.
    const auto count = [&](size_t at) {
        return size_t{static_cast<unsigned char>(dublin[at + 2])} << 8 | static_cast<unsigned char>(dublin[at + 3]);
    };
    const size_t second = 44 + count(32) * 5 + count(36) * 6 + count(40) + count(28) * 8 + count(24) + count(20);
    std::string badIndex = dublin;
    badIndex.at(second + 44 + count(second + 32) * 8 + 10) = '\x7f';
    damaged.push_back(badIndex);
    std::string huge = dublin;
    huge[32] = '\x7f';  // more changes than the file holds
    damaged.push_back(huge);
    for (size_t i = 0; i < damaged.size(); ++i) folder.Write("Cut" + std::to_string(i), damaged[i]);
    const EnvSetting zoneFolder("TZDIR", folder.Path().c_str());
    EXPECT_TRUE(IsKnownZone("Whole"));
    EXPECT_EQ(ZoneClock::ForYear("Whole", 2026).At(UtcOf(2026, 7)).name, "IST");
    for (size_t i = 0; i < damaged.size(); ++i) {
        EXPECT_FALSE(IsKnownZone("Cut" + std::to_string(i))) << i;
        EXPECT_FALSE(ZoneClock::ForYear("Cut" + std::to_string(i), 2026).Valid()) << i;
    }
}

}  // namespace
}  // namespace varnel
