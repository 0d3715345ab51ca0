#include "core/personal/PersonalDates.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <utility>

#include "core/common/Files.h"
#include "core/common/NumberedKeys.h"
#include "core/common/MessageText.h"
#include "core/personal/HebrewAnniversary.h"

namespace varnel {
namespace {

constexpr const char* kCountKey = "count";
// The keys of an entry, after its number.
enum Field { kName, kKind, kDate, kAfterSunset, kHebrew, kNote, kFieldCount };
constexpr std::array<std::string_view, kFieldCount> kFieldKeys = {"name", "kind", "date", "aftersunset", "hebrew", "note"};

std::string& FieldOf(PersonalDateEntry& e, int field) {
    switch (field) {
        case kName: return e.name;
        case kKind: return e.kind;
        case kDate: return e.date;
        case kAfterSunset: return e.afterSunset;
        case kHebrew: return e.hebrew;
        default: return e.note;
    }
}

std::string Quote(std::string_view text) { return "'" + EscapeForMessage(text) + "'"; }

// A whole non-negative number, or nullopt.
std::optional<int> WholeNumber(std::string_view text) {
    int n = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), n);
    if (ec != std::errc() || end != text.data() + text.size() || text.empty() || n < 0) return std::nullopt;
    return n;
}

std::vector<size_t> EntryNumbers(const ProfileFile& file, size_t last = std::numeric_limits<size_t>::max()) {
    return NumberedKeys(file, kPersonalDatesSection, kFieldKeys, last);
}

bool IsEmpty(const PersonalDateEntry& e) { return e == PersonalDateEntry{}; }

// Month names as written in dates: the calendar's own and common spellings.
struct MonthSpelling {
    const char* name;
    int leapMonth;    // year order in a leap year
    int commonMonth;  // year order in a common year; 0: none
};
constexpr MonthSpelling kMonthSpellings[] = {
    {"tishrei", 1, 1},  {"tishri", 1, 1},     {"cheshvan", 2, 2}, {"heshvan", 2, 2},   {"marcheshvan", 2, 2},
    {"kislev", 3, 3},   {"tevet", 4, 4},      {"teves", 4, 4},    {"shvat", 5, 5},     {"shevat", 5, 5},
    {"sh'vat", 5, 5},   {"adar i", 6, 6},     {"adar 1", 6, 6},   {"adar ii", 7, 0},   {"adar 2", 7, 0},
    {"adar", 0, 6},     {"nisan", 8, 7},      {"iyar", 9, 8},     {"iyyar", 9, 8},     {"sivan", 10, 9},
    {"tamuz", 11, 10},  {"tammuz", 11, 10},   {"av", 12, 11},     {"elul", 13, 12},
};

}  // namespace

const std::string& KindName(PersonalKind kind) {
    static const std::array<std::string, 4> kNames = {"birthday", "anniversary", "yahrzeit", "other"};
    return kNames[static_cast<size_t>(kind)];
}

std::optional<PersonalKind> ParseKind(std::string_view text) {
    const std::string low = ToLowerAscii(TrimmedView(text));
    for (const PersonalKind k :
         {PersonalKind::Birthday, PersonalKind::Anniversary, PersonalKind::Yahrzeit, PersonalKind::Other})
        if (low == KindName(k)) return k;
    return std::nullopt;
}

std::string HebrewDateText(const HebrewDate& date) {
    return std::to_string(date.day) + " " + HebrewMonthName(date.year, date.month) + " " + std::to_string(date.year);
}

std::optional<HebrewDate> ParseHebrewDate(std::string_view text, std::string& why) {
    const std::string_view t = TrimmedView(text);
    const size_t firstBlank = t.find(' ');
    const size_t lastBlank = t.rfind(' ');
    const int day = firstBlank == std::string_view::npos ? -1 : WholeNumber(t.substr(0, firstBlank)).value_or(-1);
    const int year = lastBlank == firstBlank ? -1 : WholeNumber(t.substr(lastBlank + 1)).value_or(-1);
    if (day < 0 || year < 0) {
        why = Quote(text) + " is no Hebrew date (expected day, month and year, as in '12 Adar II 5784')";
        return std::nullopt;
    }
    // The month's words, blanks inside it made single.
    std::string month;
    for (const char c : TrimmedView(t.substr(firstBlank, lastBlank - firstBlank)))
        if (c != ' ' || month.back() != ' ') month += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    const auto spelling = std::find_if(std::begin(kMonthSpellings), std::end(kMonthSpellings),
                                       [&](const MonthSpelling& s) { return month == s.name; });
    if (spelling == std::end(kMonthSpellings)) {
        why = "no Hebrew month is called " + Quote(month) + " in " + Quote(text);
        return std::nullopt;
    }
    // The latest Hebrew year that begins before the end of 9999.
    if (year < 1 || year > 13760) {
        why = "the Hebrew year of " + Quote(text) + " is outside 1..13760";
        return std::nullopt;
    }
    const bool leap = HebrewLeapYear(year);
    const int m = leap ? spelling->leapMonth : spelling->commonMonth;
    if (m == 0) {
        why = leap ? std::to_string(year) + " has two months of Adar: say Adar I or Adar II in " + Quote(text)
                   : std::to_string(year) + " has one Adar, and no Adar II, in " + Quote(text);
        return std::nullopt;
    }
    const HebrewDate date{year, m, day};
    if (!IsHebrewDate(date)) {
        why = HebrewMonthName(year, m) + " " + std::to_string(year) + " has no day " + std::to_string(day) +
              " (it has " + std::to_string(DaysInHebrewMonth(year, m)) + ")";
        return std::nullopt;
    }
    return date;
}

std::optional<Date> ParseIsoDate(std::string_view text, std::string& why) {
    const std::string_view t = TrimmedView(text);
    const bool shaped = t.size() == 10 && t[4] == '-' && t[7] == '-';
    const std::optional<int> y = shaped ? WholeNumber(t.substr(0, 4)) : std::nullopt;
    const std::optional<int> m = shaped ? WholeNumber(t.substr(5, 2)) : std::nullopt;
    const std::optional<int> d = shaped ? WholeNumber(t.substr(8, 2)) : std::nullopt;
    if (!y || !m || !d) {
        why = Quote(text) + " is no date (expected YYYY-MM-DD)";
        return std::nullopt;
    }
    if (*y < kMinYear || !IsValidDate(*y, *m, *d)) {
        why = "there is no day " + Quote(text) + " (years 1..9999)";
        return std::nullopt;
    }
    return Date(*y, *m, *d);
}

HebrewDate HebrewDayOf(Date date, bool afterSunset) { return HebrewDateOf(afterSunset ? date + 1 : date); }

PersonalDateEntry EntryOfFields(std::string_view name, PersonalKind kind, std::string_view date, bool afterSunset,
                                std::string_view note) {
    PersonalDateEntry e{TrimBlanks(name), KindName(kind), "", afterSunset ? "1" : "", "", TrimBlanks(note)};
    const std::string_view d = TrimmedView(date);
    std::string why;
    const bool common = d.size() == 10 && d[4] == '-' && d[7] == '-';
    if (common) e.date = std::string(d);
    else if (const std::optional<HebrewDate> hebrew = ParseHebrewDate(d, why)) e.hebrew = HebrewDateText(*hebrew);
    else e.hebrew = std::string(d);
    return e;
}

std::string DateFieldOf(const PersonalDateEntry& entry) { return entry.date.empty() ? entry.hebrew : entry.date; }

std::optional<PersonalDate> ReadPersonalDate(const PersonalDateEntry& e, std::string& why) {
    PersonalDate p;
    p.name = e.name;
    p.note = e.note;
    if (p.name.empty()) {
        why = "it has no name";
        return std::nullopt;
    }
    const std::optional<PersonalKind> kind = e.kind.empty() ? PersonalKind::Other : ParseKind(e.kind);
    if (!kind) {
        why = Quote(e.kind) + " is no kind (birthday, anniversary, yahrzeit or other)";
        return std::nullopt;
    }
    p.kind = *kind;
    const std::string sunset = ToLowerAscii(e.afterSunset);
    if (sunset.empty() || sunset == "0" || sunset == "no" || sunset == "false") p.afterSunset = false;
    else if (sunset == "1" || sunset == "yes" || sunset == "true") p.afterSunset = true;
    else {
        why = "aftersunset is " + Quote(e.afterSunset) + " (expected 1 or 0)";
        return std::nullopt;
    }
    if (!e.date.empty() && !e.hebrew.empty()) {
        why = "it has both a common and a Hebrew date; keep one";
        return std::nullopt;
    }
    if (!e.date.empty()) {
        p.common = ParseIsoDate(e.date, why);
        if (!p.common) return std::nullopt;
        p.hebrew = HebrewDayOf(*p.common, p.afterSunset);
        return p;
    }
    if (e.hebrew.empty()) {
        why = "it has no date";
        return std::nullopt;
    }
    if (p.afterSunset) {
        why = "a Hebrew date is a whole Hebrew day: aftersunset goes with a common date";
        return std::nullopt;
    }
    const std::optional<HebrewDate> hebrew = ParseHebrewDate(e.hebrew, why);
    if (!hebrew) return std::nullopt;
    p.hebrew = *hebrew;
    return p;
}

std::vector<PersonalDateEntry> PersonalDateEntriesIn(const ProfileFile& file) {
    // Only the entries whose keys are there: a damaged "count" of billions walks nothing.
    std::vector<PersonalDateEntry> entries;
    for (const size_t n : EntryNumbers(file, ProfileCount(file.Get(kPersonalDatesSection, kCountKey)))) {
        const std::string number = std::to_string(n);
        PersonalDateEntry e;
        for (int f = 0; f < kFieldCount; ++f) FieldOf(e, f) = file.Get(kPersonalDatesSection, number + std::string(kFieldKeys[f]));
        if (!IsEmpty(e)) entries.push_back(std::move(e));
    }
    return entries;
}

std::vector<PersonalDateEntry> ReadPersonalDateEntries(const std::string& path) {
    RestoreFromBackup(path);
    return PersonalDateEntriesIn(ProfileFile::Read(path, kWholeProfileValues));
}

PersonalDates ReadPersonalDates(const std::vector<PersonalDateEntry>& entries) {
    PersonalDates read;
    for (size_t i = 0; i < entries.size(); ++i) {
        std::string why;
        if (std::optional<PersonalDate> p = ReadPersonalDate(entries[i], why)) {
            read.dates.push_back(std::move(*p));
            continue;
        }
        std::string what = "entry " + std::to_string(i + 1);
        if (!entries[i].name.empty()) what += " (" + Quote(entries[i].name) + ")";
        read.skipped.push_back(what + " is skipped: " + why);
    }
    return read;
}

PersonalDates LoadPersonalDates(const std::string& path) { return ReadPersonalDates(ReadPersonalDateEntries(path)); }

bool UpdatePersonalDates(const std::string& path, const PersonalDatesChange& change, std::string* error) {
    RestoreFromBackup(path);
    std::string why;
    const bool ok = UpdateProfileKeys(path, kPersonalDatesSection, [&](const std::string& text) {
        const ProfileFile file = ProfileFile::Parse(text, kWholeProfileValues);
        std::vector<PersonalDateEntry> entries = PersonalDateEntriesIn(file);
        std::vector<std::pair<std::string, std::optional<std::string>>> keys;
        if (!change(entries, why)) return keys;  // nothing changes; the reason is kept
        // Only keys whose value changes are written, so an entry that keeps its
        // values keeps its lines as the user wrote them.
        const auto set = [&](const std::string& key, const std::string& value) {
            const bool present = !file.Get(kPersonalDatesSection, key).empty();
            if (value.empty() && present) keys.emplace_back(key, std::nullopt);
            else if (!value.empty() && file.Get(kPersonalDatesSection, key) != value) keys.emplace_back(key, value);
        };
        const auto count = std::to_string(std::count_if(entries.begin(), entries.end(), [](const PersonalDateEntry& e) {
            return !IsEmpty(e);
        }));
        // "count" first, so a new section starts with it.
        if (file.Get(kPersonalDatesSection, kCountKey) != count) keys.emplace_back(kCountKey, count);
        size_t k = 0;
        for (PersonalDateEntry& e : entries) {
            if (IsEmpty(e)) continue;
            const std::string number = std::to_string(++k);
            for (int f = 0; f < kFieldCount; ++f) set(number + std::string(kFieldKeys[f]), TrimBlanks(FieldOf(e, f)));
        }
        // Entries beyond the new count would come back if "count" were ever raised by hand.
        for (const size_t n : EntryNumbers(file))
            if (n > k)
                for (const std::string_view field : kFieldKeys) keys.emplace_back(std::to_string(n) + std::string(field), std::nullopt);
        return keys;
    }, &why);
    if (error) *error = why;
    return ok && why.empty();
}

}  // namespace varnel
