#pragma once
// The user's personal dates, kept in "dates.dat" in the data folder: one
// profile section "Dates" with "count" and, for entry n, the keys "<n>name",
// "<n>kind" (birthday, anniversary, yahrzeit or other), either "<n>date"
// (YYYY-MM-DD, with "<n>aftersunset" = 1 when the Hebrew day had begun) or
// "<n>hebrew" ("12 Adar II 5784"), and "<n>note".
//
// Entries are kept as written: one that does not read as a date is skipped
// by the calendar, with the reason, but survives every change of the others.
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/calendar/HebrewCalendar.h"
#include "core/common/Date.h"
#include "core/common/Profile.h"

namespace varnel {

inline constexpr const char* kPersonalDatesFile = "dates.dat";
inline constexpr const char* kPersonalDatesSection = "Dates";

enum class PersonalKind { Birthday, Anniversary, Yahrzeit, Other };
// "birthday", "anniversary", "yahrzeit", "other".
const std::string& KindName(PersonalKind kind);
// Any case; nullopt for another word.
std::optional<PersonalKind> ParseKind(std::string_view text);

// One entry as the file holds it, every value trimmed.
struct PersonalDateEntry {
    std::string name;
    std::string kind;
    std::string date;         // YYYY-MM-DD
    std::string afterSunset;  // "1" when the Hebrew day had begun
    std::string hebrew;       // "D Month YYYY"
    std::string note;
    bool operator==(const PersonalDateEntry&) const = default;
};

// An entry read as a date.
struct PersonalDate {
    std::string name;
    PersonalKind kind = PersonalKind::Other;
    HebrewDate hebrew;           // the Hebrew day it happened on
    std::optional<Date> common;  // the common date, when it was given as one
    bool afterSunset = false;
    std::string note;
};

// "12 Adar II 5784".
std::string HebrewDateText(const HebrewDate& date);
// "12 Adar II 5784" (month names of the calendar and a few common spellings,
// any case); nullopt with the reason when it names no day of the calendar.
std::optional<HebrewDate> ParseHebrewDate(std::string_view text, std::string& why);
// "YYYY-MM-DD" of years 1..9999; nullopt with the reason otherwise.
std::optional<Date> ParseIsoDate(std::string_view text, std::string& why);
// The Hebrew date of a common date, the next day's when after sunset.
HebrewDate HebrewDayOf(Date date, bool afterSunset);

// The entry a form's fields make: a date of the form YYYY-MM-DD is a common
// date, anything else is taken as a Hebrew date (written as the calendar names
// it when it reads as one).
PersonalDateEntry EntryOfFields(std::string_view name, PersonalKind kind, std::string_view date, bool afterSunset,
                                std::string_view note);
// The text of the date field for an entry (its common or its Hebrew date).
std::string DateFieldOf(const PersonalDateEntry& entry);

// An entry read as a date, or nullopt with the reason it cannot be.
std::optional<PersonalDate> ReadPersonalDate(const PersonalDateEntry& entry, std::string& why);

// The entries 1..count of a file's text (an entry with no value at all is
// not one); keys beyond "count" are never read.
std::vector<PersonalDateEntry> PersonalDateEntriesIn(const ProfileFile& file);
std::vector<PersonalDateEntry> ReadPersonalDateEntries(const std::string& path);

struct PersonalDates {
    std::vector<PersonalDate> dates;
    std::vector<std::string> skipped;  // "entry 3 ('Grandpa') is skipped: ..."
};
PersonalDates ReadPersonalDates(const std::vector<PersonalDateEntry>& entries);
PersonalDates LoadPersonalDates(const std::string& path);

// Changes the entries as they stand in the file at the moment of the change,
// under the file's lock and its check for another writer; every other section,
// and every line of an entry that keeps its values, stays byte for byte.
// change returns false with a reason to give up (nothing is written).
using PersonalDatesChange = std::function<bool(std::vector<PersonalDateEntry>& entries, std::string& error)>;
bool UpdatePersonalDates(const std::string& path, const PersonalDatesChange& change, std::string* error = nullptr);

}  // namespace varnel
