#include "core/views/DayDetails.h"

#include <cmath>

#include "core/calendar/HebrewCalendar.h"
#include "core/common/DateFormat.h"
#include "core/common/DateSerial.h"
#include "core/common/Profile.h"

namespace varnel {
namespace {

constexpr const char* kCRLF = kLineBreak;

double TimeOfDay(double dateTime) { return dateTime - std::floor(dateTime); }

// "english", a line break, then torah, haftarah and Brit Hadashah on one line.
std::string PortionReadings(const ParashahRecord& p) {
    std::string s;
    s.reserve(p.english.size() + p.torah.size() + p.haftarah.size() + p.brithadashah.size() + 4);
    s += p.english;
    s += kCRLF;
    s += p.torah;
    s += ' ';
    s += p.haftarah;
    s += ' ';
    s += p.brithadashah;
    return s;
}

std::string SpecialReadings(const ParashahRecord& p, const std::string& holyDayName) {
    return "Special reading for " + holyDayName + kCRLF + p.torah + " " + p.haftarah + " " + p.brithadashah;
}

// The next month portion, or nullptr when the month's portions are used up.
const ParashahRecord* TakePortion(MonthData& month) {
    if (month.portionCursor >= month.portionCount) return nullptr;
    return month.portions[static_cast<size_t>(month.portionCursor++)];
}

// A second portion read with the one just taken (joined portions share a date).
const ParashahRecord* TakeJoinedPortion(MonthData& month, const ParashahRecord& first) {
    if (month.portionCursor >= month.portionCount) return nullptr;
    const ParashahRecord* next = month.portions[static_cast<size_t>(month.portionCursor)];
    if (next->date != first.date) return nullptr;
    ++month.portionCursor;
    return next;
}

// The readings of a holy day: its reference, then either its own readings or,
// on a Saturday, the portion read that day.
std::string HolyDayReadingText(const HolyDayRecord& h, int32_t date, bool saturday, MonthData& month) {
    std::string r = TrimBlanks(h.biblereference);
    if (!saturday) {
        if (h.torah.empty() && h.haftarah.empty()) return r;
        if (!r.empty()) r += kCRLF;
        r += kReadingsRule;
        r += kCRLF;
        if (!h.torah.empty()) r += h.torah + kCRLF;
        if (!h.haftarah.empty()) r += h.haftarah + kCRLF;
        r += h.brithadashah;
        return r;
    }
    const ParashahRecord* p = TakePortion(month);
    if (!p || p->date != date) return r;
    // A portion joined to this one is read the same day: list it too, so the
    // next Saturday does not inherit it.
    const ParashahRecord* q = TakeJoinedPortion(month, *p);
    const bool special = p->english == kSpecialReading;
    std::string readings = special ? SpecialReadings(*p, h.name) : PortionReadings(*p);
    if (q) {
        readings += kCRLF;
        if (special) readings += q->parashah + kCRLF;
        readings += q->english == kSpecialReading ? SpecialReadings(*q, h.name) : PortionReadings(*q);
    }
    if (!r.empty()) r += kCRLF;
    if (!special) {
        r += p->parashah;
        if (q) r += "/" + q->parashah;
        r += kCRLF;
    }
    r += kReadingsRule;
    r += kCRLF;
    r += readings;
    return r;
}

}  // namespace

std::string TimeText(double dateTime) { return FormatDateTime(dateTime, "h:mm AMPM"); }

void CollectMonthData(int32_t firstDay, const HolyDayTable& holyDays, const ParashahTable& parashot,
                      MonthData& month) {
    month = MonthData{};
    const YearMonthDay ymd = SplitDate(firstDay);
    month.year = ymd.year;
    month.month = ymd.month;
    month.pesach = JulianDayToDate(HebrewDateUntilDecember(ymd.year, -6, 15, kGregorianSelector));
    month.shavuot = JulianDayToDate(HebrewDateUntilDecember(ymd.year, -4, 6, kGregorianSelector));

    const auto inMonth = [&](int32_t date) {
        if (date == 0) return false;
        const YearMonthDay d = SplitDate(date);
        return d.year == ymd.year && d.month == ymd.month;
    };
    for (int i = 1; i <= kHolyDayCount; ++i) {
        const HolyDayRecord& h = holyDays[static_cast<size_t>(i)];
        if (inMonth(h.date)) month.holyDays[static_cast<size_t>(DayOf(h.date) - 1)] = &h;
    }
    for (int i = 1; i <= kParashotEntries && month.portionCount < kMaxMonthPortions; ++i) {
        const ParashahRecord& p = parashot[static_cast<size_t>(i)];
        if (inMonth(p.date)) month.portions[static_cast<size_t>(month.portionCount++)] = &p;
    }
}

std::string DailyPrayerText(double sunrise, double sunset) {
    const double r = TimeOfDay(sunrise);
    const double s = TimeOfDay(sunset);
    const double ph = (s - r) / 12;
    const std::string maariv = TimeText(r + 10.5 * ph);
    std::string d;
    d.reserve(320);
    d += "Proportional hour: " + std::to_string(static_cast<long long>(std::round(ph * 1440))) + " minutes" + kCRLF;
    d += std::string("Prayer times:") + kCRLF;
    d += "Shacharit: from " + TimeText(r) + " to " + TimeText(r + 4 * ph) + kCRLF;
    d += "Minchah: from " + TimeText(r + 6.5 * ph) + " to " + TimeText(s) + kCRLF;
    d += "Ma'ariv: after " + maariv + "*" + kCRLF;
    d += "*If Minchah was prayed before " + maariv + ", otherwise earliest Ma'ariv is " +
         TimeText(s + kEarliestMaarivDelay) + kCRLF;
    return d;
}

std::string SunLine(const SunDay& sun, std::string_view city) {
    std::string l = "Sunrise: " + TimeText(sun.sunrise) + " - Sunset: " + TimeText(sun.sunset) + kCRLF + "(";
    l += city;
    l += " - ";
    l += sun.zoneName;
    l += ")";
    return l;
}

std::string OmerText(int32_t date, int32_t pesach, int32_t shavuot, int lineBreaks) {
    if (date < pesach || date > shavuot - 2) return {};
    std::string o;
    for (int i = 0; i < lineBreaks; ++i) o += kCRLF;
    o += "Count day " + std::to_string(date - pesach + 1) + " of Omer tonight";
    return o;
}

void ComposeDay(int32_t date, const SunDay& sun, std::string_view city, MonthData& month, DayTexts& out) {
    const HebrewDate hd = HebrewDateOf(date);
    std::string hebrew = HebrewMonthName(hd.year, hd.month) + " " + std::to_string(hd.day);
    const int weekday = Weekday(date);
    const double s = TimeOfDay(sun.sunset);

    const int day = DayOf(date);
    const HolyDayRecord* holy =
        day >= 1 && day <= 31 ? month.holyDays[static_cast<size_t>(day - 1)] : nullptr;
    out.holyDay = holy && !holy->name.empty();
    out.cell.clear();
    out.details.clear();

    if (out.holyDay) {
        std::string title = holy->name;
        if (holy->daynumber != 0) title += " day " + std::to_string(holy->daynumber);
        out.cell = hebrew + kCRLF + title + OmerText(date, month.pesach, month.shavuot, 1);
        out.details = out.cell + kCRLF + HolyDayReadingText(*holy, date, weekday == 7, month);
    } else if (weekday == 6) {
        out.cell = hebrew + kCRLF + "Shabbat Candles: " + TimeText(s - kCandleLead) +
                   OmerText(date, month.pesach, month.shavuot, 2);
        out.details = out.cell;
    } else if (weekday == 7) {
        const std::string havdalah = "Havdalah: " + TimeText(s + kHavdalahDelay);
        const std::string omer = OmerText(date, month.pesach, month.shavuot, 1);
        if (const ParashahRecord* p = TakePortion(month)) {
            std::string title = p->parashah;
            std::string readings = PortionReadings(*p);
            if (const ParashahRecord* q = TakeJoinedPortion(month, *p)) {
                title += "/" + q->parashah;
                readings += kCRLF + PortionReadings(*q);
            }
            out.cell = hebrew + kCRLF + title + kCRLF + havdalah + omer;
            out.details = out.cell + kCRLF + kReadingsRule + kCRLF + readings;
        } else {
            // More Saturdays than portions: the day keeps its date and Havdalah.
            out.cell = hebrew + kCRLF + havdalah + omer;
            out.details = out.cell;
        }
    } else {
        out.cell = std::move(hebrew) + OmerText(date, month.pesach, month.shavuot, 3);
        out.details = out.cell;
    }
    out.details += kCRLF;
    out.details += SunLine(sun, city);
    out.details += kCRLF;
    out.details += DailyPrayerText(sun.sunrise, sun.sunset);
}

}  // namespace varnel
