#include "core/calendar/HolyDays.h"

#include <cctype>
#include <cmath>

#include "core/calendar/HebrewCalendar.h"
#include "core/common/DataFile.h"
#include "core/common/DateSerial.h"
#include "core/common/Files.h"
#include "core/common/MessageText.h"

namespace varnel {

namespace {

// The calendar date of a Hebrew month/day, last occurrence up to 31 December.
int32_t UntilDecember(int year, int month, int day) {
    return JulianDayToDate(HebrewDateUntilDecember(year, month, day, kGregorianSelector));
}

int32_t SaturdayBefore(int32_t date) { return date - 1 - (Weekday(date - 1) % kSaturday); }

void SetDate(HolyDayRecord& r, int32_t date) {
    r.date = date;
    r.hebrewyear = date == 0 ? "0" : std::to_string(HebrewDateOf(date).year);
}

// The day after record i - 1: none when that record has no date this year (a
// Shabbat of Sukkot that does not fall, a name the placement does not know).
int32_t DayAfterRecordBefore(const HolyDayTable& table, int i) {
    const int32_t before = table[i - 1].date;
    return before == 0 ? 0 : before + 1;
}

bool IsShabbatRelative(const std::string& hebrewday) { return hebrewday == "S" || hebrewday == "s"; }

// Fasts that fall on a Shabbat are kept on the Sunday after it.
bool MovesToSunday(const std::string& name) {
    return name == "Tzom Gedaliah" || name == "Shiva Asar B'Tammuz" || name == "Tisha B'Av";
}

void PlaceShabbatRelative(HolyDayTable& table, int i, int year) {
    HolyDayRecord& r = table[i];
    if (r.name == "Shabbat Sukkot") {
        const int32_t sukkot = UntilDecember(year, 1, 15);
        if (Weekday(sukkot) == kSaturday) {
            r.date = 0;
            r.hebrewyear = "0";
        } else {
            SetDate(r, SaturdayOnOrAfter(sukkot));
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

int32_t PesachReferenceDate(int year) {
    return SaturdayOnOrAfter(JulianDayToDate(HebrewDateFromJanuary(year, -6, 15, kGregorianSelector)));
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
        int32_t date;
        if (r.name == previousName && r.daynumber != 0) {
            date = DayAfterRecordBefore(table, i);
        } else {
            date = UntilDecember(year, LeadingNumber(r.hebrewmonth), LeadingNumber(r.hebrewday));
        }
        previousName = r.name;
        SetDate(r, date);
        if (date == 0) continue;
        if (r.name == "Ta'anit Esther") {
            // The fast is kept on the Thursday before; the Hebrew year stays.
            if (Weekday(r.date) == kSaturday) r.date -= 2;
            else if (Weekday(r.date) == kFriday) r.date -= 1;
        } else if (MovesToSunday(r.name) && Weekday(r.date) == kSaturday) {
            r.date += 1;
        }
    }
}

}  // namespace varnel
