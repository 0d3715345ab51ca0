#include "core/calendar/FestivalReadings.h"

#include <optional>
#include <string_view>

#include "core/calendar/HebrewCalendar.h"
#include "core/common/Date.h"

namespace varnel {

namespace {


struct FestivalPair {
    std::string_view entry;    // parashah text of the scheduled record
    std::string_view holyDay;  // name of the holy-day record with its readings
};

constexpr FestivalPair kFestivalPairs[] = {
    {kYomTruahShabbat, "Yom T'ruah (Rosh Hashanah)"},
    {kYomKippurShabbat, "Yom Kippur"},
    {kShabbatPesach, "Shabbat Pesach"},
    {kShavuotShabbatDay1, "Shavuot Shabbat (day 1)"},
    {kShavuotShabbatDay2, "Shavuot Shabbat (day 2)"},
    {kShabbatSukkot, "Shabbat Sukkot"},
    {kSheminiAtzeret, "Shemini Atzeret"},
};

constexpr std::string_view kFirstHanukkahShabbat = "Shabbat Hanukkah (1st)";
constexpr std::string_view kSecondHanukkahShabbat = "Shabbat Hanukkah (2nd)";

// The Shabbatot of the Hanukkah that begins in the common year.
struct Hanukkah {
    Date firstShabbat;
    std::optional<Date> secondShabbat;  // none when the feast holds only one Shabbat
};

Hanukkah HanukkahOf(int year) {
    const Date kislev25 = JulianDayToDate(HebrewDateUntilDecember(year, 3, 25, kGregorianSelector));
    Hanukkah h;
    h.firstShabbat = kislev25.SaturdayOnOrAfter();
    // Its eight days hold a second Shabbat only when the first day is one:
    // from a Friday start the next Saturday is already the ninth day.
    if (kislev25.Weekday() == kSaturday) h.secondShabbat = h.firstShabbat + 7;
    return h;
}

// The Hanukkah of the shown December, and the one before it for its last days
// that run into the shown January.
struct HanukkahShabbatot {
    Hanukkah current;
    Hanukkah previous;
    Date yearStart;
};

std::string_view HanukkahNameFor(Date date, const Hanukkah& h) {
    if (date == h.firstShabbat) return kFirstHanukkahShabbat;
    if (date == h.secondShabbat) return kSecondHanukkahShabbat;
    return {};
}

std::string_view HolyDayNameFor(const ParashahRecord& entry, const HanukkahShabbatot& hanukkah) {
    for (const FestivalPair& pair : kFestivalPairs)
        if (entry.parashah == pair.entry) return pair.holyDay;
    if (!entry.date) return {};
    const std::string_view name = HanukkahNameFor(*entry.date, hanukkah.current);
    if (!name.empty() || *entry.date < hanukkah.yearStart) return name;
    return HanukkahNameFor(*entry.date, hanukkah.previous);
}

const HolyDayRecord* FindHolyDay(const HolyDayTable& holydays, std::string_view name) {
    for (int i = 1; i <= kHolyDayCount; ++i)
        if (holydays[i].name == name) return &holydays[i];
    return nullptr;
}

bool IsSpecial(const std::string& reading) { return reading != kWeeklyPortion; }

}  // namespace

void ApplySpecialReadings(int year, const HolyDayTable& holydays, ParashahTable& parashot) {
    const HanukkahShabbatot hanukkah{HanukkahOf(year), HanukkahOf(year - 1), Date(year, 1, 1)};
    for (int i = 1; i <= kParashotEntries; ++i) {
        ParashahRecord& entry = parashot[i];
        const std::string_view name = HolyDayNameFor(entry, hanukkah);
        if (name.empty()) continue;
        const HolyDayRecord* day = FindHolyDay(holydays, name);
        if (!day) continue;
        if (IsSpecial(day->torah)) {
            entry.english = kSpecialReading;
            entry.torah = day->torah;
            entry.messianic = day->messianic;
            entry.sephardic = day->sephardic;
            entry.brithadashah = day->brithadashah;
        }
        if (IsSpecial(day->haftarah)) {
            entry.haftarah = day->haftarah;
            // The Sephardic Haftarah is a Haftarah too: a special one replaces
            // the week's own even when the Torah reading stays.
            if (!day->sephardic.empty() && IsSpecial(day->sephardic)) entry.sephardic = day->sephardic;
        }
    }
}

}  // namespace varnel
