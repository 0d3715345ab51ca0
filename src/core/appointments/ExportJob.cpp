#include "core/appointments/ExportJob.h"

#include <algorithm>
#include <map>
#include <set>

#include "core/common/DateFormat.h"
#include "core/common/Date.h"
#include "core/common/Profile.h"

namespace varnel {

namespace {
Date LastOfMonth(Date firstOfMonth) {
    const YearMonthDay d = firstOfMonth.Parts();
    return firstOfMonth + DaysInMonth(d.year, d.month) - 1;
}
}  // namespace

ExportScope PortionExportScope(Date firstOfMonth) {
    ExportScope scope;
    scope.first = firstOfMonth;
    scope.last = LastOfMonth(firstOfMonth);
    return scope;
}

ExportJob::ExportJob(std::string calendar, ExportScope scope, std::vector<CalendarItem> items)
    : scope_(std::move(scope)), wanted_(std::move(items)) {
    report_.calendar = std::move(calendar);
    report_.itemNoun = scope_.itemNoun;
    report_.rangeItems = scope_.rangeItems;
}

const CalendarEntry* ExportJob::Replaced() const {
    const int i = writes_[next_].replaced;
    return i < 0 ? nullptr : &found_[static_cast<size_t>(i)];
}

// The day an item of the calendar is reported under: its start, else the day its UID names.
Date ExportJob::ShownDate(const CalendarEntry& e) const {
    if (e.start) return *e.start;
    return DateOfExportUid(scope_.kind, e.uid).value_or(Date());
}

std::string ExportJob::Action() const {
    switch (step_) {
    case Step::Open: return kActionStarting;
    case Step::Find: return kActionChecking;
    case Step::Write: return scope_.itemAction;
    case Step::Delete: return "Deleting " + Obsolete().subject + ": " + ShortNumericDateText(ShownDate(Obsolete()));
    case Step::Finish:
    case Step::Done: return {};
    }
    return {};
}

std::string ExportJob::Detail() const {
    return step_ == Step::Write ? MonthDayYearText(Item().date) : std::string();
}

void ExportJob::Opened(const std::string& error) {
    if (error.empty()) {
        step_ = Step::Find;
        return;
    }
    report_.openError = error;
    step_ = Step::Done;
}

void ExportJob::Found(const std::vector<CalendarEntry>& items, const std::string& error) {
    if (!error.empty()) {
        // Nothing was changed, and nothing may be without knowing what is there.
        report_.failed.push_back({scope_.first, "", "find", error});
        step_ = Step::Finish;
        return;
    }
    Plan(items);
    step_ = Step::Write;
    next_ = 0;
    if (writes_.empty()) Advance();
}

void ExportJob::Refuse(Date date, const std::string& subject, const std::string& reason) {
    report_.failed.push_back({date, subject, "use", reason});
}

void ExportJob::Plan(const std::vector<CalendarEntry>& items) {
    // An item belongs to the day its UID names, wherever it starts.
    const auto inRange = [this](std::optional<Date> date) {
        return date && *date >= scope_.first && *date <= scope_.last;
    };
    for (const CalendarEntry& e : items)
        if (inRange(e.start) || inRange(DateOfExportUid(scope_.kind, e.uid))) found_.push_back(e);
    std::vector<std::string> foundUids;
    // The found items of each UID, so a year of items is matched in n log n.
    std::map<std::string_view, std::vector<size_t>> foundByUid;
    foundUids.reserve(found_.size());
    for (const CalendarEntry& e : found_) foundUids.push_back(ToLowerAscii(e.uid));
    for (size_t i = 0; i < foundUids.size(); ++i) foundByUid[foundUids[i]].push_back(i);
    std::set<std::string> wantedUids, held;
    std::vector<bool> used(found_.size(), false);
    for (const CalendarItem& item : wanted_) {
        const std::string uid = ToLowerAscii(item.uid);
        wantedUids.insert(uid);
        Write write{item, -1};
        bool usersOwn = false;
        const auto same = foundByUid.find(uid);
        static const std::vector<size_t> kNone;
        for (const size_t i : same == foundByUid.end() ? kNone : same->second) {
            if (found_[i].owner == Ownership::UserWithOurUid) usersOwn = true;
            else if (found_[i].owner == Ownership::Ours && write.replaced < 0) write.replaced = static_cast<int>(i);
        }
        if (usersOwn) {
            // Two items with one UID would be one item to every reader: leave the user's.
            held.insert(uid);
            report_.userHeld.push_back({item.date, item.subject});
            report_.failed.push_back({item.date, item.subject, "write", kUserHoldsUid});
            continue;
        }
        if (write.replaced >= 0) used[static_cast<size_t>(write.replaced)] = true;
        writes_.push_back(std::move(write));
    }
    // The export's items that nothing wanted now carries the UID of, and
    // second copies of one UID, are no longer wanted; one the user's item
    // stands beside stays, as nothing replaces it.
    std::set<std::string> replacedUids, seen;
    for (const Write& w : writes_)
        if (w.replaced >= 0) replacedUids.insert(foundUids[static_cast<size_t>(w.replaced)]);
    for (size_t i = 0; i < found_.size(); ++i) {
        if (found_[i].owner != Ownership::Ours || used[i]) continue;
        const std::string& uid = foundUids[i];
        if (held.count(uid) && seen.insert(uid).second) continue;
        if (!wantedUids.count(uid) || replacedUids.count(uid) || !seen.insert(uid).second) obsolete_.push_back(found_[i]);
    }
}

void ExportJob::Done(const std::string& error) {
    switch (step_) {
    case Step::Write: {
        const CalendarItem& item = Item();
        if (error.empty()) {
            report_.written.push_back({item.date, item.subject, Replaced() != nullptr});
        } else {
            report_.failed.push_back({item.date, item.subject, "write", error});
            if (const CalendarEntry* earlier = Replaced()) report_.kept.push_back({ShownDate(*earlier), earlier->subject});
        }
        break;
    }
    case Step::Delete:
        if (error.empty()) report_.deleted.push_back({ShownDate(Obsolete()), Obsolete().subject});
        else report_.failed.push_back({ShownDate(Obsolete()), Obsolete().subject, "delete", error});
        break;
    case Step::Finish:
        if (!error.empty()) {
            // Nothing of this run reached the calendar: every earlier item stays.
            for (const ExportedItem& w : report_.written) report_.failed.push_back({w.date, w.subject, "write", error});
            for (const ExportedItem& d : report_.deleted) report_.failed.push_back({d.date, d.subject, "delete", error});
            report_.written.clear();
            report_.deleted.clear();
            if (report_.failed.empty()) report_.failed.push_back({scope_.first, "", "write", error});
        }
        step_ = Step::Done;
        return;
    default:
        return;
    }
    ++next_;
    Advance();
}

void ExportJob::Advance() {
    if (step_ == Step::Write) {
        if (next_ < writes_.size()) return;
        step_ = Step::Delete;
        next_ = 0;
        // Deleting is safe only when every new item is in place.
        const bool allWritten = std::none_of(report_.failed.begin(), report_.failed.end(),
                                             [](const FailedItem& f) { return f.what == "write"; });
        if (!allWritten) {
            for (const CalendarEntry& e : obsolete_) report_.kept.push_back({ShownDate(e), e.subject});
            next_ = obsolete_.size();
        }
    }
    if (step_ == Step::Delete && next_ >= obsolete_.size()) step_ = Step::Finish;
}

void ExportJob::Stop(const std::string& reason) {
    if (step_ == Step::Done || step_ == Step::Finish) return;
    report_.cancelled = true;
    report_.stopReason = reason;
    if (step_ == Step::Open) {
        step_ = Step::Done;
        return;
    }
    if (step_ == Step::Write)
        for (size_t i = next_; i < writes_.size(); ++i)
            if (writes_[i].replaced >= 0) {
                const CalendarEntry& e = found_[static_cast<size_t>(writes_[i].replaced)];
                report_.kept.push_back({ShownDate(e), e.subject});
            }
    if (step_ == Step::Write || step_ == Step::Delete) {
        const size_t from = step_ == Step::Delete ? next_ : 0;
        for (size_t i = from; i < obsolete_.size(); ++i) report_.kept.push_back({ShownDate(obsolete_[i]), obsolete_[i].subject});
    }
    step_ = Step::Finish;
}

namespace {
std::string Outcome(bool ok, const std::string& error) { return ok ? std::string() : error.empty() ? "it failed" : error; }
}  // namespace

void PerformStep(CalendarBackend& calendar, ExportJob& job) {
    std::string error;
    switch (job.Current()) {
    case ExportJob::Step::Open: {
        const bool ok = calendar.Open(error);
        job.Opened(Outcome(ok, error.empty() ? "the calendar could not be opened" : error));
        break;
    }
    case ExportJob::Step::Find: {
        std::vector<CalendarEntry> items;
        const bool ok = calendar.FindItems(job.First(), job.Last(), items, error);
        job.Found(items, Outcome(ok, error));
        break;
    }
    case ExportJob::Step::Write: {
        const bool ok = job.Replaced() ? calendar.ReplaceItem(*job.Replaced(), job.Item(), error)
                                       : calendar.AddItem(job.Item(), error);
        job.Done(Outcome(ok, error));
        break;
    }
    case ExportJob::Step::Delete: job.Done(Outcome(calendar.DeleteItem(job.Obsolete(), error), error)); break;
    case ExportJob::Step::Finish: job.Done(Outcome(calendar.Finish(error), error)); break;
    case ExportJob::Step::Done: break;
    }
}

}  // namespace varnel
