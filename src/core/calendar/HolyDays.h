#pragma once
// The holy-day table: up to 99 days read from "holydays.dat" and placed on the
// dates of one common year.
#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "core/common/DataFileReport.h"
#include "core/common/Date.h"
#include "core/common/Profile.h"

namespace varnel {

inline constexpr int kHolyDayCount = 99;

struct HolyDayRecord {
    std::string name;
    std::string description;
    std::string englishname;
    std::string biblereference;
    int16_t daynumber = 0;
    std::string hebrewmonthday;
    std::string hebrewday;
    std::string hebrewmonth;
    std::string hebrewyear;
    std::optional<Date> date;  // none: not shown this year
    std::string onthisday;
    std::string torah;
    std::string haftarah;
    std::string sephardic;
    std::string messianic;
    std::string brithadashah;
    // On a special Shabbat that keeps the week's portion: the passage read
    // after it (optional key "maftir").
    std::string maftir;
    // A day of rest, on which no fire is kindled and whose eve has candles:
    // the "restday" key, else what the record's name and day say.
    bool restDay = false;
};

// Indexed 1..99; element 0 is unused.
using HolyDayTable = std::array<HolyDayRecord, kHolyDayCount + 1>;

inline constexpr const char* kHolyDayFile = "holydays.dat";
inline constexpr const char* kWeeklyPortion = "Weekly portion";

// Reads the table from a data file: a missing file is restored from its
// backup, an unusable one is read around through the backup (see DataFile.h).
// A record whose Hebrew month or day lies outside the calendar is skipped.
// Every problem goes into the report.
void LoadHolyDays(const std::string& datPath, HolyDayTable& table);
void LoadHolyDays(const std::string& datPath, HolyDayTable& table, DataFileReport& report);
// The records of an already parsed file; fileName names it in the warnings.
void ReadHolyDays(const ProfileFile& file, const std::string& fileName, HolyDayTable& table, DataFileReport& report);
// Places every record on its date in a common year.
void PlaceHolyDays(HolyDayTable& table, int year);

// The Saturday on or after 15 Nisan of the common year: the Shabbat of Pesach
// from which "Shabbat Pesach", "Birkurim" and "Shavuot" are placed.
Date PesachReferenceDate(int year);

// Whether a record is a day of rest when its file does not say: the two days of
// Yom T'ruah, Yom Kippur, the first two days of Sukkot, Shemini Atzeret, Simchat
// Torah, the first two and last two days of Hag HaMatzot and Shavuot.
bool DefaultRestDay(const HolyDayRecord& record);

// The leading integer of a text, like the system's Val: "-6" -> -6, "15th" -> 15,
// "" or "S" -> 0. Fractions are rounded to whole numbers.
int LeadingNumber(const std::string& text);

}  // namespace varnel
