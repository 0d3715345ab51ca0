#include "core/calendar/FestivalReadings.h"

#include <string_view>

#include "core/calendar/HebrewCalendar.h"
#include "core/calendar/NamedShabbatot.h"
#include "core/common/Date.h"

namespace varnel {

namespace {

// The holy-day record whose readings a festival entry takes: by name, and by
// its day of the feast when the name runs over several records (0: the first).
struct FestivalDay {
    std::string_view name;
    int daynumber = 0;
    std::string_view fallback = {};  // a table without that record: this one's
};

constexpr std::string_view kHagHaMatzot = "Hag HaMatzot";

FestivalDay FestivalDayOf(const ParashahRecord& entry, ReadingSchedule schedule) {
    const std::string& p = entry.parashah;
    if (p == kSheminiAtzeret && schedule == ReadingSchedule::Israel) return {"Simchat Torah", 0, kSheminiAtzeret};
    if (p == kYomTruahShabbat) return {"Yom T'ruah (Rosh Hashanah)"};
    if (p == kYomKippurShabbat) return {"Yom Kippur"};
    if (p == kSukkotShabbat) return {"Sukkot", 1, kShabbatSukkot};
    if (p == kShabbatSukkot) return {"Shabbat Sukkot"};
    if (p == kSheminiAtzeret) return {"Shemini Atzeret"};
    if (p == kShavuotShabbatDay1) return {"Shavuot Shabbat (day 1)"};
    if (p == kShavuotShabbatDay2) return {"Shavuot Shabbat (day 2)"};
    if (p == kLastDayOfPesachShabbat) return {kHagHaMatzot, 8, kShabbatPesach};
    if (p == kShabbatPesach) {
        // The first and the seventh day read their own portions, not those of
        // the Shabbat of the intermediate days.
        const int day = entry.date ? HebrewDateOf(*entry.date).day : 0;
        if (day == 15) return {kHagHaMatzot, 1, kShabbatPesach};
        if (day == 21) return {kHagHaMatzot, 7, kShabbatPesach};
        return {kShabbatPesach};
    }
    return {};
}

const HolyDayRecord* FindHolyDay(const HolyDayTable& holydays, std::string_view name, int daynumber = 0) {
    for (int i = 1; i <= kHolyDayCount; ++i)
        if (holydays[i].name == name && (daynumber == 0 || holydays[i].daynumber == daynumber)) return &holydays[i];
    return nullptr;
}

bool IsSpecial(const std::string& reading) { return reading != kWeeklyPortion; }

// A record's readings over the entry's: its Torah (with the other readings of
// its custom) unless it keeps the week's, and its Haftarah unless it keeps the
// week's.
void TakeReadings(const HolyDayRecord& day, ParashahRecord& entry) {
    if (IsSpecial(day.torah)) {
        entry.english = kSpecialReading;
        entry.torah = day.torah;
        entry.messianic = day.messianic;
        entry.sephardic = day.sephardic;
        entry.brithadashah = day.brithadashah;
    }
    if (IsSpecial(day.haftarah)) {
        entry.haftarah = day.haftarah;
        // The Sephardic Haftarah is a Haftarah too: a special one replaces
        // the week's own even when the Torah reading stays.
        if (!day.sephardic.empty() && IsSpecial(day.sephardic)) entry.sephardic = day.sephardic;
    }
}

// The week's portion on a special Shabbat: the strongest one's Haftarah, and
// after the last portion of the day every special maftir in reading order.
void TakeShabbatReadings(const HolyDayTable& holydays, Date saturday, bool lastOfDay, ParashahRecord& entry) {
    const ShabbatSpecials specials = SpecialsOfShabbat(saturday);
    if (!specials.haftarah.empty())
        if (const HolyDayRecord* day = FindHolyDay(holydays, specials.haftarah)) TakeReadings(*day, entry);
    if (!lastOfDay) return;
    for (std::string_view name : specials.maftirs) {
        const HolyDayRecord* day = FindHolyDay(holydays, name);
        if (day && !day->maftir.empty()) entry.torah += (entry.torah.empty() ? "" : "; ") + day->maftir;
    }
}

}  // namespace

void ApplySpecialReadings(const HolyDayTable& holydays, ParashahTable& parashot, ReadingSchedule schedule) {
    for (int i = 1; i <= kParashotEntries; ++i) {
        ParashahRecord& entry = parashot[i];
        if (!entry.date || entry.date->Weekday() != kSaturday) continue;
        if (const FestivalDay festival = FestivalDayOf(entry, schedule); !festival.name.empty()) {
            const HolyDayRecord* day = FindHolyDay(holydays, festival.name, festival.daynumber);
            if (!day && !festival.fallback.empty()) day = FindHolyDay(holydays, festival.fallback);
            if (day) TakeReadings(*day, entry);
            continue;
        }
        const bool lastOfDay = i == kParashotEntries || parashot[i + 1].date != entry.date;
        TakeShabbatReadings(holydays, *entry.date, lastOfDay, entry);
    }
}

void NameShavuotReadings(ParashahTable& parashot, const HolyDayRules& rules) {
    for (int i = 1; i <= kParashotEntries; ++i) {
        ParashahRecord& entry = parashot[i];
        const size_t day = entry.parashah == kShavuotShabbatDay1 ? 1 : entry.parashah == kShavuotShabbatDay2 ? 2 : 0;
        if (day == 0 || !entry.date) continue;
        const std::vector<Date> days = ShavuotDaysOf(HebrewDateOf(*entry.date).year, rules);
        if (days.size() < day || days[day - 1] != *entry.date) entry.parashah = kShavuotReading;
    }
}

}  // namespace varnel
