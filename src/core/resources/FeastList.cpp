#include "core/resources/FeastList.h"

#include <algorithm>
#include <array>

#include "core/common/Profile.h"

namespace varnel {
namespace {

// Days placed by a rule that still have resources of their own (the festival
// Shabbatot are read under their feasts).
constexpr std::array<std::string_view, 16> kShabbatFeasts = {
    "Birkurim",         "Shavuot",        "Shabbat HaGadol", "Shabbat T'shuvah", "Rosh Chodesh",     "Purim Katan",
    "Shabbat Shekalim", "Shabbat Zachor", "Shabbat Parah",   "Shabbat HaChodesh", "Shabbat Chazon", "Shabbat Nachamu",
    "Yom HaShoah",      "Yom HaZikaron",  "Yom HaAtzmaut",   "Yom Yerushalayim"};

bool Passes(const HolyDayRecord& r) {
    // A name that cannot be a section of the resource file (it would be read
    // back under another name) is no feast of the list.
    if (r.name.empty() || r.name.find_first_of("[]\r\n") != std::string::npos) return false;
    const bool first = r.name.find("Erev") != std::string::npos ? r.daynumber == 1 : r.daynumber == 0 || r.daynumber == 1;
    if (!first) return false;
    if (ToLowerAscii(r.hebrewday) != "s") return true;
    return std::find(kShabbatFeasts.begin(), kShabbatFeasts.end(), r.name) != kShabbatFeasts.end();
}

}  // namespace

std::vector<std::string> FeastNames(const HolyDayTable& table) {
    std::vector<std::string> names;
    for (int i = 1; i <= kHolyDayCount; ++i) {
        const HolyDayRecord& r = table[static_cast<size_t>(i)];
        if (Passes(r) && FindFeast(names, r.name).empty()) names.push_back(r.name);
    }
    return names;
}

std::string FindFeast(const std::vector<std::string>& feasts, const std::string& name) {
    const std::string wanted = ToLowerAscii(TrimBlanks(name));
    for (const std::string& f : feasts)
        if (ToLowerAscii(f) == wanted) return f;
    return {};
}

}  // namespace varnel
