#include "core/views/DayDetails.h"

#include <cmath>

#include "core/calendar/HebrewCalendar.h"
#include "core/common/DateFormat.h"
#include "core/common/Date.h"
#include "core/common/Profile.h"
#include "core/times/TimesText.h"

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

// The readings of a holy day: its reference, then either its own readings or,
// on a Saturday, the portion read that day.
std::string HolyDayReadingText(const DayFacts& f) {
    const HolyDayRecord& h = *f.holyDay;
    std::string r = TrimBlanks(h.biblereference);
    if (f.weekday != 7) {
        if (h.torah.empty() && h.haftarah.empty()) return r;
        if (!r.empty()) r += kCRLF;
        r += kReadingsRule;
        r += kCRLF;
        if (!h.torah.empty()) r += h.torah + kCRLF;
        if (!h.haftarah.empty()) r += h.haftarah + kCRLF;
        r += h.brithadashah;
        return r;
    }
    const ParashahRecord* p = f.portion;
    if (!p) return r;
    const ParashahRecord* q = f.joinedPortion;
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

std::string TimeText(double dateTime) { return ClockText(dateTime); }

std::string DailyPrayerText(const SunDay& sun) {
    if (!sun.sunrise || !sun.sunset) return "Proportional hour: " + TimeOrAbsence(std::nullopt, sun.absence) + kCRLF;
    const double r = TimeOfDay(*sun.sunrise);
    const double s = TimeOfDay(*sun.sunset);
    const double ph = (s - r) / 12;
    const std::string maariv = TimeText(r + 10.5 * ph);
    // Appended piece by piece: no text in between is made and dropped.
    std::string d;
    d.reserve(320);
    const auto line = [&d](std::initializer_list<std::string_view> pieces) {
        for (std::string_view piece : pieces) d += piece;
        d += kCRLF;
    };
    line({"Proportional hour: ", std::to_string(static_cast<long long>(std::round(ph * 1440))), " minutes"});
    line({"Prayer times:"});
    line({"Shacharit: from ", TimeText(r), " to ", TimeText(r + 4 * ph)});
    line({"Minchah: from ", TimeText(r + 6.5 * ph), " to ", TimeText(s)});
    line({"Ma'ariv: after ", maariv, "*"});
    line({"*If Minchah was prayed before ", maariv, ", otherwise earliest Ma'ariv is ",
          TimeText(s + kEarliestMaarivDelay)});
    return d;
}

std::string SunLine(const SunDay& sun, std::string_view city) {
    // The reason is said once, after the last missing time.
    const std::string_view riseReason = sun.sunset ? sun.absence : std::string_view();
    std::string l = "Sunrise: " + TimeOrAbsence(sun.sunrise, riseReason) + " - Sunset: " +
                    TimeOrAbsence(sun.sunset, sun.absence) + kCRLF + "(";
    l += city;
    l += " - ";
    l += sun.zoneName;
    l += ")";
    return l;
}

std::string OmerText(int omerDay, int lineBreaks) {
    if (omerDay <= 0) return {};
    std::string o;
    for (int i = 0; i < lineBreaks; ++i) o += kCRLF;
    o += "Count day " + std::to_string(omerDay) + " of Omer tonight";
    return o;
}

void ComposeDayTexts(const DayFacts& f, std::string_view city, DayTexts& out, bool shabbatTimesOnHolyDays) {
    std::string hebrew = HebrewMonthName(f.hebrew.year, f.hebrew.month) + " " + std::to_string(f.hebrew.day);
    out.holyDay = f.holyDay != nullptr;
    out.cell.clear();
    out.details.clear();
    // The cell shows one of the day's times; a holy day leaves out Shabbat's
    // own unless asked to show them.
    const FeastTime* shown = CellTime(f.times, !f.holyDay || shabbatTimesOnHolyDays);
    const std::string timeLine = shown ? kCRLF + CellTimeLine(*shown) : std::string();

    if (f.holyDay) {
        std::string title = f.holyDay->name;
        if (f.holyDay->daynumber != 0) title += " day " + std::to_string(f.holyDay->daynumber);
        out.cell = hebrew + kCRLF + title + timeLine + OmerText(f.omerDay, 1);
        out.details = out.cell + kCRLF + HolyDayReadingText(f);
    } else if (f.weekday == 7) {
        const std::string omer = OmerText(f.omerDay, 1);
        if (const ParashahRecord* p = f.portion) {
            std::string title = p->parashah;
            std::string readings = PortionReadings(*p);
            if (const ParashahRecord* q = f.joinedPortion) {
                title += "/" + q->parashah;
                readings += kCRLF + PortionReadings(*q);
            }
            out.cell = hebrew + kCRLF + title + timeLine + omer;
            out.details = out.cell + kCRLF + kReadingsRule + kCRLF + readings;
        } else {
            // More Saturdays than portions: the day keeps its date and time.
            out.cell = hebrew + timeLine + omer;
            out.details = out.cell;
        }
    } else {
        out.cell = std::move(hebrew) + timeLine + OmerText(f.omerDay, shown ? 2 : 3);
        out.details = out.cell;
    }
    // The user's own dates close the cell; the details say which anniversary.
    for (const PersonalDay& p : f.personal) {
        out.cell += kCRLF + PersonalDayLine(p);
        out.details += kCRLF + PersonalDayDetails(p, kCRLF);
    }
    out.details += kCRLF;
    for (const FeastTime& t : f.times) {
        out.details += DetailsTimeLine(t);
        out.details += kCRLF;
    }
    out.details += SunLine(f.sun, city);
    out.details += kCRLF;
    out.details += DailyPrayerText(f.sun);
}

}  // namespace varnel
