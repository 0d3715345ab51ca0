// The readings of every Saturday of 1900..2199 against Debian's hebcal: which
// Saturdays are festivals, the named special Shabbatot, the days of Hanukkah
// and the new moons come from hebcal's own calendar (one call for the whole
// range); the program must read on each the festival's readings, or the week's
// portion with the maftir and the Haftarah of the special Shabbat that takes
// precedence. Also: a Saturday reads the same in every year's table that holds it.
#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "core/calendar/FestivalReadings.h"
#include "core/calendar/HebrewCalendar.h"
#include "core/calendar/YearCalendar.h"
#include "core/common/Date.h"
#include "core/common/Files.h"
#include "core/common/Json.h"
#include "CommandLines.h"

namespace varnel {
namespace {

// hebcal's events by ISO date.
using Events = std::map<std::string, std::vector<std::string>>;

Events RunHebcal(const std::string& options) {
    Events events;
    const std::string command = "hebcal " + options + " -g --years 301 1899";
    testing::ForEachCommandLine(command, [&](const std::string& text) {
        if (text.size() > 11) events[text.substr(0, 10)].push_back(text.substr(11));
    });
    return events;
}

bool Has(const Events& events, Date date, const std::string& prefix, const std::string& also = "") {
    const auto it = events.find(IsoDate(date));
    if (it == events.end()) return false;
    for (const std::string& e : it->second)
        if (e.rfind(prefix, 0) == 0 && e.find(also) != std::string::npos) return true;
    return false;
}

// Hanukkah's lights are lit on the evening before each of its days.
bool IsHanukkah(const Events& events, Date date) { return Has(events, date - 1, "Chanukah: ", "Candle"); }

// hebcal's festival days, by the holy-day record (name and day of the feast)
// whose readings a Saturday on that day takes.
const std::map<std::string, std::pair<std::string, int>>& FestivalRecords() {
    static const std::map<std::string, std::pair<std::string, int>> records = {
        {"Rosh Hashana", {"Yom T'ruah (Rosh Hashanah)", 1}}, {"Yom Kippur", {"Yom Kippur", 0}},
        {"Sukkot I", {"Sukkot", 1}}, {"Sukkot III (CH''M)", {"Shabbat Sukkot", 0}},
        {"Sukkot IV (CH''M)", {"Shabbat Sukkot", 0}}, {"Sukkot V (CH''M)", {"Shabbat Sukkot", 0}},
        {"Sukkot VI (CH''M)", {"Shabbat Sukkot", 0}}, {"Shmini Atzeret", {"Shemini Atzeret", 0}},
        {"Pesach I", {"Hag HaMatzot", 1}}, {"Pesach III (CH''M)", {"Shabbat Pesach", 0}},
        {"Pesach IV (CH''M)", {"Shabbat Pesach", 0}}, {"Pesach V (CH''M)", {"Shabbat Pesach", 0}},
        {"Pesach VI (CH''M)", {"Shabbat Pesach", 0}}, {"Pesach VII", {"Hag HaMatzot", 7}},
        {"Pesach VIII", {"Hag HaMatzot", 8}}, {"Shavuot II", {"Shavuot Shabbat (day 2)", 0}},
    };
    return records;
}

const HolyDayRecord& Record(const HolyDayTable& table, const std::string& name, int daynumber = 0) {
    for (int i = 1; i <= kHolyDayCount; ++i)
        if (table[i].name == name && (daynumber == 0 || table[i].daynumber == daynumber)) return table[i];
    static const HolyDayRecord none;
    ADD_FAILURE() << "no holy day " << name;
    return none;
}

// What hebcal's calendar says a Saturday reads: "festival NAME", or the
// special Shabbatot whose Haftarah and maftirs go with the week's portion.
struct Expected {
    const HolyDayRecord* festival = nullptr;
    const HolyDayRecord* haftarah = nullptr;  // none: the week's own
    std::vector<std::string> maftirs;
};

Expected ExpectedOn(const Events& events, const HolyDayTable& table, Date s) {
    Expected e;
    for (const auto& [name, record] : FestivalRecords())
        if (const auto it = events.find(IsoDate(s)); it != events.end())
            for (const std::string& event : it->second)
                // "Rosh Hashana 5787": the first day names its year.
                if (event == name || (name == "Rosh Hashana" && event.rfind(name + " 5", 0) == 0))
                    e.festival = &Record(table, record.first, record.second);
    if (e.festival) return e;
    // Hebcal names the special Shabbatot.
    std::string named;
    for (const char* special : {"Shabbat Shuva", "Shabbat Shekalim", "Shabbat Zachor", "Shabbat Parah",
                                "Shabbat HaChodesh", "Shabbat HaGadol", "Shabbat Chazon", "Shabbat Nachamu"})
        if (Has(events, s, special)) named = special;
    if (named == "Shabbat Shuva") named = "Shabbat T'shuvah";
    if (IsHanukkah(events, s)) named = IsHanukkah(events, s - 7) ? "Shabbat Hanukkah (2nd)" : "Shabbat Hanukkah (1st)";
    const bool newMoon = Has(events, s, "Rosh Chodesh");
    const bool newMoonTomorrow = !newMoon && Has(events, s + 1, "Rosh Chodesh");
    // From 17 Tammuz (hebcal's fast, or the Sunday it moves to) to Rosh
    // Hashanah the weeks keep their own Haftarot over the new moon's.
    const HebrewDate h = HebrewDateOf(s);
    const int tammuz = (HebrewLeapYear(h.year) ? 7 : 6) + 4;
    const bool ownHaftarot = (h.month == tammuz && h.day >= 17) || h.month > tammuz;
    if (newMoon) e.maftirs.push_back(Record(table, "Shabbat Rosh Chodesh").maftir);
    if (!named.empty()) {
        e.haftarah = &Record(table, named);
        if (!e.haftarah->maftir.empty()) e.maftirs.push_back(e.haftarah->maftir);
    } else if (newMoon && !ownHaftarot) {
        e.haftarah = &Record(table, "Shabbat Rosh Chodesh");
    } else if (newMoonTomorrow && !ownHaftarot) {
        e.haftarah = &Record(table, "Machar Chodesh");
    }
    return e;
}

class Readings : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        data_ = new CalendarData(LoadCalendarData(VARNEL_SOURCE_DATA));
        years_ = new std::vector<YearCalendar>;
        for (int year = 1900; year <= 2200; ++year) years_->push_back(BuildYear(year, *data_));
    }
    static void TearDownTestSuite() {
        delete years_;
        delete data_;
    }
    // The entries dated on a Saturday in the table of its own year.
    static std::vector<const ParashahRecord*> On(Date s) {
        std::vector<const ParashahRecord*> entries;
        const ParashahTable& table = (*years_)[static_cast<size_t>(s.Year() - 1900)].parashot;
        for (int i = 1; i <= kParashotEntries; ++i)
            if (table[i].date == s) entries.push_back(&table[i]);
        return entries;
    }
    static CalendarData* data_;
    static std::vector<YearCalendar>* years_;
};
CalendarData* Readings::data_ = nullptr;
std::vector<YearCalendar>* Readings::years_ = nullptr;

std::string Describe(const std::vector<const ParashahRecord*>& entries) {
    std::string text;
    for (const ParashahRecord* p : entries) text += "[" + p->parashah + " | " + p->torah + " | " + p->haftarah + "] ";
    return text;
}

TEST_F(Readings, EverySaturdayOf1900To2199ReadsWhatHebcalsCalendarGives) {
    const Events events = RunHebcal("-s");
    ASSERT_GT(events.size(), 30000u) << "hebcal gave no calendar";
    // The week's own Haftarah, by portion name, from the data file.
    const ProfileFile portions = ProfileFile::Read(PathIn(VARNEL_SOURCE_DATA, kParashahFile));
    std::map<std::string, std::string> weekly;
    for (int p = 1; p <= kPortionCount; ++p) {
        const std::string section = "Parashah" + std::to_string(p);
        weekly[portions.Get(section, "parashah")] = portions.Get(section, "haftarah");
    }
    const HolyDayTable& table = data_->holyDays;
    int mismatches = 0;
    std::map<std::string, int> seen;
    for (Date s = Date(1900, 1, 6); s.Year() <= 2199; s += 7) {
        const Expected e = ExpectedOn(events, table, s);
        const std::vector<const ParashahRecord*> entries = On(s);
        bool ok = !entries.empty();
        if (ok && e.festival) {
            ok = entries.size() == 1 && entries[0]->torah == e.festival->torah &&
                 entries[0]->haftarah == e.festival->haftarah;
            ++seen[e.festival->name];
        } else if (ok) {
            std::string torah;
            for (const ParashahRecord* p : entries) {
                const auto w = weekly.find(p->parashah);
                const std::string haftarah = e.haftarah ? e.haftarah->haftarah : (w != weekly.end() ? w->second : "?");
                ok = ok && p->haftarah == haftarah;
            }
            // The maftirs follow the day's last portion.
            std::string tail;
            for (const std::string& m : e.maftirs) tail += "; " + m;
            const std::string& last = entries.back()->torah;
            ok = ok && last.size() >= tail.size() && last.compare(last.size() - tail.size(), tail.size(), tail) == 0;
            ++seen[e.haftarah ? e.haftarah->name : "weekly"];
        }
        if (!ok && ++mismatches <= 20)
            ADD_FAILURE() << IsoDate(s) << " expected " << (e.festival ? e.festival->name : e.haftarah ? e.haftarah->name : "weekly")
                          << ", reads " << Describe(entries);
    }
    EXPECT_EQ(mismatches, 0);
    // Every kind of Saturday occurred.
    for (const char* kind : {"Sukkot", "Hag HaMatzot", "Shabbat Pesach", "Shabbat T'shuvah", "Shabbat Shekalim",
                             "Shabbat Zachor", "Shabbat Parah", "Shabbat HaChodesh", "Shabbat HaGadol", "Shabbat Chazon",
                             "Shabbat Nachamu", "Shabbat Rosh Chodesh", "Machar Chodesh", "Shabbat Hanukkah (2nd)"})
        EXPECT_GT(seen[kind], 10) << kind;
}

TEST_F(Readings, ASaturdayReadsTheSameInEveryTableThatHoldsIt) {
    int shared = 0;
    for (size_t y = 0; y + 1 < years_->size(); ++y) {
        const ParashahTable& a = (*years_)[y].parashot;
        const ParashahTable& b = (*years_)[y + 1].parashot;
        std::map<Date, std::string> first, second;
        const auto collect = [](const ParashahTable& t, std::map<Date, std::string>& out) {
            for (int i = 1; i <= kParashotEntries; ++i)
                if (t[i].date) {
                    const ParashahRecord& r = t[i];
                    out[*r.date] += r.parashah + "|" + r.english + "|" + r.torah + "|" + r.haftarah + "|" + r.sephardic +
                                    "|" + r.messianic + "|" + r.brithadashah + "\n";
                }
        };
        collect(a, first);
        collect(b, second);
        for (const auto& [date, readings] : first) {
            const auto other = second.find(date);
            if (other == second.end()) continue;
            ++shared;
            EXPECT_EQ(readings, other->second) << IsoDate(date) << " in the tables of " << 1900 + y << " and "
                                               << 1901 + y;
        }
    }
    EXPECT_GT(shared, 300 * 9);
}

// The names of the entries read on a Saturday, joined with "/".
std::string NamesOn(const ParashahTable& table, Date s) {
    std::string names;
    for (int i = 1; i <= kParashotEntries; ++i)
        if (table[i].date == s) names += (names.empty() ? "" : "/") + table[i].parashah;
    return names;
}

std::string HebcalPortion(const Events& events, Date s) {
    const auto it = events.find(IsoDate(s));
    if (it != events.end())
        for (const std::string& e : it->second)
            if (e.rfind("Parashat ", 0) == 0) return e.substr(9);
    return {};
}

// The Israeli schedule against hebcal's (-i): hebcal's portion names are
// matched to the program's through the diaspora schedule, which the libhdate
// test checks on its own; a Saturday without a portion must read a festival.
TEST_F(Readings, EverySaturdayOf1900To2199InIsraelReadsHebcalsIsraeliPortion) {
    const Events diaspora = RunHebcal("-s");
    const Events israel = RunHebcal("-i -s");
    ASSERT_GT(israel.size(), 30000u) << "hebcal gave no calendar";
    std::map<std::string, std::string> ours;
    for (Date s = Date(1900, 1, 6); s.Year() <= 2199; s += 7)
        if (const std::string name = HebcalPortion(diaspora, s); !name.empty())
            ours[name] = NamesOn((*years_)[static_cast<size_t>(s.Year() - 1900)].parashot, s);
    CalendarData inIsrael = *data_;
    inIsrael.rules.israel = true;
    int mismatches = 0, differences = 0;
    for (int year = 1900; year <= 2199; ++year) {
        const ParashahTable table = BuildYear(year, inIsrael).parashot;
        for (Date s = Date(year, 1, 1).SaturdayOnOrAfter(); s.Year() == year; s += 7) {
            const std::string name = HebcalPortion(israel, s);
            const std::string read = NamesOn(table, s);
            const bool festival = ours.count(read) == 0 && read.find('/') == std::string::npos;
            bool ok = name.empty() ? festival && !read.empty() : ours.count(name) && ours[name] == read;
            if (read != NamesOn((*years_)[static_cast<size_t>(year - 1900)].parashot, s)) ++differences;
            if (!ok && ++mismatches <= 20)
                ADD_FAILURE() << IsoDate(s) << ": hebcal -i reads " << (name.empty() ? "a festival" : name) << ", the program "
                              << read;
        }
    }
    EXPECT_EQ(mismatches, 0);
    EXPECT_GT(differences, 300);  // the schedules do part in many years
}

}  // namespace
}  // namespace varnel
