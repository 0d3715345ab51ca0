#pragma once
// The days whose date is a rule rather than one fixed Hebrew date, each worked
// out in a given Hebrew year: the Omer and Shavuot by the chosen reckoning,
// the special Shabbatot, the new moons and the modern days of Israel.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/common/Date.h"
#include "core/common/UserSettings.h"

namespace varnel {

// How the fifty days to Shavuot are counted: from the morrow after the weekly
// Sabbath that falls in Pesach (First Fruits on a Sunday), or from 16 Nisan.
enum class OmerReckoning { Sabbath, Nisan16 };
inline constexpr const char* kOmerSabbathName = "sabbath";
inline constexpr const char* kOmerNisan16Name = "nisan16";
std::optional<OmerReckoning> ParseOmerReckoning(std::string_view text);
const char* OmerReckoningName(OmerReckoning reckoning);

// Whose festival days and weekly portions the calendar keeps: those kept
// outside Israel, Israel's, or Israel's only for a place in Israel's zone.
enum class ScheduleChoice { Auto, Diaspora, Israel };
std::optional<ScheduleChoice> ParseScheduleChoice(std::string_view text);
const char* ScheduleChoiceName(ScheduleChoice choice);

// The choices that decide where the days of a year fall and what is read.
struct HolyDayRules {
    OmerReckoning omer = OmerReckoning::Sabbath;
    bool modernDays = true;  // Yom HaShoah, Yom HaZikaron, Yom HaAtzmaut, Yom Yerushalayim
    // The Israeli schedule in force: the second days kept only outside Israel
    // are not kept, Simchat Torah is Shemini Atzeret's day, the portions are
    // Israel's, and Shavuot counted from 16 Nisan is one day.
    bool israel = false;
    ScheduleChoice schedule = ScheduleChoice::Auto;  // as chosen; `israel` follows it and the place
    bool operator==(const HolyDayRules&) const = default;
};

// Settles `israel` from the schedule chosen and whether the place is in Israel.
void SettleSchedule(HolyDayRules& rules, bool placeInIsrael);

// The rules as the settings give them: "OmerReckoning" ("sabbath", the
// default, or "nisan16"), "ModernDays" (1, the default, or 0) and "Schedule"
// ("auto", the default, "diaspora" or "israel"); any other text reads as the
// default. The schedule is settled for a place outside Israel.
HolyDayRules HolyDayRulesOf(const UserSettings& settings);

// The calendar date of a Hebrew date (month in year order, or counted back
// from Elul as negative numbers).
Date HebrewDay(int hebrewYear, int month, int day);

// The Saturday on or after 15 Nisan: the Sabbath in Pesach.
Date ShabbatPesachOf(int hebrewYear);
// First Fruits, the first day of the Omer count.
Date FirstFruitsOf(int hebrewYear, OmerReckoning reckoning);
// The days of Shavuot as the holy-day table shows them: under the Sabbath
// reckoning the Saturday that ends the seventh week and the Sunday after it;
// from 16 Nisan 6 Sivan, and 7 Sivan outside Israel.
std::vector<Date> ShavuotDaysOf(int hebrewYear, const HolyDayRules& rules);
// The day of the Omer counted on the evening of a date (1..49), else 0.
int OmerDayOf(Date date, OmerReckoning reckoning);

// The date of a day placed by the rule of its name in a Hebrew year, none when
// the name has no rule or the day is not kept that year. The new moons are not
// here: see NewMoonsOf.
std::optional<Date> RuleDateOf(std::string_view name, int hebrewYear, const HolyDayRules& rules);
bool HasDateRule(std::string_view name);

// The new moons of a Hebrew year after Tishrei, in order: one day, or two when
// the month before has 30 days (its 30th, then the 1st).
struct NewMoonDay {
    Date date;
    int month = 0;      // year order
    int daynumber = 0;  // 0 for a one-day new moon, else 1 or 2
};
std::vector<NewMoonDay> NewMoonsOf(int hebrewYear);
inline constexpr const char* kRoshChodesh = "Rosh Chodesh";

}  // namespace varnel
