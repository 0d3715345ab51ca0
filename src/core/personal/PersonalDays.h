#pragma once
// The days on which the personal dates come back, and the lines the views,
// the details, the reminder and the command line give them.
#include <string>
#include <vector>

#include "core/common/Date.h"
#include "core/personal/PersonalDates.h"

namespace varnel {

// One personal date on one day: everything the texts need, owned, so a year's
// list outlives the file it was read from.
struct PersonalDay {
    Date date;
    std::string name;
    PersonalKind kind = PersonalKind::Other;
    HebrewDate original;  // the Hebrew day of the event
    HebrewDate hebrew;    // the Hebrew date of this day
    int count = 0;        // 1 for the first anniversary
    std::string note;
};

// The anniversaries of the dates that fall in a common year, in date order
// (file order within a day). A yahrzeit follows the yahrzeit rules, every
// other kind the birthday rules.
std::vector<PersonalDay> PersonalDaysIn(const std::vector<PersonalDate>& dates, int commonYear);
// Those from first to last (both included), in date order.
std::vector<PersonalDay> PersonalDaysBetween(const std::vector<PersonalDate>& dates, Date first, Date last);
// The next `count` anniversaries of one date from a day on.
std::vector<PersonalDay> NextPersonalDays(const PersonalDate& date, Date from, int count);

// "Yahrzeit: <name>", "<name>'s Hebrew birthday", "Anniversary: <name>", "<name>".
std::string PersonalDayLine(const PersonalDay& day);
// "12th yahrzeit", "3rd Hebrew birthday", "25th anniversary", "40th year".
std::string PersonalDayCount(const PersonalDay& day);
// The details' lines: the line, then which anniversary of which Hebrew date,
// a yahrzeit's start at sunset the evening before, and the note.
std::string PersonalDayDetails(const PersonalDay& day, std::string_view lineBreak);
// "1st", "2nd", "3rd", "4th", "11th", "21st", ...
std::string Ordinal(int n);

// What the window shows under the date field as the user types: the next
// `count` days of an entry from a day on, one a line ("Friday, February 20,
// 2026: 3 Adar 5786, 15th yahrzeit"), or why the entry is not a date.
std::string UpcomingText(const PersonalDateEntry& entry, Date from, int count = 3);

// The line the window shows when it opens: the personal dates of today and
// the next `days` days, or empty when there are none.
std::string PersonalReminder(const std::vector<PersonalDate>& dates, Date today, int days = 7);

}  // namespace varnel
