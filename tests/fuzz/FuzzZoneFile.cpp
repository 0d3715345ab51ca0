// Fuzz target: the zone-file reader and the rule of the TZ form. Whatever the
// bytes, a zone that reads gives its changes in order and clocks within a day
// of UTC, at every year from the first to the last.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string_view>

#include "core/solar/ZoneFile.h"

using namespace varnel;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    std::optional<ZoneFile> zone = ZoneFile::Parse(bytes);
    if (!zone) {
        const std::optional<ZoneRule> rule = ZoneRule::Parse(bytes);
        if (!rule) return 0;
        zone = ZoneFile::OfRule(*rule);
    }
    constexpr int64_t kDay = 86400;
    for (const int year : {1, 1800, 1969, 1970, 2026, 2038, 9999}) {
        const int64_t from = DaysOfCivil(year, 1, 1) * kDay - 2 * kDay;
        const std::vector<int64_t> changes = zone->ChangesBetween(from, from + 370 * kDay);
        if (!std::is_sorted(changes.begin(), changes.end())) std::abort();
        for (const int64_t t : {from, from + 180 * kDay})
            if (std::abs(zone->At(t).offsetSeconds) > 26 * 3600) std::abort();
        for (const int64_t t : changes)
            if (t <= from || std::abs(zone->At(t).offsetSeconds) > 26 * 3600) std::abort();
    }
    return 0;
}
