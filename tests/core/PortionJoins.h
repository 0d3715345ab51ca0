#pragma once
// The traditional diaspora table of joined portions: for each of the 14 kinds
// of Hebrew year (weekday of Rosh Hashanah 1 = Sunday .. 7, length in days)
// the pairs of portions read together on one Shabbat.
#include <map>
#include <set>
#include <utility>

namespace varnel::testing {

using PortionPairs = std::set<std::pair<int, int>>;
using YearKind = std::pair<int, int>;  // {weekday of 1 Tishrei, days in the year}

inline const std::map<YearKind, PortionPairs>& JoinedPortionsByYearKind() {
    // Vayakhel-Pekudei, Tazria-Metzora, Acharei Mot-Kedoshim, Behar-Bechukotai,
    // Matot-Masei: joined in every common year but the one noted.
    static const PortionPairs common = {{22, 23}, {27, 28}, {29, 30}, {32, 33}, {42, 43}};
    auto with = [](PortionPairs base, PortionPairs more, PortionPairs less = {}) {
        for (const auto& p : more) base.insert(p);
        for (const auto& p : less) base.erase(p);
        return base;
    };
    static const std::map<YearKind, PortionPairs> table = {
        {{2, 353}, with(common, {{51, 52}})},
        {{2, 355}, with(common, {{39, 40}, {51, 52}})},
        {{3, 354}, with(common, {{39, 40}, {51, 52}})},
        {{5, 354}, common},
        {{5, 355}, with(common, {}, {{22, 23}})},
        {{7, 353}, common},
        {{7, 355}, with(common, {{51, 52}})},
        {{2, 383}, {{39, 40}, {42, 43}, {51, 52}}},
        {{2, 385}, {{42, 43}}},
        {{3, 384}, {{42, 43}}},
        {{5, 383}, {}},
        {{5, 385}, {{51, 52}}},
        {{7, 383}, {{42, 43}, {51, 52}}},
        {{7, 385}, {{39, 40}, {42, 43}, {51, 52}}},
    };
    return table;
}

}  // namespace varnel::testing
