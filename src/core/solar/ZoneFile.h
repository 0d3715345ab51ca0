#pragma once
// A zone of the time-zone database as its file gives it (the TZif form:
// the changes of clock with the clock each starts, then the rule that
// carries the zone on past its last listed change), read without the C
// library's zone functions, so no process-wide TZ is set to read one.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/solar/ZoneRule.h"

namespace varnel {

class ZoneFile {
public:
    // Nothing when the bytes are not a whole, consistent zone file.
    static std::optional<ZoneFile> Parse(std::string_view bytes);
    // A zone kept wholly by a rule (a TZ variable that names no file).
    static ZoneFile OfRule(const ZoneRule& rule);
    static ZoneFile OfClock(const LocalClock& clock);

    // The clock at an instant, as the C library's localtime gives it.
    const LocalClock& At(int64_t utc) const;
    // Every instant in (from, to] at which the clock may change, in order.
    std::vector<int64_t> ChangesBetween(int64_t from, int64_t to) const;

private:
    std::vector<int64_t> changes_;      // ascending
    std::vector<uint8_t> clockIndex_;   // the clock each change starts
    std::vector<LocalClock> clocks_;
    size_t firstClock_ = 0;             // before the first change
    std::optional<ZoneRule> rule_;      // from the last change on
    bool ruleOnly_ = false;
};

}  // namespace varnel
