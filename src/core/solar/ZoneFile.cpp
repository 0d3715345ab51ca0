#include "core/solar/ZoneFile.h"

#include <algorithm>

namespace varnel {
namespace {

// Big-endian fields read with their bounds checked: a short or damaged file
// stops the reading rather than running past its end.
class FieldReader {
public:
    explicit FieldReader(std::string_view bytes) : bytes_(bytes) {}
    bool Has(uint64_t n) const { return n <= bytes_.size() - at_; }
    std::string_view Take(size_t n) {
        const std::string_view part = bytes_.substr(at_, n);
        at_ += part.size();
        return part;
    }
    uint64_t Unsigned(int width) {
        uint64_t value = 0;
        for (const char c : Take(static_cast<size_t>(width))) value = value << 8 | static_cast<unsigned char>(c);
        return value;
    }
    int64_t Signed(int width) {
        const uint64_t value = Unsigned(width);
        return width == 8 ? static_cast<int64_t>(value) : static_cast<int32_t>(static_cast<uint32_t>(value));
    }
    std::string_view Rest() const { return bytes_.substr(at_); }

private:
    std::string_view bytes_;
    size_t at_ = 0;
};

struct Counts {
    char version = 0;
    uint64_t utIndicators = 0, standardIndicators = 0, leapSeconds = 0, changes = 0, clocks = 0, letters = 0;
    // The bytes of the data block after the header, with times of this width.
    uint64_t BlockSize(int width) const {
        return changes * (width + 1) + clocks * 6 + letters + leapSeconds * (width + 4) + standardIndicators +
               utIndicators;
    }
};

// The header of a block whose times are `width` bytes wide.
std::optional<Counts> ReadHeader(FieldReader& in, int width) {
    if (!in.Has(44) || in.Take(4) != "TZif") return std::nullopt;
    Counts counts;
    counts.version = in.Take(1)[0];
    in.Take(15);
    for (uint64_t* count : {&counts.utIndicators, &counts.standardIndicators, &counts.leapSeconds, &counts.changes,
                            &counts.clocks, &counts.letters})
        *count = in.Unsigned(4);
    if (counts.clocks == 0 || counts.clocks > 256 || counts.letters == 0 || !in.Has(counts.BlockSize(width)))
        return std::nullopt;
    return counts;
}

// No zone's clock is more than a day from UTC.
constexpr int64_t kLargestOffset = 26 * 3600;

}  // namespace

std::optional<ZoneFile> ZoneFile::Parse(std::string_view bytes) {
    FieldReader in(bytes);
    std::optional<Counts> counts = ReadHeader(in, 4);
    if (!counts) return std::nullopt;
    int width = 4;
    // A file of version 2 or later repeats its data with 64-bit times after
    // the 32-bit block, and adds the rule: read those.
    if (counts->version != 0) {
        in.Take(static_cast<size_t>(counts->BlockSize(4)));
        width = 8;
        counts = ReadHeader(in, width);
        if (!counts) return std::nullopt;
    }
    ZoneFile zone;
    zone.changes_.reserve(counts->changes);
    for (uint64_t i = 0; i < counts->changes; ++i) {
        zone.changes_.push_back(in.Signed(width));
        if (i > 0 && zone.changes_[i] <= zone.changes_[i - 1]) return std::nullopt;
    }
    for (const char c : in.Take(static_cast<size_t>(counts->changes))) {
        zone.clockIndex_.push_back(static_cast<uint8_t>(c));
        if (zone.clockIndex_.back() >= counts->clocks) return std::nullopt;
    }
    std::vector<std::pair<int64_t, uint64_t>> clocks;
    for (uint64_t i = 0; i < counts->clocks; ++i) {
        const int64_t offset = in.Signed(4);
        const bool daylight = in.Unsigned(1) != 0;
        const uint64_t letter = in.Unsigned(1);
        if (offset < -kLargestOffset || offset > kLargestOffset || letter >= counts->letters) return std::nullopt;
        zone.clocks_.push_back({static_cast<int>(offset), daylight, {}});
        clocks.emplace_back(offset, letter);
    }
    const std::string_view letters = in.Take(static_cast<size_t>(counts->letters));
    for (size_t i = 0; i < clocks.size(); ++i) {
        const std::string_view from = letters.substr(clocks[i].second);
        zone.clocks_[i].abbreviation = std::string(from.substr(0, from.find('\0')));
    }
    in.Take(static_cast<size_t>(counts->leapSeconds * (width + 4) + counts->standardIndicators + counts->utIndicators));
    // Before the first change: the first standard clock, as the C library has it.
    while (zone.firstClock_ < zone.clocks_.size() && zone.clocks_[zone.firstClock_].daylight) ++zone.firstClock_;
    if (zone.firstClock_ == zone.clocks_.size()) zone.firstClock_ = 0;
    // The rule sits between two newlines; one that does not read is left out.
    const std::string_view rest = in.Rest();
    if (width == 8 && !rest.empty() && rest[0] == '\n') {
        const std::string_view text = rest.substr(1, rest.find('\n', 1) - 1);
        if (!text.empty()) zone.rule_ = ZoneRule::Parse(text);
    }
    return zone;
}

ZoneFile ZoneFile::OfRule(const ZoneRule& rule) {
    ZoneFile zone;
    zone.clocks_.push_back(rule.At(0));
    zone.rule_ = rule;
    zone.ruleOnly_ = true;
    return zone;
}

ZoneFile ZoneFile::OfClock(const LocalClock& clock) {
    ZoneFile zone;
    zone.clocks_.push_back(clock);
    return zone;
}

const LocalClock& ZoneFile::At(int64_t utc) const {
    if (ruleOnly_) return rule_->At(utc);
    if (changes_.empty() || utc < changes_.front()) return clocks_[firstClock_];
    if (rule_ && utc >= changes_.back()) return rule_->At(utc);
    const size_t i = static_cast<size_t>(std::upper_bound(changes_.begin(), changes_.end(), utc) - changes_.begin());
    return clocks_[clockIndex_[i - 1]];
}

std::vector<int64_t> ZoneFile::ChangesBetween(int64_t from, int64_t to) const {
    std::vector<int64_t> out(std::upper_bound(changes_.begin(), changes_.end(), from),
                             std::upper_bound(changes_.begin(), changes_.end(), to));
    if (rule_ && (ruleOnly_ || !changes_.empty()))
        rule_->ChangesBetween(ruleOnly_ ? from + 1 : std::max(from + 1, changes_.back()), to, out);
    std::sort(out.begin(), out.end());
    out.erase(std::unique(out.begin(), out.end()), out.end());
    return out;
}

}  // namespace varnel
