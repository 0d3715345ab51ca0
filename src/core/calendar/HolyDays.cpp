#include "core/calendar/HolyDays.h"

#include <cctype>
#include <cmath>

#include "core/calendar/HebrewCalendar.h"
#include "core/common/DataFile.h"
#include "core/common/Date.h"
#include "core/common/Files.h"
#include "core/common/MessageText.h"

namespace varnel {

namespace {

// The calendar date of a Hebrew month/day, last occurrence up to 31 December.
// None when the arithmetic overflows (a year far outside the calendar).
std::optional<Date> UntilDecember(int year, int month, int day) {
    const int32_t dayNumber = HebrewDateUntilDecember(year, month, day, kGregorianSelector);
    if (dayNumber == 0) return std::nullopt;
    return JulianDayToDate(dayNumber);
}

std::optional<Date> SaturdayOnOrAfter(std::optional<Date> date) {
    return date ? std::optional<Date>(date->SaturdayOnOrAfter()) : std::nullopt;
}

std::optional<Date> SaturdayBefore(std::optional<Date> date) {
    if (!date) return std::nullopt;
    const Date before = *date - 1;
    return before - before.Weekday() % kSaturday;
}

void SetDate(HolyDayRecord& r, std::optional<Date> date) {
    r.date = date;
    r.hebrewyear = date ? std::to_string(HebrewDateOf(*date).year) : "0";
}

// The day after record i - 1: none when that record has no date this year (a
// Shabbat of Sukkot that does not fall, a name the placement does not know).
std::optional<Date> DayAfterRecordBefore(const HolyDayTable& table, int i) {
    const std::optional<Date> before = table[i - 1].date;
    return before ? std::optional<Date>(*before + 1) : std::nullopt;
}

bool IsShabbatRelative(const std::string& hebrewday) { return hebrewday == "S" || hebrewday == "s"; }

// Fasts that fall on a Shabbat are kept on the Sunday after it.
bool MovesToSunday(const std::string& name) {
    return name == "Tzom Gedaliah" || name == "Shiva Asar B'Tammuz" || name == "Tisha B'Av";
}

void PlaceShabbatRelative(HolyDayTable& table, int i, int year) {
    HolyDayRecord& r = table[i];
    if (r.name == "Shabbat Sukkot") {
        const std::optional<Date> sukkot = UntilDecember(year, 1, 15);
        if (!sukkot || sukkot->Weekday() == kSaturday) {
            SetDate(r, std::nullopt);
        } else {
            SetDate(r, sukkot->SaturdayOnOrAfter());
        }
    } else if (r.name == "Shabbat Pesach") {
        SetDate(r, PesachReferenceDate(year));
    } else if (r.name == "Shavuot") {
        if (r.daynumber == 2 && i > 1) {
            SetDate(r, DayAfterRecordBefore(table, i));
        } else {
            SetDate(r, PesachReferenceDate(year) + 49);
        }
    } else if (r.name == "Birkurim") {
        SetDate(r, PesachReferenceDate(year) + 1);
    } else if (r.name == "Shabbat HaGadol") {
        SetDate(r, SaturdayBefore(UntilDecember(year, -6, 15)));
    } else if (r.name == "Shabbat T'shuvah") {
        SetDate(r, SaturdayOnOrAfter(UntilDecember(year, 1, 3)));
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

Date PesachReferenceDate(int year) {
    return JulianDayToDate(HebrewDateFromJanuary(year, -6, 15, kGregorianSelector)).SaturdayOnOrAfter();
}

void ReadHolyDays(const ProfileFile& file, const std::string& fileName, HolyDayTable& table,
                  DataFileReport& report) {
    table.fill(HolyDayRecord{});
    std::string previousName;  // as the placement follows runs of feast days
    for (int i = 1; i <= kHolyDayCount; ++i) {
        const std::string section = "HolyDay" + std::to_string(i);
        HolyDayRecord& r = table[i];
        r.name = file.Get(section, "name");
        if (r.name.empty()) {
            previousName.clear();
            continue;
        }
        r.englishname = file.Get(section, "englishname");
        r.biblereference = file.Get(section, "biblereference");
        r.description = file.Get(section, "description");
        const int daynumber = LeadingNumber(file.Get(section, "daynumber"));
        r.daynumber = daynumber >= INT16_MIN && daynumber <= INT16_MAX ? static_cast<int16_t>(daynumber) : 0;
        r.hebrewmonthday = file.Get(section, "hebrewmonthday");
        r.hebrewmonth = file.Get(section, "hebrewmonth");
        r.hebrewday = file.Get(section, "hebrewday");
        if (const std::string fault = RangeFault(r, previousName); !fault.empty()) {
            report.Add(DataFileProblem::Level::Warning, fileName,
                       fileName + ", section [" + section + "] \"" + EscapeForMessage(r.name) + "\": " + fault +
                           "; the day is skipped.");
            r = HolyDayRecord{};
            previousName.clear();  // shown on no day, like an empty section
            continue;
        }
        if (!IsShabbatRelative(r.hebrewday)) previousName = r.name;
        r.onthisday = file.Get(section, "onthisday");
        r.torah = file.Get(section, "torah");
        r.haftarah = file.Get(section, "haftarah");
        r.sephardic = file.Get(section, "sephardic");
        r.messianic = file.Get(section, "messianic");
        r.brithadashah = file.Get(section, "brithadashah");
        r.maftir = file.Get(section, "maftir");
        const std::string rest = file.Get(section, "restday");
        r.restDay = rest.empty() ? DefaultRestDay(r) : LeadingNumber(rest) != 0;
    }
}

void LoadHolyDays(const std::string& datPath, HolyDayTable& table, DataFileReport& report) {
    const DataFileContents contents = ReadDataFile(datPath, kHolyDayShape, report);
    ReadHolyDays(contents.profile, contents.fileName, table, report);
}

void LoadHolyDays(const std::string& datPath, HolyDayTable& table) {
    DataFileReport unused;
    LoadHolyDays(datPath, table, unused);
}

void PlaceHolyDays(HolyDayTable& table, int year) {
    std::string previousName;
    for (int i = 1; i <= kHolyDayCount; ++i) {
        HolyDayRecord& r = table[i];
        if (r.name.empty()) {
            // An empty section is shown on no day, and it ends any run of a
            // multi-day feast: the record after it is placed by its own date.
            previousName.clear();
            continue;
        }
        if (IsShabbatRelative(r.hebrewday)) {
            PlaceShabbatRelative(table, i, year);
            continue;
        }
        std::optional<Date> date;
        if (r.name == previousName && r.daynumber != 0) {
            date = DayAfterRecordBefore(table, i);
        } else {
            date = UntilDecember(year, LeadingNumber(r.hebrewmonth), LeadingNumber(r.hebrewday));
        }
        previousName = r.name;
        SetDate(r, date);
        if (!date) continue;
        const int weekday = date->Weekday();
        if (r.name == "Ta'anit Esther") {
            // The fast is kept on the Thursday before; the Hebrew year stays.
            if (weekday == kSaturday) *r.date -= 2;
            else if (weekday == kFriday) *r.date -= 1;
        } else if (MovesToSunday(r.name) && weekday == kSaturday) {
            *r.date += 1;
        }
    }
}

}  // namespace varnel
