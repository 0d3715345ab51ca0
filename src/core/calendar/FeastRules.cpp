#include "core/calendar/FeastRules.h"

#include <array>
#include <cctype>
#include <utility>

#include "core/calendar/HebrewCalendar.h"

namespace varnel {
namespace {

constexpr int kTishrei = 1, kNisan = -6, kIyar = -5, kSivan = -4, kAv = -2, kAdar = -7;  // Adar II in a leap year

Date SaturdayOnOrBefore(Date d) { return d - d.Weekday() % kSaturday; }
Date SaturdayBefore(Date d) { return SaturdayOnOrBefore(d - 1); }
Date SaturdayAfter(Date d) { return (d + 1).SaturdayOnOrAfter(); }

// The first Hebrew years in which the modern days were kept.
constexpr int kFirstIndependenceDay = 5709;
constexpr int kFirstHolocaustDay = 5711;
constexpr int kFirstJerusalemDay = 5728;

// Yom HaShoah, 27 Nisan, kept off the days next to the Shabbat.
Date HolocaustDay(int y) {
    const Date d = HebrewDay(y, kNisan, 27);
    if (d.Weekday() == kFriday) return d - 1;
    if (d.Weekday() == kSunday) return d + 1;
    return d;
}

// Yom HaAtzmaut, 5 Iyar, moved so that neither it nor Yom HaZikaron the day
// before touches the Shabbat: to the Thursday from a Friday or a Saturday, and
// (from 5764) to the Tuesday from a Monday.
Date IndependenceDay(int y) {
    const Date d = HebrewDay(y, kIyar, 5);
    if (d.Weekday() == kFriday) return d - 1;
    if (d.Weekday() == kSaturday) return d - 2;
    if (d.Weekday() == kMonday && y >= 5764) return d + 1;
    return d;
}

using Rule = std::optional<Date> (*)(int hebrewYear, const HolyDayRules& rules);

const std::array<std::pair<std::string_view, Rule>, 17> kRules = {{
    {"Shabbat Sukkot",
     [](int y, const HolyDayRules&) -> std::optional<Date> {
         // When Sukkot begins on a Shabbat the year has no other Shabbat of Sukkot.
         const Date sukkot = HebrewDay(y, kTishrei, 15);
         if (sukkot.Weekday() == kSaturday) return std::nullopt;
         return sukkot.SaturdayOnOrAfter();
     }},
    {"Shabbat T'shuvah", [](int y, const HolyDayRules&) -> std::optional<Date> {
         return HebrewDay(y, kTishrei, 3).SaturdayOnOrAfter();
     }},
    {"Shabbat Pesach", [](int y, const HolyDayRules&) -> std::optional<Date> { return ShabbatPesachOf(y); }},
    {"Birkurim", [](int y, const HolyDayRules& r) -> std::optional<Date> { return FirstFruitsOf(y, r.omer); }},
    {"Shabbat HaGadol", [](int y, const HolyDayRules&) -> std::optional<Date> {
         return SaturdayBefore(HebrewDay(y, kNisan, 15));
     }},
    {"Shabbat Shekalim", [](int y, const HolyDayRules&) -> std::optional<Date> {
         return SaturdayOnOrBefore(HebrewDay(y, kAdar, 1));
     }},
    {"Shabbat Zachor", [](int y, const HolyDayRules&) -> std::optional<Date> {
         return SaturdayBefore(HebrewDay(y, kAdar, 14));
     }},
    {"Shabbat Parah", [](int y, const HolyDayRules&) -> std::optional<Date> {
         return SaturdayOnOrBefore(HebrewDay(y, kNisan, 1)) - 7;
     }},
    {"Shabbat HaChodesh", [](int y, const HolyDayRules&) -> std::optional<Date> {
         return SaturdayOnOrBefore(HebrewDay(y, kNisan, 1));
     }},
    {"Shabbat Chazon", [](int y, const HolyDayRules&) -> std::optional<Date> {
         return SaturdayOnOrBefore(HebrewDay(y, kAv, 9));
     }},
    {"Shabbat Nachamu", [](int y, const HolyDayRules&) -> std::optional<Date> {
         return SaturdayAfter(HebrewDay(y, kAv, 9));
     }},
    {"Purim Katan", [](int y, const HolyDayRules&) -> std::optional<Date> {
         if (!HebrewLeapYear(y)) return std::nullopt;
         return HebrewDay(y, 6, 14);  // 14 Adar I
     }},
    {"Yom HaShoah", [](int y, const HolyDayRules& r) -> std::optional<Date> {
         if (!r.modernDays || y < kFirstHolocaustDay) return std::nullopt;
         return HolocaustDay(y);
     }},
    {"Yom HaZikaron", [](int y, const HolyDayRules& r) -> std::optional<Date> {
         if (!r.modernDays || y < kFirstIndependenceDay) return std::nullopt;
         return IndependenceDay(y) - 1;
     }},
    {"Yom HaAtzmaut", [](int y, const HolyDayRules& r) -> std::optional<Date> {
         if (!r.modernDays || y < kFirstIndependenceDay) return std::nullopt;
         return IndependenceDay(y);
     }},
    {"Yom Yerushalayim", [](int y, const HolyDayRules& r) -> std::optional<Date> {
         if (!r.modernDays || y < kFirstJerusalemDay) return std::nullopt;
         return HebrewDay(y, kIyar, 28);
     }},
    {"Shavuot", [](int y, const HolyDayRules& r) -> std::optional<Date> { return ShavuotDaysOf(y, r).front(); }},
}};

Rule FindRule(std::string_view name) {
    for (const auto& [ruleName, rule] : kRules)
        if (ruleName == name) return rule;
    return nullptr;
}

}  // namespace

std::optional<OmerReckoning> ParseOmerReckoning(std::string_view text) {
    if (text == kOmerSabbathName) return OmerReckoning::Sabbath;
    if (text == kOmerNisan16Name) return OmerReckoning::Nisan16;
    return std::nullopt;
}

const char* OmerReckoningName(OmerReckoning reckoning) {
    return reckoning == OmerReckoning::Nisan16 ? kOmerNisan16Name : kOmerSabbathName;
}

std::optional<ScheduleChoice> ParseScheduleChoice(std::string_view text) {
    if (text == "auto") return ScheduleChoice::Auto;
    if (text == "diaspora") return ScheduleChoice::Diaspora;
    if (text == "israel") return ScheduleChoice::Israel;
    return std::nullopt;
}

const char* ScheduleChoiceName(ScheduleChoice choice) {
    switch (choice) {
    case ScheduleChoice::Diaspora: return "diaspora";
    case ScheduleChoice::Israel: return "israel";
    case ScheduleChoice::Auto: break;
    }
    return "auto";
}

void SettleSchedule(HolyDayRules& rules, bool placeInIsrael) {
    rules.israel = rules.schedule == ScheduleChoice::Israel || (rules.schedule == ScheduleChoice::Auto && placeInIsrael);
}

namespace {

std::string LoweredSetting(const UserSettings& settings, std::string_view key, std::string_view fallback) {
    std::string text = TrimSpaces(settings.Text(key, fallback));
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

}  // namespace

HolyDayRules HolyDayRulesOf(const UserSettings& settings) {
    HolyDayRules rules;
    rules.omer = ParseOmerReckoning(LoweredSetting(settings, setting::kOmerReckoning, kOmerSabbathName))
                     .value_or(OmerReckoning::Sabbath);
    rules.modernDays = settings.Int(setting::kModernDays, 1) != 0;
    rules.schedule = ParseScheduleChoice(LoweredSetting(settings, setting::kSchedule, "auto")).value_or(ScheduleChoice::Auto);
    SettleSchedule(rules, false);
    return rules;
}

Date HebrewDay(int hebrewYear, int month, int day) { return JulianDayToDate(HebrewToJulianDay(hebrewYear, month, day)); }

Date ShabbatPesachOf(int hebrewYear) { return HebrewDay(hebrewYear, kNisan, 15).SaturdayOnOrAfter(); }

Date FirstFruitsOf(int hebrewYear, OmerReckoning reckoning) {
    if (reckoning == OmerReckoning::Nisan16) return HebrewDay(hebrewYear, kNisan, 16);
    return ShabbatPesachOf(hebrewYear) + 1;
}

std::vector<Date> ShavuotDaysOf(int hebrewYear, const HolyDayRules& rules) {
    if (rules.omer == OmerReckoning::Sabbath) {
        const Date seventhSabbath = ShabbatPesachOf(hebrewYear) + 49;
        return {seventhSabbath, seventhSabbath + 1};
    }
    const Date sivan6 = HebrewDay(hebrewYear, kSivan, 6);
    if (rules.israel) return {sivan6};
    return {sivan6, sivan6 + 1};
}

int OmerDayOf(Date date, OmerReckoning reckoning) {
    const int n = date - FirstFruitsOf(HebrewDateOf(date).year, reckoning) + 2;
    return n >= 1 && n <= 49 ? n : 0;
}

std::optional<Date> RuleDateOf(std::string_view name, int hebrewYear, const HolyDayRules& rules) {
    const Rule rule = FindRule(name);
    if (!rule) return std::nullopt;
    return rule(hebrewYear, rules);
}

bool HasDateRule(std::string_view name) { return FindRule(name) != nullptr || name == kRoshChodesh; }

std::vector<NewMoonDay> NewMoonsOf(int hebrewYear) {
    std::vector<NewMoonDay> days;
    const int months = HebrewLeapYear(hebrewYear) ? 13 : 12;
    for (int m = 2; m <= months; ++m) {
        const Date first = HebrewDay(hebrewYear, m, 1);
        if (DaysInHebrewMonth(hebrewYear, m - 1) == 30) {
            days.push_back({first - 1, m, 1});
            days.push_back({first, m, 2});
        } else {
            days.push_back({first, m, 0});
        }
    }
    return days;
}

}  // namespace varnel
