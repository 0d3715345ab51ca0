// The order of the export's changes: earlier items replaced in place, the
// export's items no longer wanted deleted only after every write succeeded,
// the user's items (a title in guillemets, one of our UIDs) left alone, and
// after any failure each Shabbat holding its earlier item or its new one.
#include <gtest/gtest.h>

#include <map>

#include "core/appointments/ExportJob.h"
#include "core/appointments/ExportToCalendar.h"
#include "core/common/Date.h"

namespace varnel {
namespace {

const Date kFeb = Date(2026, 2, 1);
Date Feb(int day) { return Date(2026, 2, day); }

// A calendar in memory whose finding or writing can be made to fail.
class MemoryCalendar : public CalendarBackend {
public:
    std::string Name() const override { return "memory"; }
    bool Open(std::string&) override { return true; }
    bool FindItems(Date, Date, std::vector<CalendarEntry>& out, std::string& error) override {
        for (const auto& [id, e] : items) out.push_back(e);
        error = failFind ? "no answer" : "";
        return !failFind;
    }
    bool DeleteItem(const CalendarEntry& e, std::string&) override {
        log.push_back("delete " + e.id);
        return items.erase(e.id) == 1;
    }
    bool AddItem(const CalendarItem& item, std::string& error) override {
        log.push_back("add " + item.uid.substr(21, 2));
        return Put(item.uid.substr(21, 2), item, error);
    }
    bool ReplaceItem(const CalendarEntry& earlier, const CalendarItem& item, std::string& error) override {
        log.push_back("replace " + earlier.id);
        return Put(earlier.id, item, error);
    }
    bool Finish(std::string&) override { return true; }

    bool Put(const std::string& id, const CalendarItem& item, std::string& error) {
        if (failWrites) {
            error = "HTTP 507";
            return false;
        }
        items[id] = {id, item.subject, item.date, item.uid, Ownership::Ours};
        return true;
    }
    void Seed(const std::string& id, int day, const std::string& uid, const std::string& subject, Ownership owner) {
        items[id] = {id, subject, Feb(day), uid, owner};
    }
    std::map<std::string, CalendarEntry> items;
    std::vector<std::string> log;
    bool failFind = false, failWrites = false;
};

class StopAfter : public ExportProgress {
public:
    explicit StopAfter(int n) : left(n) {}
    void SetAction(const std::string&) override {}
    void SetDetail(const std::string&) override {}
    bool Cancelled() override { return left-- == 0; }
    int left;
};

CalendarItem Item(int day, const std::string& name) {
    CalendarItem item;
    item.date = Feb(day);
    item.uid = PortionUid(Feb(day));
    item.subject = "\xC2\xAB" + name + "\xC2\xBB";
    return item;
}

TEST(ExportJob, WritesFirstDeletesLastAndNeverLeavesAShabbatEmpty) {
    struct Case {
        const char* name;
        bool failFind, failWrites;
        int cancelAfter;  // changes made before the user cancels; -1: never
        std::vector<std::string> log;
        std::vector<std::string> subjects;  // what the calendar holds afterwards, by id
        size_t kept;
    };
    const Case cases[] = {
        {"all goes well", false, false, -1, {"replace 07", "add 14", "delete 28"}, {"New 07", "New 14", "Mine", "Own"}, 0},
        {"the query fails: nothing changes", true, false, -1, {}, {"Old 07", "Old 28", "Mine", "Own"}, 0},
        {"every write fails: no delete", false, true, -1, {"replace 07", "add 14"}, {"Old 07", "Old 28", "Mine", "Own"}, 2},
        {"cancelled after one write", false, false, 1, {"replace 07"}, {"New 07", "Old 28", "Mine", "Own"}, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MemoryCalendar calendar;
        calendar.Seed("07", 7, PortionUid(Feb(7)), "Old 07", Ownership::Ours);
        calendar.Seed("28", 28, PortionUid(Feb(28)), "Old 28", Ownership::Ours);  // the Shabbat has no portion now
        calendar.Seed("Mine", 14, "mine@me", "\xC2\xABMine\xC2\xBB", Ownership::User);  // the user's, in guillemets
        calendar.Seed("Own", 21, "own@me", "Own", Ownership::User);
        calendar.failFind = c.failFind;
        calendar.failWrites = c.failWrites;
        ExportJob job("memory", PortionExportScope(kFeb), {Item(7, "New 07"), Item(14, "New 14")});
        StopAfter progress(c.cancelAfter);
        while (job.Current() != ExportJob::Step::Done) {
            const bool change = job.Current() == ExportJob::Step::Write || job.Current() == ExportJob::Step::Delete;
            if (change && progress.Cancelled()) job.Stop("cancelled");
            PerformStep(calendar, job);
        }
        EXPECT_EQ(calendar.log, c.log);
        std::vector<std::string> subjects;
        for (const auto& [id, e] : calendar.items)
            subjects.push_back(e.subject.rfind("\xC2\xAB", 0) == 0 ? e.subject.substr(2, e.subject.size() - 4) : e.subject);
        EXPECT_EQ(subjects, c.subjects);
        EXPECT_EQ(job.Report().kept.size(), c.kept);
        EXPECT_EQ(job.Report().Complete(), c.log.size() == 3);
        if (c.kept) {
            EXPECT_NE(ExportSummary(job.Report()).find("The earlier export's item stays for"), std::string::npos);
        }
    }
}

TEST(ExportJob, AUserItemWithOurUidIsReportedNotDuplicated) {
    MemoryCalendar calendar;
    calendar.Seed("theirs", 7, PortionUid(Feb(7)), "Copied", Ownership::UserWithOurUid);
    StopAfter never(-1);
    const ExportReport report = ExportToCalendar(calendar, kFeb, {{Feb(7), {{"Bo", "a", "b", "c"}}}}, "/nonexistent", never);
    EXPECT_TRUE(calendar.log.empty());
    ASSERT_EQ(report.failed.size(), 1u);
    EXPECT_EQ(report.failed[0].reason, kUserHoldsUid);
    EXPECT_EQ(report.userHeld.size(), 1u);
    EXPECT_FALSE(report.Complete());
}

}  // namespace
}  // namespace varnel
