#include "core/personal/PersonalDays.h"

#include <algorithm>

#include "core/common/DateFormat.h"
#include "core/personal/HebrewAnniversary.h"

namespace varnel {
namespace {

AnniversaryRule RuleOf(PersonalKind kind) {
    return kind == PersonalKind::Yahrzeit ? AnniversaryRule::Yahrzeit : AnniversaryRule::Birthday;
}

PersonalDay DayOf(const PersonalDate& p, const Anniversary& a) {
    return {a.date, p.name, p.kind, p.hebrew, HebrewDateOf(a.date), a.count, p.note};
}

void SortByDate(std::vector<PersonalDay>& days) {
    std::stable_sort(days.begin(), days.end(), [](const PersonalDay& a, const PersonalDay& b) { return a.date < b.date; });
}

}  // namespace

std::vector<PersonalDay> PersonalDaysIn(const std::vector<PersonalDate>& dates, int commonYear) {
    std::vector<PersonalDay> days;
    for (const PersonalDate& p : dates)
        for (const Anniversary& a : AnniversariesIn(p.hebrew, RuleOf(p.kind), commonYear)) days.push_back(DayOf(p, a));
    SortByDate(days);
    return days;
}

std::vector<PersonalDay> PersonalDaysBetween(const std::vector<PersonalDate>& dates, Date first, Date last) {
    std::vector<PersonalDay> days;
    for (int year = std::max(first.Year(), kMinYear); year <= std::min(last.Year(), kMaxYear); ++year)
        for (PersonalDay& d : PersonalDaysIn(dates, year))
            if (d.date >= first && d.date <= last) days.push_back(std::move(d));
    return days;  // each year's list is in order, and the years come in order
}

std::vector<PersonalDay> NextPersonalDays(const PersonalDate& date, Date from, int count) {
    std::vector<PersonalDay> days;
    // Every Hebrew year after the first brings one: `count` of them lie within count + 2 common years.
    const int lastYear = std::min(from.Year() + count + 2, kMaxYear);
    for (int year = std::max(from.Year(), kMinYear); year <= lastYear && static_cast<int>(days.size()) < count; ++year) {
        for (const Anniversary& a : AnniversariesIn(date.hebrew, RuleOf(date.kind), year))
            if (a.date >= from && static_cast<int>(days.size()) < count) days.push_back(DayOf(date, a));
    }
    return days;
}

std::string PersonalDayLine(const PersonalDay& day) {
    switch (day.kind) {
        case PersonalKind::Yahrzeit: return "Yahrzeit: " + day.name;
        case PersonalKind::Birthday: return day.name + "'s Hebrew birthday";
        case PersonalKind::Anniversary: return "Anniversary: " + day.name;
        case PersonalKind::Other: break;
    }
    return day.name;
}

std::string Ordinal(int n) {
    const int tens = n % 100;
    const int units = n % 10;
    const char* suffix = (tens >= 11 && tens <= 13) || units > 3 || units == 0 ? "th"
                         : units == 1                                          ? "st"
                         : units == 2                                          ? "nd"
                                                                               : "rd";
    return std::to_string(n) + suffix;
}

std::string PersonalDayCount(const PersonalDay& day) {
    switch (day.kind) {
        case PersonalKind::Yahrzeit: return Ordinal(day.count) + " yahrzeit";
        case PersonalKind::Birthday: return Ordinal(day.count) + " Hebrew birthday";
        case PersonalKind::Anniversary:
        case PersonalKind::Other: break;
    }
    return Ordinal(day.count) + " anniversary";
}

std::string PersonalDayDetails(const PersonalDay& day, std::string_view lineBreak) {
    std::string text = PersonalDayLine(day);
    text += lineBreak;
    text += PersonalDayCount(day) + " (" + HebrewDateText(day.original) + ")";
    // The Hebrew day, and so the yahrzeit, begins at the sunset before the common day.
    if (day.kind == PersonalKind::Yahrzeit) {
        text += lineBreak;
        text += "Begins at sunset the evening before";
    }
    if (!day.note.empty()) {
        text += lineBreak;
        text += day.note;
    }
    return text;
}

std::string UpcomingText(const PersonalDateEntry& entry, Date from, int count) {
    std::string why;
    const std::optional<PersonalDate> date = ReadPersonalDate(entry, why);
    if (!date) return "Not a date yet: " + why;
    std::string text;
    for (const PersonalDay& d : NextPersonalDays(*date, from, count)) {
        if (!text.empty()) text += "\n";
        text += LongDateText(d.date) + ": " + HebrewDateText(d.hebrew) + ", " + PersonalDayCount(d);
    }
    return text;
}

std::string PersonalReminder(const std::vector<PersonalDate>& dates, Date today, int days) {
    std::string text;
    for (const PersonalDay& d : PersonalDaysBetween(dates, today, today + days)) {
        text += text.empty() ? "Personal dates: " : "; ";
        text += d.date == today ? std::string("today") : d.date == today + 1 ? std::string("tomorrow") : WeekdayMonthDayText(d.date);
        text += ", " + PersonalDayLine(d) + " (" + PersonalDayCount(d);
        if (d.kind == PersonalKind::Yahrzeit) text += d.date == today ? ", began at sunset yesterday" : ", from sunset the evening before";
        text += ")";
    }
    return text;
}

}  // namespace varnel
