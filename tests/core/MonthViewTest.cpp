// The month model against known calendars: where the days go, their colours,
// the titles, and the texts of the days computed from the shipped data with a
// fixed sun, checked against hand-worked times and libhdate's Hebrew dates.
#include <gtest/gtest.h>
#include <hdate.h>

#include <algorithm>
#include <chrono>
#include <string>

#include "core/calendar/HebrewCalendar.h"
#include "core/calendar/HolyDays.h"
#include "core/calendar/Parashot.h"
#include "core/calendar/FestivalReadings.h"
#include "core/calendar/YearCalendar.h"
#include "core/common/Date.h"
#include "core/common/Files.h"
#include "core/views/ColorScheme.h"
#include "core/printing/HtmlWriter.h"
#include "core/printing/PrintedMonth.h"
#include "core/views/CalendarSource.h"
#include "core/views/MonthView.h"

namespace varnel {
namespace {

constexpr Color kHoly = RGB(237, 187, 253);
constexpr Color kShabbat = RGB(100, 179, 217);

// Sunrise 6:00 AM and sunset 6:00 PM every day: a proportional hour of 60 minutes.
SunDay EvenDay(Date date) { return {.sunrise = date.Serial() + 0.25, .sunset = date.Serial() + 0.75, .zoneName = "Test Standard Time"}; }

// The year of the shipped data as the window builds it.
YearCalendar YearData(int year) { return BuildYear(year, LoadCalendarData(VARNEL_SOURCE_DATA)); }

MonthViewModel Render(int year, int month, const PlacedHolyDays* holyDays, const ParashahTable* parashot,
                      bool floatDetails = true, bool shabbatTimesOnHolyDays = false) {
    MonthInputs in;
    in.firstDay = Date(year, month, 1);
    in.dayCount = DaysInMonth(year, month);
    in.holyDays = holyDays;
    in.parashot = parashot;
    in.city = "Test City";
    in.sunOf = EvenDay;
    in.holyDayColor = kHoly;
    in.shabbatColor = kShabbat;
    in.floatDetails = floatDetails;
    in.shabbatTimesOnHolyDays = shabbatTimesOnHolyDays;
    MonthViewModel view;
    ComposeMonth(in, view);
    return view;
}

const GridCell& CellOfDay(const Grid& grid, int year, int month, int day) {
    const MonthCell at = MonthCellOf(Date(year, month, 1), day);
    return grid.Cell(at.row, at.col);
}
const GridCell& CellOfDay(const MonthViewModel& view, int year, int month, int day) {
    return CellOfDay(view.grid, year, month, day);
}

bool Contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

TEST(MonthView, PlacesAMonthStartingOnShabbatOverSixRows) {
    // 1 March 2025 was a Saturday.
    const MonthViewModel view = Render(2025, 3, nullptr, nullptr);
    // The cell data as the grid's readers see it: the day's offset in two digits first.
    const auto data = [&view](int row, int col) { return MonthCellData(view.grid.Cell(row, col), Date(2025, 3, 1)); };
    EXPECT_EQ(data(1, 6).substr(0, 2), "00");
    for (int c = 0; c < 6; ++c) EXPECT_EQ(view.grid.Cell(1, c).background, kShadowColor) << c;
    EXPECT_EQ(data(6, 1).substr(0, 2), "30");  // the 31st
    EXPECT_TRUE(view.dayLabelVisible[31]);
    EXPECT_EQ(view.dayLabelCells[31].row, 6);
    EXPECT_EQ(view.dayLabelCells[31].col, 1);
    EXPECT_FALSE(view.dayLabelVisible[0]);
}

TEST(MonthView, ShortFebruaryLeavesTwoEmptyRows) {
    // 1 February 2026 is a Sunday; 2026 is not a leap year. The model held
    // March 2025 before (31 days, six rows): nothing of it may stay behind.
    MonthViewModel view = Render(2025, 3, nullptr, nullptr);
    MonthInputs in;
    in.firstDay = Date(2026, 2, 1);
    in.dayCount = 28;
    ComposeMonth(in, view);
    EXPECT_EQ(view.grid.Cell(1, 0).date, Date(2026, 2, 1));
    EXPECT_EQ(view.grid.Cell(4, 6).date, Date(2026, 2, 28));
    for (int r = 5; r <= 6; ++r)
        for (int c = 0; c < 7; ++c) {
            const GridCell& cell = view.grid.Cell(r, c);
            EXPECT_EQ(cell.background, kShadowColor) << r << "," << c;
            EXPECT_EQ(cell.foreground, kWhiteColor);
            EXPECT_TRUE(cell.data.empty());
            EXPECT_EQ(cell.date, std::nullopt) << r << "," << c;
            if (r == 6 && c == 6) {
                EXPECT_EQ(cell.text, "Floating info");
                EXPECT_EQ(cell.check, CheckState::Checked);
                EXPECT_EQ(cell.alignment, CellAlignment::LeftCenter);
            } else {
                EXPECT_TRUE(cell.text.empty()) << r << "," << c;
                EXPECT_EQ(cell.check, CheckState::None);
            }
        }
    EXPECT_FALSE(view.dayLabelVisible[29]);
    EXPECT_EQ(Render(2026, 2, nullptr, nullptr, false).grid.Cell(6, 6).check, CheckState::Unchecked);
}

TEST(MonthView, EveryDayOfSixtyYearsSitsUnderItsWeekdayWithItsHebrewDay) {
    // Weekdays from the standard library's civil calendar, Hebrew days and years from libhdate.
    using namespace std::chrono;
    for (int year = 1990; year <= 2050; ++year)
        for (int month = 1; month <= 12; ++month) {
            const MonthViewModel view = Render(year, month, nullptr, nullptr);
            const int days = DaysInMonth(year, month);
            for (int day = 1; day <= days; ++day) {
                const weekday wd{sys_days{std::chrono::year{year} / month / day}};
                const int offset = day - 1;
                const MonthCell at = MonthCellOf(Date(year, month, 1), day);
                ASSERT_EQ(at.col, static_cast<int>(wd.c_encoding())) << year << "-" << month << "-" << day;
                const GridCell& cell = view.grid.Cell(at.row, at.col);
                ASSERT_EQ(cell.date, Date(year, month, 1) + offset);
                int hd = 0, hm = 0, hy = 0, t1 = 0, t2 = 0;
                hdate_jd_to_hdate(hdate_gdate_to_jd(day, month, year), &hd, &hm, &hy, &t1, &t2);
                const std::string firstLine = cell.text.substr(0, cell.text.find('\r'));
                ASSERT_EQ(firstLine.substr(firstLine.rfind(' ') + 1), std::to_string(hd))
                    << year << "-" << month << "-" << day << ": " << firstLine;
            }
            // Cells after the last day hold nothing.
            const MonthCell last = MonthCellOf(Date(year, month, 1), days);
            for (int slot = (last.row - 1) * 7 + last.col + 1; slot < 42; ++slot) {
                const GridCell& cell = view.grid.Cell(1 + slot / 7, slot % 7);
                ASSERT_TRUE(cell.data.empty());
                ASSERT_EQ(cell.background, kShadowColor);
            }
            int hd = 0, hm = 0, firstYear = 0, lastYear = 0, t1 = 0, t2 = 0;
            hdate_jd_to_hdate(hdate_gdate_to_jd(1, month, year), &hd, &hm, &firstYear, &t1, &t2);
            hdate_jd_to_hdate(hdate_gdate_to_jd(days, month, year), &hd, &hm, &lastYear, &t1, &t2);
            const std::string years = firstYear == lastYear ? std::to_string(firstYear)
                                                            : std::to_string(firstYear) + "-" + std::to_string(lastYear);
            ASSERT_NE(view.title.find(" " + years + " / "), std::string::npos) << view.title;
        }
}

TEST(MonthView, TitlesNameTheHebrewMonthsAndYears) {
    EXPECT_EQ(MonthTitle(Date(2006, 9, 1), Date(2006, 9, 30)), "Elul-Tishrei 5766-5767 / September 2006");
    EXPECT_EQ(Render(2024, 3, nullptr, nullptr).title, "Adar I-Adar II 5784 / March 2024");
}

TEST(MonthView, ColoursByKindOfDay) {
    const YearCalendar data = YearData(2026);
    // 12 September 2026, Yom T'ruah, is a Saturday: the holy-day colour wins.
    const MonthViewModel view = Render(2026, 9, &data.holyDays, &data.parashot);
    const GridCell& roshHashanah = CellOfDay(view, 2026, 9, 12);
    EXPECT_EQ(roshHashanah.background, kHoly);
    EXPECT_EQ(roshHashanah.foreground, kBlackColor);
    const GridCell& shabbat = CellOfDay(view, 2026, 9, 5);
    EXPECT_EQ(shabbat.background, kShabbat);
    EXPECT_EQ(shabbat.foreground, kWhiteColor);
    const GridCell& weekday = CellOfDay(view, 2026, 9, 8);
    EXPECT_EQ(weekday.background, kWhiteColor);
    EXPECT_EQ(weekday.foreground, kBlackColor);
    EXPECT_EQ(SchemeHolyDayColor(-1), kBlackColor);  // a scheme outside 0..3 paints in black
}

TEST(DayDetails, OrdinaryDayTextsToTheLetter) {
    const YearCalendar data = YearData(2026);
    const MonthViewModel view = Render(2026, 7, &data.holyDays, &data.parashot);
    // Tuesday 7 July 2026 is 22 Tamuz 5786.
    const GridCell& cell = CellOfDay(view, 2026, 7, 7);
    EXPECT_EQ(cell.text, "Tamuz 22");
    EXPECT_EQ(cell.data,
              "Tamuz 22\r\n"
              "Sunrise: 6:00 AM - Sunset: 6:00 PM\r\n"
              "(Test City - Test Standard Time)\r\n"
              "Proportional hour: 60 minutes\r\n"
              "Prayer times:\r\n"
              "Shacharit: from 6:00 AM to 10:00 AM\r\n"
              "Minchah: from 12:30 PM to 6:00 PM\r\n"
              "Ma'ariv: after 4:30 PM*\r\n"
              "*If Minchah was prayed before 4:30 PM, otherwise earliest Ma'ariv is 7:12 PM\r\n");
    // Friday 10 July: candles 18 minutes before sunset.
    EXPECT_EQ(CellOfDay(view, 2026, 7, 10).text, "Tamuz 25\r\nShabbat Candles: 5:42 PM");
}

TEST(DayDetails, JoinedPortionsConsumeTwoEntries) {
    const YearCalendar data = YearData(2026);
    const MonthViewModel view = Render(2026, 3, &data.holyDays, &data.parashot);
    // Vayakhel and Pekudei share 14 March 2026, Shabbat HaChodesh, whose name takes the
    // cell; the next Saturdays read Vayikra and Tzav.
    EXPECT_EQ(CellOfDay(view, 2026, 3, 14).text, "Adar 25\r\nShabbat HaChodesh");
    EXPECT_TRUE(Contains(CellOfDay(view, 2026, 3, 14).data, "\r\nVayakhel/Pekudei\r\n"));
    EXPECT_TRUE(Contains(CellOfDay(view, 2026, 3, 21).text, "\r\nVayikra\r\nHavdalah: "));
    // 28 March is 10 Nisan, Shabbat HaGadol: the holy day takes the cell, Tzav goes into the details.
    const GridCell& haGadol = CellOfDay(view, 2026, 3, 28);
    EXPECT_EQ(haGadol.text, "Nisan 10\r\nShabbat HaGadol");
    EXPECT_EQ(haGadol.background, kHoly);
    EXPECT_TRUE(Contains(haGadol.data, "\r\nTzav\r\n-----------------------\r\n\"Command\"\r\nLeviticus 6:1-8:36 "));
    EXPECT_TRUE(Contains(CellOfDay(view, 2026, 3, 7).data, "Adar 18\r\nShabbat Parah\r\nNumbers 19:1-22\r\nKi Tisa\r\n"));
}

// December 2026: Hanukkah from Saturday the 5th to Saturday the 12th, with Friday the 11th inside it:
// a holy day on a Friday shows no candles unless asked to.
TEST(DayDetails, ShabbatTimesOnHolyDaysAddOnlyTheirLineWhenAskedFor) {
    const YearCalendar data = YearData(2026);
    const MonthViewModel plain = Render(2026, 12, &data.holyDays, &data.parashot);
    const MonthViewModel timed = Render(2026, 12, &data.holyDays, &data.parashot, true, true);
    // Sunset 6:00 PM: candles 18 minutes before, Havdalah about 42 minutes after.
    EXPECT_EQ(CellOfDay(plain, 2026, 12, 11).text, "Tevet 1\r\nHanukkah day 7");
    EXPECT_EQ(CellOfDay(timed, 2026, 12, 11).text, "Tevet 1\r\nHanukkah day 7\r\nShabbat Candles: 5:42 PM");
    EXPECT_EQ(CellOfDay(plain, 2026, 12, 5).text, "Kislev 25\r\nHanukkah day 1");
    EXPECT_EQ(CellOfDay(timed, 2026, 12, 5).text, "Kislev 25\r\nHanukkah day 1\r\nHavdalah: 6:41 PM");
    EXPECT_EQ(CellOfDay(timed, 2026, 12, 12).text, "Tevet 2\r\nHanukkah day 8\r\nHavdalah: 6:41 PM");
    EXPECT_TRUE(Contains(CellOfDay(timed, 2026, 12, 11).data, "Hanukkah day 7\r\nShabbat Candles: 5:42 PM\r\n"));
    // Weekday holy days and days without a holy day read the same either way.
    for (int day = 1; day <= 31; ++day) {
        if (day == 5 || day == 11 || day == 12) continue;
        EXPECT_EQ(CellOfDay(plain, 2026, 12, day).text, CellOfDay(timed, 2026, 12, day).text) << day;
        EXPECT_EQ(CellOfDay(plain, 2026, 12, day).data, CellOfDay(timed, 2026, 12, day).data) << day;
    }
}

// The printed month is rendered from a copy of the window's state, switch
// included, and owns its grid: a copy prints its own month after the original
// has been given another.
TEST(DayDetails, PrintedMonthTakesTheStateAndCopiesWhole) {
    CalendarSource source(LoadCalendarData(VARNEL_SOURCE_DATA));
    ViewState state;
    state.ShowMonthOf(Date(2026, 12, 1));
    for (const bool on : {false, true}) {
        state.shabbatTimesOnHolyDays = on;
        const CalendarPageInputs printed = PrintedMonth(source, state);
        EXPECT_EQ(Contains(CellOfDay(printed.monthGrid, 2026, 12, 11).text, "\r\nShabbat Candles: "), on);
        EXPECT_EQ(Contains(CellOfDay(printed.monthGrid, 2026, 12, 12).text, "\r\nHavdalah: "), on);
    }
    CalendarPageInputs original = PrintedMonth(source, state);
    const CalendarPageInputs copy = original;
    state.ShowMonthOf(Date(2026, 4, 1));
    original = PrintedMonth(source, state);
    Document fromCopy, fresh;
    ComposeCalendarDocument(copy, fromCopy);
    state.ShowMonthOf(Date(2026, 12, 1));
    ComposeCalendarDocument(PrintedMonth(source, state), fresh);
    EXPECT_EQ(WriteHtml(fromCopy, {}), WriteHtml(fresh, {}));
    EXPECT_NE(WriteHtml(fromCopy, {}).find("Hanukkah"), std::string::npos);
}

TEST(DayDetails, HolyDayOnSaturdayTakesItsPortionIntoTheDetails) {
    const YearCalendar data = YearData(2026);
    const MonthViewModel view = Render(2026, 9, &data.holyDays, &data.parashot);
    // Saturday 12 September 2026: Yom T'ruah, whose Shabbat reading is special;
    // its second night's candles are lit at nightfall, and no Havdalah is made.
    const GridCell& cell = CellOfDay(view, 2026, 9, 12);
    EXPECT_EQ(cell.text, "Tishrei 1\r\nYom T'ruah (Rosh Hashanah) day 1\r\nCandles: 6:41 PM");
    EXPECT_FALSE(Contains(cell.data, "Havdalah"));
    EXPECT_EQ(CellOfDay(view, 2026, 9, 11).text, "Elul 29\r\nCandles: 5:42 PM");
    EXPECT_TRUE(Contains(CellOfDay(view, 2026, 9, 13).data, "\r\nHavdalah: 6:41 PM - Yom T'ruah (Rosh Hashanah)\r\n"));
    EXPECT_TRUE(Contains(cell.data, "-----------------------\r\nSpecial reading for Yom T'ruah (Rosh Hashanah)\r\n"));
    // The Saturday before carries Nitzavim and Vayelech joined.
    EXPECT_TRUE(Contains(CellOfDay(view, 2026, 9, 5).text, "Nitzavim/Vayelech"));
}

// Counted from the morrow after the Sabbath in Pesach (the default): the
// first count is said on the evening of that Sabbath, the 49th on the evening
// of the Friday six weeks later.
TEST(DayDetails, OmerCountBoundariesOverTwentyYears) {
    for (int year = 2015; year <= 2034; ++year) {
        // 15 Nisan from libhdate: Nisan is its month 7.
        std::optional<Date> found;
        for (Date d = Date(year, 3, 1); d <= Date(year, 4, 30) && !found; ++d) {
            int hd = 0, hm = 0, hy = 0, t1 = 0, t2 = 0;
            hdate_jd_to_hdate(DateToJulianDay(d), &hd, &hm, &hy, &t1, &t2);
            if (hm == 7 && hd == 15) found = d;
        }
        ASSERT_TRUE(found) << year;
        const Date sabbath = found->SaturdayOnOrAfter();
        const auto textOf = [&](Date date) {
            const YearMonthDay ymd = date.Parts();
            const MonthViewModel view = Render(ymd.year, ymd.month, nullptr, nullptr);
            return CellOfDay(view, ymd.year, ymd.month, ymd.day).text;
        };
        EXPECT_FALSE(Contains(textOf(sabbath - 1), "Omer")) << year;
        EXPECT_TRUE(Contains(textOf(sabbath), "Count day 1 of Omer tonight")) << year;
        EXPECT_TRUE(Contains(textOf(sabbath + 48), "Count day 49 of Omer tonight")) << year;
        EXPECT_FALSE(Contains(textOf(sabbath + 49), "Omer")) << year;
    }
}

TEST(DayDetails, OmerLineBreaksFollowTheKindOfDay) {
    // 2026: 15 Nisan is Thursday 2 April, the Sabbath in Pesach 4 April.
    MonthViewModel view = Render(2026, 4, nullptr, nullptr);
    EXPECT_EQ(CellOfDay(view, 2026, 4, 3).text, "Nisan 16\r\nShabbat Candles: 5:42 PM");
    EXPECT_EQ(CellOfDay(view, 2026, 4, 4).text, "Nisan 17\r\nHavdalah: 6:41 PM\r\nCount day 1 of Omer tonight");
    EXPECT_EQ(CellOfDay(view, 2026, 4, 6).text, "Nisan 19\r\n\r\n\r\nCount day 3 of Omer tonight");
    // Counted from 16 Nisan, the first count is on the evening of 15 Nisan.
    CalendarData loaded = LoadCalendarData(VARNEL_SOURCE_DATA);
    loaded.rules.omer = OmerReckoning::Nisan16;
    const YearCalendar data = BuildYear(2026, loaded);
    MonthInputs in;
    in.firstDay = Date(2026, 4, 1);
    in.dayCount = 30;
    in.omer = data.rules.omer;
    in.sunOf = EvenDay;
    ComposeMonth(in, view);
    EXPECT_EQ(CellOfDay(view, 2026, 4, 3).text, "Nisan 16\r\nShabbat Candles: 5:42 PM\r\n\r\nCount day 2 of Omer tonight");
    EXPECT_EQ(CellOfDay(view, 2026, 4, 6).text, "Nisan 19\r\n\r\n\r\nCount day 5 of Omer tonight");
}

// Tables made by hand for the cases the shipped data rarely shows.
struct HandTables {
    HandTables() { holyDays.reserve(8); }
    PlacedHolyDays holyDays;
    ParashahTable parashot{};
    // A day of the given record of the table.
    HolyDayRecord& Day(int record) {
        holyDays.emplace_back().record = record;
        return holyDays.back();
    }
    ParashahRecord& Portion(int entry, Date date, const std::string& name) {
        ParashahRecord& p = parashot[static_cast<size_t>(entry)];
        p.date = date;
        p.parashah = name;
        p.english = "\"" + name + " in English\"";
        p.torah = name + " torah";
        p.haftarah = name + " haftarah";
        p.brithadashah = name + " brit";
        return p;
    }
};

TEST(DayDetails, HolyDayOnSaturdayWithJoinedPortionsListsBoth) {
    HandTables t;
    // June 2030: Saturdays 1, 8, 15, 22, 29.
    HolyDayRecord& h = t.Day(5);
    h.name = "Test Feast";
    h.biblereference = "  Leviticus 23  ";
    h.date = Date(2030, 6, 8);
    t.Portion(1, Date(2030, 6, 1), "First");
    t.Portion(2, Date(2030, 6, 8), "Second");
    t.Portion(3, Date(2030, 6, 8), "Third");
    t.Portion(4, Date(2030, 6, 15), "Fourth");
    const MonthViewModel view = Render(2030, 6, &t.holyDays, &t.parashot);
    const GridCell& feast = CellOfDay(view, 2030, 6, 8);
    EXPECT_EQ(feast.text, "Sivan 7\r\nTest Feast");
    EXPECT_TRUE(Contains(feast.data,
                         "Sivan 7\r\nTest Feast\r\nLeviticus 23\r\nSecond/Third\r\n-----------------------\r\n"
                         "\"Second in English\"\r\nSecond torah Second haftarah Second brit\r\n"
                         "\"Third in English\"\r\nThird torah Third haftarah Third brit\r\n"
                         "Havdalah: 6:41 PM - Shabbat\r\nSunrise: "));
    EXPECT_TRUE(Contains(CellOfDay(view, 2030, 6, 15).text, "\r\nFourth\r\nHavdalah"));
    // The portions have run out on the 22nd and 29th: date and Havdalah only.
    EXPECT_EQ(CellOfDay(view, 2030, 6, 22).text, "Sivan 21\r\nHavdalah: 6:41 PM");
    EXPECT_TRUE(Contains(CellOfDay(view, 2030, 6, 29).data, "Sivan 28\r\nHavdalah: 6:41 PM\r\nHavdalah: 6:41 PM - Shabbat\r\nSunrise: "));
}

TEST(DayDetails, HolyDayReadingsOnWeekdays) {
    HandTables t;
    HolyDayRecord& both = t.Day(1);
    both.name = "Fast";
    both.daynumber = 2;
    both.torah = "Exodus 32";
    both.haftarah = "Isaiah 55";
    both.brithadashah = "Matthew 6";
    both.date = Date(2030, 8, 6);
    HolyDayRecord& bare = t.Day(2);
    bare.name = "Memorial";
    bare.biblereference = "Esther 9";
    bare.date = Date(2030, 8, 7);
    const MonthViewModel view = Render(2030, 8, &t.holyDays, &t.parashot);
    // 6 August 2030 is 7 Av.
    EXPECT_TRUE(Contains(CellOfDay(view, 2030, 8, 6).data,
                         "Av 7\r\nFast day 2\r\n-----------------------\r\nExodus 32\r\nIsaiah 55\r\nMatthew 6\r\n"
                         "Sunrise: "));
    EXPECT_TRUE(Contains(CellOfDay(view, 2030, 8, 7).data, "Av 8\r\nMemorial\r\nEsther 9\r\nSunrise: "));
}

TEST(DayDetails, OnlyRecordsOfThisVeryMonthAndYearAreDrawn) {
    HandTables t;
    HolyDayRecord& lastYear = t.Day(3);
    lastYear.name = "Last December";
    lastYear.date = Date(2029, 12, 25);
    HolyDayRecord& later = t.Day(4);
    later.name = "Same day, later record";
    later.date = Date(2030, 12, 24);
    HolyDayRecord& earlier = t.Day(2);
    earlier.name = "Same day, earlier record";
    earlier.date = Date(2030, 12, 24);
    t.Portion(1, Date(2029, 12, 7), "Old");
    t.Portion(2, Date(2030, 12, 7), "New");
    const MonthViewModel view = Render(2030, 12, &t.holyDays, &t.parashot);
    EXPECT_EQ(CellOfDay(view, 2030, 12, 25).background, kWhiteColor);
    EXPECT_FALSE(Contains(CellOfDay(view, 2030, 12, 25).text, "Last December"));
    EXPECT_TRUE(Contains(CellOfDay(view, 2030, 12, 24).text, "Same day, later record"));
    EXPECT_TRUE(Contains(CellOfDay(view, 2030, 12, 7).text, "\r\nNew\r\n"));
}

TEST(DayDetails, MoreThanEightPortionsShowTheFirstEight) {
    HandTables t;
    for (int i = 1; i <= 12; ++i) t.Portion(i, Date(2030, 8, 3), "P" + std::to_string(i));
    MonthData month;
    CollectMonthData(Date(2030, 8, 1), t.holyDays, &t.parashot, month);
    EXPECT_EQ(month.portionCount, 8);
    // All eight share the first Saturday: it joins the first two; later Saturdays go on in order.
    const MonthViewModel view = Render(2030, 8, &t.holyDays, &t.parashot);
    EXPECT_TRUE(Contains(CellOfDay(view, 2030, 8, 3).text, "P1/P2"));
    EXPECT_TRUE(Contains(CellOfDay(view, 2030, 8, 10).text, "P3/P4"));
}

TEST(DayDetails, ADayWithoutSunriseOrSunsetSaysWhyAndHasNoPrayerHours) {
    SunDay sun{.sunrise = 45000.25, .sunset = 45000.75, .zoneName = "Zone"};
    EXPECT_EQ(SunLine(sun, "Here"), "Sunrise: 6:00 AM - Sunset: 6:00 PM\r\n(Here - Zone)");
    EXPECT_TRUE(Contains(DailyPrayerText(sun), "Proportional hour: 60 minutes\r\n"));
    sun.sunset.reset();
    sun.absence = kSunDoesNotSet;
    EXPECT_EQ(SunLine(sun, "Here"), "Sunrise: 6:00 AM - Sunset: none (the sun does not set)\r\n(Here - Zone)");
    EXPECT_EQ(DailyPrayerText(sun), "Proportional hour: none (the sun does not set)\r\n");
    sun.sunrise.reset();
    EXPECT_EQ(SunLine(sun, "Here"), "Sunrise: none - Sunset: none (the sun does not set)\r\n(Here - Zone)");
    sun.sunset = 45000.99;
    sun.absence = kSunDoesNotRise;
    EXPECT_EQ(SunLine(sun, "Here"), "Sunrise: none (the sun does not rise) - Sunset: 11:45 PM\r\n(Here - Zone)");
}

}  // namespace
}  // namespace varnel

namespace varnel {
namespace {

// The automatic schedule is Israel's exactly while the chosen place is in
// Israel; a schedule chosen outright holds wherever the place is.
TEST(CalendarSourceSchedule, AutomaticFollowsThePlaceAndAChoiceHoldsEverywhere) {
    CalendarSource source(LoadCalendarData(VARNEL_SOURCE_DATA));
    // 2027 is built whole; 2028's holy days are placed alone, and are placed
    // anew as well when the schedule changes.
    const auto yearsKeepingEighthDay = [&source] {
        int years = 0;
        for (const PlacedHolyDays* days : {&source.Year(2027).holyDays, &source.HolyDays(2028)})
            for (const HolyDayRecord& d : *days)
                if (d.name == "Hag HaMatzot" && d.daynumber == 8) ++years;
        return years;
    };
    EXPECT_EQ(yearsKeepingEighthDay(), 2);
    source.SetPlace(ChoiceOfCity("Jerusalem, Israel"));
    EXPECT_EQ(yearsKeepingEighthDay(), 0);
    HolyDayRules rules = source.Data().rules;
    rules.schedule = ScheduleChoice::Diaspora;
    source.SetRules(rules);
    EXPECT_EQ(yearsKeepingEighthDay(), 2);
    rules.schedule = ScheduleChoice::Israel;
    source.SetRules(rules);
    source.SetPlace(ChoiceOfCity("Charlotte, NC"));
    EXPECT_EQ(yearsKeepingEighthDay(), 0);
}

}  // namespace
}  // namespace varnel
