#include <charconv>
#include <optional>

#include "cli/CommandLine.h"
#include "cli/TextOut.h"
#include "core/calendar/YearCalendar.h"
#include "core/common/Date.h"
#include "core/common/EntryChange.h"
#include "core/common/Files.h"
#include "core/common/Json.h"
#include "core/resources/FeastList.h"
#include "core/resources/ResourceList.h"
#include "core/resources/ResourceRows.h"
#include "core/resources/ResourceTarget.h"

namespace varnel::cli {

namespace {

struct Change {
    std::optional<std::string> add, description, remove;
};

Change ParseChange(const Context& context) {
    Change change;
    for (const auto& [option, value] : context.options) {
        std::optional<std::string>& slot =
            option == "--add" ? change.add : option == "--description" ? change.description : change.remove;
        if (slot) throw UsageError(option + " given twice");
        slot = value;
    }
    if (change.add && change.remove) throw UsageError("--add and --remove cannot be combined");
    if (change.description && !change.add) throw UsageError("--description goes with --add");
    return change;
}

size_t ParseEntryNumber(const std::string& text, size_t entries, const std::string& feast) {
    size_t n = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), n);
    if (ec != std::errc() || end != text.data() + text.size() || text.empty())
        throw UsageError("malformed entry number " + Quoted(text) + " (expected 1, 2, ...)");
    if (n < 1 || n > entries)
        throw UsageError("no entry " + text + " in the resources of " + feast + " (it has " + std::to_string(entries) + ")");
    return n;
}

// The text an added entry shows when none is given: a file's name, or the address.
std::string DefaultDescription(const std::string& target) {
    return ClassifyResource(target).kind == ResourceKind::WebAddress ? target : FileNameOf(target);
}

void PrintFeasts(const std::vector<std::string>& feasts, const ProfileFile& file, bool json) {
    JsonWriter w;
    w.BeginArray();
    for (const std::string& feast : feasts) {
        const size_t count = ResourceListIn(file, feast).size();
        if (json) w.BeginObject().Key("feast").String(feast).Key("count").Int(static_cast<int64_t>(count)).EndObject();
        else out << count << "\t" << feast << "\n";
    }
    if (json) out << w.EndArray().Text() << "\n";
}

void PrintEntries(const std::string& feast, const std::vector<ResourceEntry>& entries, bool json) {
    if (!json) {
        for (size_t n = 0; n < entries.size(); ++n)
            out << n + 1 << "\t" << entries[n].fileurl << "\t" << entries[n].description << "\n";
        return;
    }
    JsonWriter w;
    w.BeginObject().Key("feast").String(feast).Key("entries").BeginArray();
    for (const ResourceEntry& e : entries)
        w.BeginObject().Key("fileurl").String(e.fileurl).Key("description").String(e.description).EndObject();
    out << w.EndArray().EndObject().Text() << "\n";
}

}  // namespace

int RunResources(const Context& context) {
    const Change change = ParseChange(context);
    if ((change.add || change.remove) && context.args.empty()) throw UsageError("--add and --remove need a FEAST");
    const CalendarData data = UseDataFolder(context, DataFiles::HolyDays);
    const std::vector<std::string> feasts = FeastNames(data.holyDays);
    const std::string path = DataPath(kResourceFile);
    if (context.args.empty()) {
        PrintFeasts(feasts, ReadResourceFile(path), context.json);
        return 0;
    }
    const std::string feast = FindFeast(feasts, context.args[0]);
    if (feast.empty()) throw UsageError("unknown feast " + Quoted(context.args[0]) + " (varnel resources lists them)");

    std::vector<ResourceEntry> entries = ReadResourceList(path, feast);
    if (change.add || change.remove) {
        // Checked against the list as read, applied to the list as it is when written (another run may add meanwhile).
        const size_t removed = change.remove ? ParseEntryNumber(*change.remove, entries.size(), feast) : 0;
        const ResourceEntry wanted = removed ? entries[removed - 1] : ResourceEntry{};
        ResourceEntry added;
        if (change.add) {
            added.fileurl = TrimBlanks(*change.add);
            if (added.fileurl.empty()) throw UsageError("--add needs a file or web address");
            added.description = TrimBlanks(change.description.value_or(""));
            if (added.description.empty()) added.description = DefaultDescription(added.fileurl);
        }
        std::string error;
        const bool saved = UpdateResourceList(path, feast, [&](std::vector<ResourceEntry>& list, std::string& why) {
            if (removed) return ChangeEntryAsRead(list, removed - 1, wanted, {}, why);
            list.push_back(added);
            return true;
        }, &error);
        if (!saved) {
            err << "varnel: could not write the resource list " << Quoted(path) << ": " << error << "\n";
            return 1;
        }
        entries = ReadResourceList(path, feast);
    }
    PrintEntries(feast, entries, context.json);
    return 0;
}

}  // namespace varnel::cli
