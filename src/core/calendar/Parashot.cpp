#include "core/calendar/Parashot.h"

#include <algorithm>
#include <utility>

#include "core/calendar/HebrewCalendar.h"
#include "core/common/DataFile.h"
#include "core/common/Date.h"
#include "core/common/Files.h"

namespace varnel {

namespace {

Date FromJanuary(int year, int month, int day) {
    return JulianDayToDate(HebrewDateFromJanuary(year, month, day, kGregorianSelector));
}

Date UntilDecember(int year, int month, int day) {
    return JulianDayToDate(HebrewDateUntilDecember(year, month, day, kGregorianSelector));
}

void ClearRecord(ParashahRecord& r) {
    r.date.reset();
    r.parashah.clear();
    r.english.clear();
    r.torah.clear();
    r.haftarah.clear();
    r.sephardic.clear();
    r.messianic.clear();
    r.brithadashah.clear();
}

constexpr DataFileShape kPortionShape{"Parashah", "parashah", kPortionCount, "portions",
                                     "the Shabbatot show no portions or readings"};

void ReadPortions(const ProfileFile& file, ParashahTable& table) {
    for (ParashahRecord& r : table) ClearRecord(r);
    std::string section = "Parashah";
    for (int i = 1; i <= kPortionCount; ++i) {
        section.resize(8);
        section += std::to_string(i);
        const ProfileFile::SectionReader reader = file.SectionOf(section);
        ParashahRecord& r = table[i];
        r.parashah = reader.Get("parashah");
        const std::string english = reader.Get("english");
        if (!english.empty()) r.english = '"' + english + '"';
        r.torah = reader.Get("torah");
        r.haftarah = reader.Get("haftarah");
        r.sephardic = reader.Get("sephardic");
        r.messianic = reader.Get("messianic");
        r.brithadashah = reader.Get("brithadashah");
    }
}

// The dates that decide the shape of one reading cycle.
struct Cycle {
    Date start;  // 23 Tishrei opening the cycle
    Date end;    // 23 Tishrei closing it
    bool leap = false;
    bool israel = false;
    Date thisNewYear;
    Date nextNewYear;
    Date pesach;
    Date shabbatPesach;
    Date shavuot;
    Date sukkot;
    Date shabbatSukkot;
    Date sheminiAtzeret;
};

Cycle CycleOf(int year, ReadingSchedule schedule) {
    Cycle c;
    c.israel = schedule == ReadingSchedule::Israel;
    c.start = UntilDecember(year - 1, 1, 23);
    c.end = UntilDecember(year, 1, 23);
    c.leap = HebrewLeapYear(HebrewDateOf(c.start).year);
    const int startYear = c.start.Year();
    const int nextYear = startYear + 1;
    c.thisNewYear = FromJanuary(startYear, 1, 1);
    c.nextNewYear = FromJanuary(nextYear, 1, 1);
    c.pesach = FromJanuary(nextYear, -6, 15);
    c.shabbatPesach = c.pesach.SaturdayOnOrAfter();
    c.shavuot = FromJanuary(nextYear, -4, 6);
    c.sukkot = FromJanuary(nextYear, 1, 15);
    c.shabbatSukkot = c.sukkot.SaturdayOnOrAfter();
    c.sheminiAtzeret = FromJanuary(nextYear, 1, 22);
    return c;
}

// Lays the portions of one cycle over its Shabbatot. Entry k + 1 is written in
// step k; a write past entry 75 is skipped.
class Schedule {
public:
    Schedule(ParashahTable& table, const Cycle& cycle) : t_(table), c_(cycle) {}

    // The main pass; returns the step at which the cycle's end was reached.
    int MainPass() {
        const int offset = c_.start.Weekday() == kSaturday ? 7 : kSaturday - c_.start.Weekday();
        int week = 0;
        int portion = 0;
        for (int k = 0; k <= kParashotEntries; ++k) {
            const Date d = c_.start + offset + 7 * week;
            if (d >= c_.end) return k;
            if (const char* festival = FestivalOn(d)) {
                InsertFestival(k, d, festival);
                ++week;
                continue;
            }
            ++portion;
            if (PlacePortion(k, portion, d)) ++week;
        }
        return kParashotEntries + 1;
    }

    // The new cycle's opening portions, up to 31 December of the shown year.
    void Continue(int last, int year) {
        const Date first = c_.end.SaturdayOnOrAfter();
        int week = 0;
        int m = 0;
        for (int k = last; k <= kParashotEntries; ++k) {
            const Date d = first + 7 * week;
            if (d.Year() > year) return;
            ++m;
            if (Writable(k + 1)) {
                if (m != k + 1) t_[k + 1] = t_[m];
                t_[k + 1].date = d;
            }
            ++week;
        }
    }

private:
    static bool Writable(int entry) { return entry >= 1 && entry <= kParashotEntries; }

    void SetDate(int entry, Date date) {
        if (Writable(entry)) t_[entry].date = date;
    }

    const char* FestivalOn(Date d) const {
        if (d == c_.nextNewYear) return kYomTruahShabbat;
        // No weekly portion is read on Yom Kippur.
        if (d == c_.nextNewYear + 9) return kYomKippurShabbat;
        if (!c_.israel && c_.pesach.Weekday() == kSaturday && d == c_.pesach + 7) return kLastDayOfPesachShabbat;
        if (d == c_.shabbatPesach) return kShabbatPesach;
        if (d == c_.shavuot) return kShavuotShabbatDay1;
        if (!c_.israel && d == c_.shavuot + 1) return kShavuotShabbatDay2;
        if (d == c_.sukkot) return kSukkotShabbat;
        if (d == c_.shabbatSukkot) return kShabbatSukkot;
        if (d == c_.sheminiAtzeret) return kSheminiAtzeret;
        return nullptr;
    }

    // Entries k .. 74 move up one place; entry k + 1 becomes the festival and
    // keeps the readings of the entry before it until special readings apply.
    void InsertFestival(int k, Date d, const char* name) {
        const int low = std::max(k, 1);
        for (int j = kParashotEntries - 1; j > low; --j) t_[j + 1] = std::move(t_[j]);
        if (low + 1 <= kParashotEntries) t_[low + 1] = t_[low];
        if (!Writable(k + 1)) return;
        t_[k + 1].date = d;
        t_[k + 1].parashah = name;
    }

    // Dates portion p (entry k + 1) for the Shabbat d; returns whether it took
    // that Shabbat (false when it was joined to an earlier one).
    bool PlacePortion(int k, int p, Date d) {
        const int entry = k + 1;
        if (IsraelReadsApart(p)) {
            SetDate(entry, d);
            return true;
        }
        // Balak joins Chukat outside Israel when the second day of Shavuot took a Shabbat.
        const bool joinBalak = !c_.israel && (c_.shavuot.Weekday() == kFriday || c_.shavuot.Weekday() == kSaturday);
        if (c_.leap) {
            if ((p == 43 && c_.thisNewYear.Weekday() != kThursday) || (p == 40 && joinBalak)) {
                SetDate(entry, d - 7);
                return false;
            }
            if (p == 52 && (c_.nextNewYear.Weekday() == kThursday || c_.nextNewYear.Weekday() == kSaturday)) {
                JoinBeforeNewYear(k, d);
                return false;
            }
            SetDate(entry, d);
            return true;
        }
        switch (p) {
            case 23:
                if (c_.pesach.Weekday() == kSunday && c_.thisNewYear.Weekday() == kThursday) break;
                SetDate(entry, d - 7);
                return false;
            case 28:
            case 30:
            case 33:
            case 43:
                SetDate(entry, AfterFestival(d) ? d - 14 : d - 7);
                return false;
            case 40:
                if (!joinBalak) break;
                SetDate(entry, d - 7);
                return false;
            case 52:
                if (c_.nextNewYear.Weekday() == kMonday || c_.nextNewYear.Weekday() == kTuesday) break;
                JoinBeforeNewYear(k, d);
                return false;
            default:
                // The last portion has no Shabbat of its own: it takes the date
                // of the cycle's last Shabbat unless a later step dates it.
                if (p > 50 && d + 15 >= c_.end) SetDate(entry + 1, d);
                break;
        }
        SetDate(entry, d);
        return true;
    }

    // The Shabbat before d was a festival record, so a joined portion goes two
    // weeks back.
    bool AfterFestival(Date d) const { return FestivalOn(d - 7) != nullptr; }

    // In Israel the eighth day of Pesach on a Shabbat reads the next portion,
    // so the pair the diaspora joins to catch up is read apart.
    bool IsraelReadsApart(int p) const {
        if (!c_.israel || c_.pesach.Weekday() != kSaturday) return false;
        return p == (c_.leap ? 43 : 33);
    }

    // Vayelech joins Nitzavim on the Shabbat before Rosh Hashanah. When Rosh
    // Hashanah itself was that Shabbat's successor, the portion goes two weeks
    // back and moves before the "Yom T'ruah" record.
    void JoinBeforeNewYear(int k, Date d) {
        const int entry = k + 1;
        if (d != c_.nextNewYear + 7) {
            SetDate(entry, d - 7);
            return;
        }
        SetDate(entry, d - 14);
        if (Writable(k) && Writable(entry)) std::swap(t_[k], t_[entry]);
    }

    ParashahTable& t_;
    const Cycle& c_;
};

}  // namespace

// Dates the loaded portions over the year's Shabbatot.
void ScheduleLoadedPortions(int year, ParashahTable& table, ReadingSchedule schedule) {
    const Cycle cycle = CycleOf(year, schedule);
    Schedule pass(table, cycle);
    const int last = pass.MainPass();
    pass.Continue(last, year);
}

bool LoadPortions(const std::string& datPath, ParashahTable& table, DataFileReport& report) {
    const DataFileContents contents = ReadDataFile(datPath, kPortionShape, report);
    ReadPortions(contents.profile, table);
    return !contents.absent;
}

void ScheduleParashot(const std::string& datPath, int year, ParashahTable& table, DataFileReport& report,
                      ReadingSchedule schedule) {
    LoadPortions(datPath, table, report);
    ScheduleLoadedPortions(year, table, schedule);
}

void ScheduleParashot(const std::string& datPath, int year, ParashahTable& table, ReadingSchedule schedule) {
    DataFileReport unused;
    ScheduleParashot(datPath, year, table, unused, schedule);
}

void ScheduleParashot(const ProfileFile& file, int year, ParashahTable& table, ReadingSchedule schedule) {
    ReadPortions(file, table);
    ScheduleLoadedPortions(year, table, schedule);
}

}  // namespace varnel
