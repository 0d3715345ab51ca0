#include "core/calendar/HolyDays.h"

#include <algorithm>
#include <cctype>
#include <cmath>

#include "core/calendar/HebrewCalendar.h"
#include "core/common/DataFile.h"
#include "core/common/Date.h"
#include "core/common/Files.h"
#include "core/common/MessageText.h"

namespace varnel {

namespace {

bool IsShabbatRelative(const std::string& hebrewday) { return hebrewday == "S" || hebrewday == "s"; }

// Fasts that fall on a Shabbat are kept on the Sunday after it.
bool MovesToSunday(const std::string& name) {
    return name == "Tzom Gedaliah" || name == "Shiva Asar B'Tammuz" || name == "Tisha B'Av";
}

// Where a record falls in one Hebrew year, before it becomes a day: the
// placement works on these small values, and only the days kept in the common
// year are copied from their records.
struct Placement {
    int record = 0;
    Date date;
    int hebrewYear = 0;  // of the date as placed, before a fast moves
    int16_t daynumber = 0;
    int moonMonth = 0;  // a new moon: the Hebrew month it begins
    bool keepsRest = true;  // false: no day of rest here whatever the record says
};

void AddDay(const HolyDayRecord& r, int record, Date date, std::vector<Placement>& out) {
    out.push_back({record, date, HebrewDateOf(date).year, r.daynumber, 0, true});
}

// A day as the calendar shows it: a copy of its record with its date.
HolyDayRecord DayOf(const HolyDayRecord& r, const Placement& p) {
    HolyDayRecord day = r;
    day.record = p.record;
    day.date = p.date;
    day.hebrewyear = std::to_string(p.hebrewYear);
    day.daynumber = p.daynumber;
    if (p.moonMonth != 0) day.name = r.name + " " + HebrewMonthName(p.hebrewYear, p.moonMonth);
    if (!p.keepsRest) day.restDay = false;
    return day;
}

// The dates a rule-placed record gives in a Hebrew year. The second day of
// Shavuot follows the record before it, as a feast's following days do;
// counted from 16 Nisan it is a second day kept only outside Israel.
void PlaceByRule(const HolyDayTable& table, int i, int hebrewYear, const HolyDayRules& rules,
                 std::array<std::optional<Date>, kHolyDayCount + 1>& dates, std::vector<Placement>& out) {
    const HolyDayRecord& r = table[i];
    if (r.name == kRoshChodesh) {
        for (const NewMoonDay& moon : NewMoonsOf(hebrewYear)) {
            AddDay(r, i, moon.date, out);
            out.back().moonMonth = moon.month;
            out.back().daynumber = static_cast<int16_t>(moon.daynumber);
        }
        return;
    }
    std::optional<Date> date;
    if (r.name == "Shavuot" && r.daynumber == 2) {
        // Counted from the Sabbath both days are the count's own, in Israel too.
        const bool kept = rules.omer == OmerReckoning::Sabbath || !(rules.israel && r.diasporaOnly);
        if (dates[i - 1] && kept) date = *dates[i - 1] + 1;
    } else {
        date = RuleDateOf(r.name, hebrewYear, rules);
    }
    dates[i] = date;
    if (date) AddDay(r, i, *date, out);
}

// The days of every record in one Hebrew year.
void PlaceInHebrewYear(const HolyDayTable& table, int hebrewYear, const HolyDayRules& rules,
                       std::vector<Placement>& out) {
    std::array<std::optional<Date>, kHolyDayCount + 1> dates{};
    std::string previousName;  // the last record placed by its own Hebrew date
    for (int i = 1; i <= kHolyDayCount; ++i) {
        const HolyDayRecord& r = table[i];
        if (r.name.empty()) {
            // An empty section ends any run of a multi-day feast.
            previousName.clear();
            continue;
        }
        if (IsShabbatRelative(r.hebrewday)) {
            PlaceByRule(table, i, hebrewYear, rules, dates, out);
            continue;
        }
        std::optional<Date> date;
        if (r.name == previousName && r.daynumber != 0) {
            // The following day of a feast: none when the day before has none.
            if (dates[i - 1]) date = *dates[i - 1] + 1;
        } else {
            date = HebrewDay(hebrewYear, LeadingNumber(r.hebrewmonth), LeadingNumber(r.hebrewday));
        }
        previousName = r.name;
        if (date && rules.israel && r.name == "Simchat Torah") *date -= 1;  // one day with Shemini Atzeret
        dates[i] = date;
        if (!date) continue;
        if (rules.israel && r.diasporaOnly) {
            // Israel keeps a feast's last second day not at all, a first one
            // as a day of the feast that is no day of rest.
            if (i == kHolyDayCount || table[i + 1].name != r.name) continue;
            AddDay(r, i, *date, out);
            out.back().keepsRest = false;
            continue;
        }
        AddDay(r, i, *date, out);
        const int weekday = date->Weekday();
        if (r.name == "Ta'anit Esther") {
            // The fast is kept on the Thursday before.
            if (weekday == kSaturday) out.back().date -= 2;
            else if (weekday == kFriday) out.back().date -= 1;
        } else if (MovesToSunday(r.name) && weekday == kSaturday) {
            out.back().date += 1;
        }
    }
}

constexpr DataFileShape kHolyDayShape{"HolyDay", "name", kHolyDayCount, "holy days",
                                     "the calendar shows no holy days"};

// Why a record cannot be placed, or empty when it can: a month outside 1..13
// (or -1..-13 counted back from Elul) or a day outside 1..30 would land on a
// wrong date, or on none the calendar knows. Shabbat-relative days and the
// following days of a feast do not use their own month and day.
std::string RangeFault(const HolyDayRecord& r, const std::string& previousName) {
    if (IsShabbatRelative(r.hebrewday) || (r.name == previousName && r.daynumber != 0)) return {};
    const int month = LeadingNumber(r.hebrewmonth);
    if (month < -13 || month > 13 || month == 0)
        return "hebrewmonth \"" + EscapeForMessage(r.hebrewmonth) + "\" is not a month 1..13 or -1..-13";
    const int day = LeadingNumber(r.hebrewday);
    if (day < 1 || day > 30)
        return "hebrewday \"" + EscapeForMessage(r.hebrewday) + "\" is not a day 1..30 or \"S\"";
    return {};
}

}  // namespace

int LeadingNumber(const std::string& text) {
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
    double value = 0;
    bool any = false;
    while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]))) {
        value = value * 10 + (text[i++] - '0');
        any = true;
        if (value > 1e9) return 0;  // far outside every field: treated as no number
    }
    if (i < text.size() && text[i] == '.') {
        double scale = 0.1;
        for (++i; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); ++i, scale /= 10) {
            value += (text[i] - '0') * scale;
            any = true;
        }
    }
    if (!any) return 0;
    return static_cast<int>(std::nearbyint(negative ? -value : value));
}

bool DefaultRestDay(const HolyDayRecord& r) {
    const std::string& n = r.name;
    if (n == "Yom T'ruah (Rosh Hashanah)" || n == "Yom Kippur" || n == "Shemini Atzeret" || n == "Simchat Torah" ||
        n == "Shavuot")
        return true;
    if (n == "Sukkot") return r.daynumber <= 2;
    if (n == "Hag HaMatzot") return r.daynumber <= 2 || r.daynumber >= 7;
    return false;
}

bool DefaultDiasporaOnly(const HolyDayRecord& r) {
    if (r.name == "Sukkot" || r.name == "Shavuot") return r.daynumber == 2;
    if (r.name == "Hag HaMatzot") return r.daynumber == 2 || r.daynumber == 8;
    return false;
}

void ReadHolyDays(const ProfileFile& file, const std::string& fileName, HolyDayTable& table,
                  DataFileReport& report) {
    table.fill(HolyDayRecord{});
    std::string previousName;  // as the placement follows runs of feast days
    for (int i = 1; i <= kHolyDayCount; ++i) {
        const std::string name = "HolyDay" + std::to_string(i);
        const ProfileFile::SectionReader section = file.SectionOf(name);
        HolyDayRecord& r = table[i];
        r.name = section.Get("name");
        if (r.name.empty()) {
            previousName.clear();
            continue;
        }
        r.englishname = section.Get("englishname");
        r.biblereference = section.Get("biblereference");
        r.description = section.Get("description");
        const int daynumber = LeadingNumber(section.Get("daynumber"));
        r.daynumber = daynumber >= INT16_MIN && daynumber <= INT16_MAX ? static_cast<int16_t>(daynumber) : 0;
        r.hebrewmonthday = section.Get("hebrewmonthday");
        r.hebrewmonth = section.Get("hebrewmonth");
        r.hebrewday = section.Get("hebrewday");
        if (const std::string fault = RangeFault(r, previousName); !fault.empty()) {
            report.Add(DataFileProblem::Level::Warning, fileName,
                       fileName + ", section [" + name + "] \"" + EscapeForMessage(r.name) + "\": " + fault +
                           "; the day is skipped.");
            r = HolyDayRecord{};
            previousName.clear();  // shown on no day, like an empty section
            continue;
        }
        if (!IsShabbatRelative(r.hebrewday)) previousName = r.name;
        r.onthisday = section.Get("onthisday");
        r.torah = section.Get("torah");
        r.haftarah = section.Get("haftarah");
        r.sephardic = section.Get("sephardic");
        r.messianic = section.Get("messianic");
        r.brithadashah = section.Get("brithadashah");
        r.maftir = section.Get("maftir");
        const std::string rest = section.Get("restday");
        r.restDay = rest.empty() ? DefaultRestDay(r) : LeadingNumber(rest) != 0;
        const std::string diaspora = section.Get("diasporaonly");
        r.diasporaOnly = diaspora.empty() ? DefaultDiasporaOnly(r) : LeadingNumber(diaspora) != 0;
    }
}

bool LoadHolyDays(const std::string& datPath, HolyDayTable& table, DataFileReport& report) {
    const DataFileContents contents = ReadDataFile(datPath, kHolyDayShape, report);
    ReadHolyDays(contents.profile, contents.fileName, table, report);
    return !contents.absent;
}

void LoadHolyDays(const std::string& datPath, HolyDayTable& table) {
    DataFileReport unused;
    LoadHolyDays(datPath, table, unused);
}

namespace {

// Where the records fall in a common year (1..9999), from the two Hebrew
// years that share it: in table order, and by date within a record.
std::vector<Placement> PlacementsIn(const HolyDayTable& table, int year, const HolyDayRules& rules) {
    // The Hebrew year of 1 January, and the next one, which begins in the autumn.
    const int first = HebrewDateOf(Date(year, 1, 1)).year;
    std::vector<Placement> both;
    both.reserve(2 * kHolyDayCount);
    for (int hebrewYear : {first, first + 1}) PlaceInHebrewYear(table, hebrewYear, rules, both);
    std::erase_if(both, [year](const Placement& p) { return p.date.Year() != year; });
    std::stable_sort(both.begin(), both.end(), [](const Placement& a, const Placement& b) {
        return a.record != b.record ? a.record < b.record : a.date < b.date;
    });
    return both;
}

}  // namespace

PlacedHolyDays PlaceHolyDays(const HolyDayTable& table, int year, const HolyDayRules& rules) {
    PlacedHolyDays days;
    if (year < kMinYear || year > kMaxYear) return days;
    const std::vector<Placement> placements = PlacementsIn(table, year, rules);
    days.reserve(placements.size());
    for (const Placement& p : placements) days.push_back(DayOf(table[p.record], p));
    return days;
}

PlacedHolyDays PlaceHolyDaysOn(const HolyDayTable& table, Date date, const HolyDayRules& rules) {
    PlacedHolyDays days;
    if (!date.IsInSupportedRange()) return days;
    for (const Placement& p : PlacementsIn(table, date.Year(), rules))
        if (p.date == date) days.push_back(DayOf(table[p.record], p));
    return days;
}

bool TakesTheDay(const HolyDayRecord& day, const HolyDayRecord& other) {
    const auto newMoon = [](const HolyDayRecord& r) { return r.name.starts_with(kRoshChodesh); };
    if (newMoon(day) != newMoon(other)) return newMoon(other);
    return day.record >= other.record;
}

}  // namespace varnel
