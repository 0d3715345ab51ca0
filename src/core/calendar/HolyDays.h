#pragma once
// The holy-day table: up to 99 days read from "holydays.dat", and the days it
// gives in one common year.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/calendar/FeastRules.h"

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
    // A second day of a festival kept only outside Israel: under the Israeli
    // schedule no day of rest, and not kept at all when it ends its feast (the
    // "diasporaonly" key, else what the record's name and day say).
    bool diasporaOnly = false;
    int record = 0;  // on a placed day: the section number of the record it comes from
};

// Indexed 1..99 as read; element 0 is unused.
using HolyDayTable = std::array<HolyDayRecord, kHolyDayCount + 1>;
// The holy days dated in one common year, in table order and by date within
// a record: each a copy of its record with its date, Hebrew year and (for the
// new moons) its own name and day number. A record can give several days: a
// late-Tevet day falls in January and again in December, the new-moon record
// gives every new moon.
using PlacedHolyDays = std::vector<HolyDayRecord>;

inline constexpr const char* kHolyDayFile = "holydays.dat";
inline constexpr const char* kWeeklyPortion = "Weekly portion";

// Reads the table from a data file: a missing file is restored from its
// backup, an unusable one is read around through the backup (see DataFile.h).
// A record whose Hebrew month or day lies outside the calendar is skipped.
// Every problem goes into the report. False when neither the file nor its
// backup is there.
void LoadHolyDays(const std::string& datPath, HolyDayTable& table);
bool LoadHolyDays(const std::string& datPath, HolyDayTable& table, DataFileReport& report);
// The records of an already parsed file; fileName names it in the warnings.
void ReadHolyDays(const ProfileFile& file, const std::string& fileName, HolyDayTable& table, DataFileReport& report);
// Every day the table gives in a common year (1..9999), from the two Hebrew
// years that share it.
PlacedHolyDays PlaceHolyDays(const HolyDayTable& table, int year, const HolyDayRules& rules = {});
// The days of PlaceHolyDays that fall on one date, in the same order, without
// copying the rest of the year's records.
PlacedHolyDays PlaceHolyDaysOn(const HolyDayTable& table, Date date, const HolyDayRules& rules = {});

// Of two holy days on one date, whether the first is the one the day shows
// rather than the other: the later record in the table, except that a new
// moon gives way to any other day (Hanukkah, a special Shabbat).
bool TakesTheDay(const HolyDayRecord& day, const HolyDayRecord& other);

// Whether a record is a day of rest when its file does not say: the two days of
// Yom T'ruah, Yom Kippur, the first two days of Sukkot, Shemini Atzeret, Simchat
// Torah, the first two and last two days of Hag HaMatzot and Shavuot.
bool DefaultRestDay(const HolyDayRecord& record);
// Whether a record is a second day kept only outside Israel when its file does
// not say: the second day of Sukkot, of Hag HaMatzot and of Shavuot, and the
// eighth of Hag HaMatzot.
bool DefaultDiasporaOnly(const HolyDayRecord& record);

// The leading integer of a text, like the system's Val: "-6" -> -6, "15th" -> 15,
// "" or "S" -> 0. Fractions are rounded to whole numbers.
int LeadingNumber(const std::string& text);

}  // namespace varnel
