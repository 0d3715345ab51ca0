#include "core/appointments/IcsFileCalendar.h"

#include <algorithm>
#include <filesystem>

#include "core/appointments/ICalendarSupport.h"
#include "core/common/FileUpdate.h"

namespace varnel {

namespace {
struct BlockFacts {
    Ownership owner = Ownership::UserWithOurUid;  // what libical cannot read is not taken as ours
    std::string subject;
    std::optional<Date> start;
};

// Only blocks with one of our UIDs are parsed; the user's others are never looked into.
BlockFacts FactsOf(std::string_view block, const ExportKind& kind) {
    BlockFacts facts;
    icalcomponent* event = icalparser_parse_string(std::string(block).c_str());
    if (!event) return facts;
    if (icalcomponent_isa(event) == ICAL_VEVENT_COMPONENT) {
        facts.owner = EventOwnership(event, kind);
        facts.subject = EventSummary(event);
        facts.start = EventStartDate(event);
    }
    icalcomponent_free(event);
    return facts;
}

std::string_view BlockText(const std::string& text, const EventBlock& b) {
    return std::string_view(text).substr(b.begin, b.end - b.begin);
}

std::string WithLineEnds(const std::string& crlfText, const std::string& lineEnd) {
    if (lineEnd == "\r\n") return crlfText;
    std::string out;
    out.reserve(crlfText.size());
    for (size_t i = 0; i < crlfText.size(); ++i)
        if (!(crlfText[i] == '\r' && i + 1 < crlfText.size() && crlfText[i + 1] == '\n')) out += crlfText[i];
    return out;
}

// A calendar read as the file's text when the file is missing or blank.
bool IsBlank(const std::string& text) { return text.find_first_not_of(" \t\r\n") == std::string::npos; }
}  // namespace

IcsFileCalendar::IcsFileCalendar(std::string path, const ExportKind& kind) : path_(std::move(path)), kind_(kind) {}

IcsFileCalendar::~IcsFileCalendar() = default;

std::string DefaultIcsPath(const std::string& dataFolder) { return PathIn(PathIn(dataFolder, "Export"), "portions.ics"); }

bool IcsFileCalendar::Load(std::string& error) {
    const FileRead read = file_->Read(text_);
    if (read.status == FileStatus::NotRegular && std::filesystem::is_directory(path_)) {
        error = "it is a folder, not a file";
        return false;
    }
    if (!read.ok() && read.status != FileStatus::Missing) {
        error = "the file cannot be used: " + DescribeFileRead(read, path_);
        return false;
    }
    if (IsBlank(text_)) {
        icalcomponent* calendar = NewICalendar();
        text_ = ComponentText(calendar);
        icalcomponent_free(calendar);
    }
    std::string why;
    if (!SplitICalendarText(text_, layout_, why)) {
        error = "the file is not an iCalendar file that can be edited safely: " + why + " (it was left untouched)";
        return false;
    }
    return true;
}

bool IcsFileCalendar::Open(std::string& error) {
    removedUids_.clear();
    added_.clear();
    zones_.clear();
    file_ = std::make_unique<FileUpdate>(path_);
    opened_ = Load(error);
    if (!opened_) file_.reset();  // the lock goes with the failure
    return opened_;
}

bool IcsFileCalendar::FindItems(Date first, Date last, std::vector<CalendarEntry>& items, std::string& error) {
    items.clear();
    if (!opened_) {
        error = "the calendar is not open";
        return false;
    }
    for (const EventBlock& block : layout_.events) {
        const std::optional<Date> day = DateOfExportUid(kind_, block.uid);
        if (!day) continue;
        const BlockFacts facts = FactsOf(BlockText(text_, block), kind_);
        const bool starts = facts.start && *facts.start >= first && *facts.start <= last;
        if (starts || (*day >= first && *day <= last))
            items.push_back({block.uid, facts.subject, facts.start, block.uid, facts.owner});
    }
    return true;
}

bool IcsFileCalendar::DeleteItem(const CalendarEntry& item, std::string& error) {
    if (!opened_ || item.owner != Ownership::Ours) {
        error = "the item was not made by the export";
        return false;
    }
    removedUids_.insert(item.uid);
    return true;
}

bool IcsFileCalendar::AddItem(const CalendarItem& item, std::string& error) {
    if (!opened_) {
        error = "the calendar is not open";
        return false;
    }
    icalcomponent* event = NewExportEvent(kind_, item);
    if (!event) {
        error = kDateTooLate;
        return false;
    }
    added_.emplace_back(item.uid, ComponentText(event));
    icalcomponent_free(event);
    if (item.start && !item.start->zoneComponent.empty() &&
        std::none_of(zones_.begin(), zones_.end(), [&](const auto& z) { return z.first == item.start->zone; }))
        zones_.emplace_back(item.start->zone, item.start->zoneComponent);
    // An item of ours with that UID, wherever it now stands, gives way to the new one.
    removedUids_.insert(item.uid);
    return true;
}

bool IcsFileCalendar::Edited(std::string& text, std::string& error) const {
    text.clear();
    text.reserve(text_.size() + added_.size() * 4096);
    size_t copied = 0;
    for (const EventBlock& block : layout_.events) {
        if (!removedUids_.count(block.uid)) continue;
        const BlockFacts facts = FactsOf(BlockText(text_, block), kind_);
        if (facts.owner == Ownership::User) continue;
        if (facts.owner == Ownership::UserWithOurUid) {
            bool ours = false;
            for (const auto& [uid, _] : added_) ours = ours || uid == block.uid;
            if (!ours) continue;
            error = "another program put an item with the UID " + block.uid + " into the file meanwhile";
            return false;
        }
        text.append(text_, copied, block.begin - copied);
        copied = block.end;
    }
    text.append(text_, copied, layout_.calendarEnd - copied);
    // A zone the file already defines keeps the user's definition.
    for (const auto& [tzid, zone] : zones_)
        if (std::find(layout_.zones.begin(), layout_.zones.end(), tzid) == layout_.zones.end())
            text += WithLineEnds(zone, layout_.lineEnd);
    for (const auto& [uid, event] : added_) text += WithLineEnds(event, layout_.lineEnd);
    text.append(text_, layout_.calendarEnd);
    if (text.size() > kDataFileSizeLimit) {
        error = "the calendar would grow beyond " + std::to_string(kDataFileSizeLimit >> 20) +
                " MB, the most the export reads back";
        return false;
    }
    return true;
}

bool IcsFileCalendar::Finish(std::string& error) {
    if (!opened_) {
        error = "the calendar is not open";
        return false;
    }
    opened_ = false;
    const bool written = Write(error);
    file_.reset();  // releases the lock
    return written;
}

bool IcsFileCalendar::Write(std::string& error) {
    if (removedUids_.empty() && added_.empty()) return true;
    std::error_code ec;
    const std::filesystem::path folder = std::filesystem::path(path_).parent_path();
    if (!folder.empty()) std::filesystem::create_directories(folder, ec);
    for (int attempt = 0; attempt < kUpdateAttempts; ++attempt) {
        if (attempt > 0 && !Load(error)) return false;
        std::string text;
        if (!Edited(text, error)) return false;
        switch (file_->Write(text, error)) {
            case FileUpdate::Outcome::Written: return true;
            case FileUpdate::Outcome::Failed: error = "the file cannot be written: " + error; return false;
            case FileUpdate::Outcome::Changed: break;
        }
    }
    error = "another program kept changing the file while the export wrote it (" + std::to_string(kUpdateAttempts) +
            " tries); it was left as the other program wrote it";
    return false;
}

}  // namespace varnel
