#pragma once
// The weekly-portion schedule: the 54 portions of "parashot.dat" laid over the
// Shabbatot of one reading cycle (23 Tishrei to 23 Tishrei) and continued from
// the new cycle's start up to 31 December of the shown common year.
#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "core/common/DataFileReport.h"
#include "core/common/Date.h"
#include "core/common/Profile.h"

namespace varnel {

inline constexpr int kPortionCount = 54;    // sections "Parashah1".."Parashah54"
inline constexpr int kParashotEntries = 75;  // table entries 1..75

struct ParashahRecord {
    std::optional<Date> date;  // none: not scheduled
    std::string parashah;
    std::string english;
    std::string torah;
    std::string haftarah;
    std::string sephardic;
    std::string messianic;
    std::string brithadashah;
};

// Entries 1..75 are the table; element 0 is unused and element 76 is never
// written (a step that would write past entry 75 is skipped).
using ParashahTable = std::array<ParashahRecord, kParashotEntries + 2>;

inline constexpr const char* kParashahFile = "parashot.dat";

// The Shabbat slots of a month that the printouts and calendar items fill:
// a month has at most five Saturdays, the sixth slot stays empty.
inline constexpr int kShabbatSlots = 6;

// The parashah texts of festival records the schedule inserts.
inline constexpr const char* kYomTruahShabbat = "Yom T'ruah";
inline constexpr const char* kYomKippurShabbat = "Yom Kippur";
inline constexpr const char* kShabbatPesach = "Shabbat Pesach";
// The eighth day of Pesach on a Shabbat (outside Israel).
inline constexpr const char* kLastDayOfPesachShabbat = "Hag HaMatzot";
inline constexpr const char* kShavuotShabbatDay1 = "Shavuot Shabbat (day 1)";
inline constexpr const char* kShavuotShabbatDay2 = "Shavuot Shabbat (day 2)";
// The first day of Sukkot on a Shabbat, and the Shabbat of its intermediate days.
inline constexpr const char* kSukkotShabbat = "Sukkot";
inline constexpr const char* kShabbatSukkot = "Shabbat Sukkot";
inline constexpr const char* kSheminiAtzeret = "Shemini Atzeret";

// Whose reading schedule: outside Israel the second festival days (the eighth
// of Pesach, the second of Shavuot) can take a Shabbat, and the weeks after
// them are joined to catch up; in Israel those Shabbatot read the next portion.
enum class ReadingSchedule { Diaspora, Israel };

// Rebuilds a table for a common year, reading the data file again (restored
// from its backup when missing).
void ScheduleParashot(const std::string& datPath, int year, ParashahTable& table,
                      ReadingSchedule schedule = ReadingSchedule::Diaspora);
void ScheduleParashot(const std::string& datPath, int year, ParashahTable& table, DataFileReport& report,
                      ReadingSchedule schedule = ReadingSchedule::Diaspora);
// The schedule from an already parsed portion file.
void ScheduleParashot(const ProfileFile& file, int year, ParashahTable& table,
                      ReadingSchedule schedule = ReadingSchedule::Diaspora);
// Only the portions of the file, undated, into entries 1..54 (the rest cleared);
// false when neither the file nor its backup is there.
bool LoadPortions(const std::string& datPath, ParashahTable& table, DataFileReport& report);
// Dates the portions of a table filled by LoadPortions.
void ScheduleLoadedPortions(int year, ParashahTable& table, ReadingSchedule schedule = ReadingSchedule::Diaspora);

}  // namespace varnel
