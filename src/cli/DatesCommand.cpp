// varnel dates: the personal dates of dates.dat, their days in a common year,
// and adding or removing one. Plain core only: no Qt.
#include <charconv>
#include <optional>

#include "cli/CommandLine.h"
#include "cli/TextOut.h"
#include "cli/DataFolder.h"
#include "core/common/EntryChange.h"
#include "core/common/Files.h"
#include "core/common/Json.h"
#include "core/personal/PersonalDays.h"

namespace varnel::cli {

namespace {

// The options of a change, each given at most once.
struct Change {
    std::optional<std::string> add, date, hebrew, kind, note, remove;
    bool afterSunset = false;
    bool Any() const { return add || date || hebrew || kind || note || remove || afterSunset; }
};

Change ParseChange(const Context& context) {
    Change c;
    for (const auto& [option, value] : context.options) {
        if (option == "--after-sunset") {
            c.afterSunset = true;
            continue;
        }
        std::optional<std::string>& slot = option == "--add"    ? c.add
                                           : option == "--date" ? c.date
                                           : option == "--hebrew" ? c.hebrew
                                           : option == "--kind" ? c.kind
                                           : option == "--note" ? c.note
                                                                : c.remove;
        if (slot) throw UsageError(option + " given twice");
        slot = value;
    }
    if (c.add && c.remove) throw UsageError("--add and --remove cannot be combined");
    if (!c.add && (c.date || c.hebrew || c.kind || c.note || c.afterSunset))
        throw UsageError("--date, --hebrew, --after-sunset, --kind and --note go with --add");
    if (c.add && !c.date && !c.hebrew) throw UsageError("--add needs --date YYYY-MM-DD or --hebrew \"D Month YYYY\"");
    if (c.date && c.hebrew) throw UsageError("--date and --hebrew cannot be combined");
    if (c.hebrew && c.afterSunset) throw UsageError("--after-sunset goes with --date (a Hebrew date is a whole day)");
    return c;
}

// The entry an --add asks for, checked as the file would read it.
PersonalDateEntry EntryToAdd(const Change& c) {
    PersonalDateEntry e;
    e.name = TrimBlanks(*c.add);
    if (e.name.empty()) throw UsageError("--add needs a name");
    e.kind = ToLowerAscii(TrimBlanks(c.kind.value_or("other")));
    if (!ParseKind(e.kind)) throw UsageError("unknown kind " + Quoted(*c.kind) + " (birthday, anniversary, yahrzeit, other)");
    e.date = TrimBlanks(c.date.value_or(""));
    e.afterSunset = c.afterSunset ? "1" : "";
    e.note = TrimBlanks(c.note.value_or(""));
    std::string why;
    if (c.hebrew) {
        const std::optional<HebrewDate> hebrew = ParseHebrewDate(*c.hebrew, why);
        if (!hebrew) throw UsageError(why);
        e.hebrew = HebrewDateText(*hebrew);  // the month as the calendar names it
    } else if (!ParseIsoDate(e.date, why)) {
        throw UsageError(why);
    }
    return e;
}

size_t ParseEntryNumber(const std::string& text, size_t entries) {
    size_t n = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), n);
    if (ec != std::errc() || end != text.data() + text.size() || text.empty())
        throw UsageError("malformed entry number " + Quoted(text) + " (expected 1, 2, ...)");
    if (n < 1 || n > entries)
        throw UsageError("no entry " + text + " among the personal dates (there are " + std::to_string(entries) + ")");
    return n;
}

void PrintEntries(const std::vector<PersonalDateEntry>& entries, bool json) {
    JsonWriter w;
    w.BeginArray();
    for (size_t n = 0; n < entries.size(); ++n) {
        const PersonalDateEntry& e = entries[n];
        std::string why;
        const std::optional<PersonalDate> p = ReadPersonalDate(e, why);
        const std::string hebrew = p ? HebrewDateText(p->hebrew) : std::string();
        if (!json) {
            out << n + 1 << "\t" << (p ? KindName(p->kind) : e.kind) << "\t"
                      << (e.date.empty() ? e.hebrew : e.date + (p && p->afterSunset ? " after sunset" : ""))
                      << (p && p->common ? " (" + hebrew + ")" : "") << "\t" << e.name << "\t"
                      << (p ? e.note : "skipped: " + why) << "\n";
            continue;
        }
        w.BeginObject().Key("entry").Int(static_cast<int64_t>(n + 1)).Key("name").String(e.name).Key("kind");
        p ? w.String(KindName(p->kind)) : w.String(e.kind);
        w.Key("date").Date(p ? p->common : std::nullopt).Key("aftersunset").Bool(p && p->afterSunset).Key("hebrew");
        p ? w.String(hebrew) : w.Null();
        w.Key("note").String(e.note).Key("skipped");
        p ? w.Null() : w.String(why);
        w.EndObject();
    }
    if (json) out << w.EndArray().Text() << "\n";
}

void PrintDays(const std::vector<PersonalDay>& days, bool json) {
    JsonWriter w;
    w.BeginArray();
    for (const PersonalDay& d : days) {
        if (json) {
            w.BeginObject().Key("date").Date(d.date).Key("name").String(d.name).Key("kind").String(KindName(d.kind));
            w.Key("hebrew").String(HebrewDateText(d.hebrew)).Key("count").Int(d.count).EndObject();
        } else {
            out << IsoDate(d.date) << "\t" << HebrewDateText(d.hebrew) << "\t" << PersonalDayLine(d) << "\t"
                      << PersonalDayCount(d) << "\n";
        }
    }
    if (json) out << w.EndArray().Text() << "\n";
}

// Entries the calendar skips are said on standard error; the rest is shown.
void SaySkipped(const std::vector<PersonalDateEntry>& entries, const std::string& path) {
    for (const std::string& s : ReadPersonalDates(entries).skipped) err << "varnel: " << path << ": " << s << "\n";
}

}  // namespace

int RunDates(const Context& context) {
    const Change change = ParseChange(context);
    if (change.Any() && !context.args.empty()) throw UsageError("a YEAR does not go with --add or --remove");
    const int year = context.args.empty() ? 0 : ParseYear(context.args[0]);
    const PersonalDateEntry added = change.add ? EntryToAdd(change) : PersonalDateEntry{};
    SetProgramFolder(ResolveDataFolder(context.dataDir));
    const std::string path = DataPath(kPersonalDatesFile);

    std::vector<PersonalDateEntry> entries = ReadPersonalDateEntries(path);
    SaySkipped(entries, path);
    if (year) {
        PrintDays(PersonalDaysIn(ReadPersonalDates(entries).dates, year), context.json);
        return 0;
    }
    if (change.add || change.remove) {
        // Checked against the list as read, applied to the list as it is when written (another run may change it meanwhile).
        const size_t removed = change.remove ? ParseEntryNumber(*change.remove, entries.size()) : 0;
        const PersonalDateEntry wanted = removed ? entries[removed - 1] : PersonalDateEntry{};
        std::string error;
        const bool saved = UpdatePersonalDates(path, [&](std::vector<PersonalDateEntry>& list, std::string& why) {
            if (removed) return ChangeEntryAsRead(list, removed - 1, wanted, {}, why);
            list.push_back(added);
            return true;
        }, &error);
        if (!saved) {
            err << "varnel: could not write the personal dates " << Quoted(path) << ": " << error << "\n";
            return 1;
        }
        entries = ReadPersonalDateEntries(path);
    }
    PrintEntries(entries, context.json);
    return 0;
}

}  // namespace varnel::cli
