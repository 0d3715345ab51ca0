#include "gui/solar/SystemTimeZone.h"

#include <QTimeZone>
#include <algorithm>

#include "core/common/Date.h"

namespace varnel {
namespace {

struct DaylightChange {
    Date day;      // the date on the clock in force before the change
    bool toDaylight;
    int biasMinutes;  // minus the daylight offset after the change
};

// Qt's zone code never returns when asked about an instant before year 3 under
// a POSIX rule (TZ='CET-1CEST,M3.5.0,M10.5.0/3'): it works out the rule of the
// year before, and there is no year 0. Earlier years are asked as this one; a
// yearly rule gives the same month, weekday and occurrence in every year.
constexpr int kFirstZoneYear = 3;

Date DateOf(const QDate& date) { return Date(date.year(), date.month(), date.day()); }

// Changes between standard and daylight time whose day falls in the year, in
// order. Changes of the standard offset alone are not daylight changes.
template <typename Visit>
void ForEachDaylightChange(const QTimeZone& zone, int year, Visit visit) {
    const QDateTime from(QDate(year, 1, 1).addDays(-2), QTime(0, 0), Qt::UTC);
    const QDateTime to(QDate(year, 12, 31).addDays(2), QTime(0, 0), Qt::UTC);
    const Date first = Date(year, 1, 1);
    const Date last = Date(year, 12, 31);
    for (const QTimeZone::OffsetData& t : zone.transitions(from, to)) {
        const QDateTime before = t.atUtc.addSecs(-1);
        const bool wasDaylight = zone.daylightTimeOffset(before) != 0;
        const bool isDaylight = t.daylightTimeOffset != 0;
        if (wasDaylight == isDaylight) continue;
        const Date day = DateOf(t.atUtc.addSecs(zone.offsetFromUtc(before)).date());
        if (day < first || day > last) continue;
        visit(DaylightChange{day, isDaylight, -t.daylightTimeOffset / 60});
    }
}

std::string NameOf(const QTimeZone& zone, QTimeZone::TimeType type) {
    return zone.displayName(type, QTimeZone::LongName).toStdString();
}

}  // namespace

DaylightRule SystemDaylightRule(const QTimeZone& zone, int year) {
    DaylightRule rule;
    rule.standardName = NameOf(zone, QTimeZone::StandardTime);
    rule.daylightName = NameOf(zone, QTimeZone::DaylightTime);
    if (year < kMinYear || year > kMaxYear) return rule;
    ForEachDaylightChange(zone, std::max(year, kFirstZoneYear), [&](const DaylightChange& c) {
        TransitionRule& slot = c.toDaylight ? rule.daylightDate : rule.standardDate;
        if (slot.month != 0) return;
        slot = RuleOfDay(c.day);
        if (c.toDaylight) rule.daylightBias = c.biasMinutes;
    });
    return rule;
}

ZoneYear ZoneYearOf(const QTimeZone& zone, int year) {
    ZoneYear result;
    result.standardName = NameOf(zone, QTimeZone::StandardTime);
    result.daylightName = NameOf(zone, QTimeZone::DaylightTime);
    if (year < kMinYear || year > kMaxYear) return result;
    if (year < kFirstZoneYear) {
        // The changes of the first year Qt can be asked about, moved by their rule.
        result = ZoneYearOf(zone, kFirstZoneYear);
        for (Date& day : result.changes) day = *TransitionDay(year, RuleOfDay(day));
        return result;
    }
    const QDateTime newYear(QDate(year, 1, 1), QTime(0, 0), zone);
    const int atNewYear = zone.daylightTimeOffset(newYear);
    result.daylightAtNewYear = atNewYear != 0;
    result.daylightBias = -atNewYear / 60;
    bool daylight = result.daylightAtNewYear;
    ForEachDaylightChange(zone, year, [&](const DaylightChange& c) {
        if (c.toDaylight && result.daylightBias == 0) result.daylightBias = c.biasMinutes;
        if (c.toDaylight == daylight) return;  // no change of state after all
        result.changes.push_back(c.day);
        daylight = c.toDaylight;
    });
    return result;
}

DaylightYear LoadTimeZoneRules(const Place& place, int year) {
    if (place.systemDaylight) {
        const QTimeZone zone = QTimeZone::systemTimeZone();
        if (!zone.isValid()) return DaylightYear{year, {}, {}, 0, {}};
        return DaylightYearOf(SystemDaylightRule(zone, year), year);
    }
    // A place outside the table computes as longitude 0, zone 0: show it so.
    const std::string_view id = IanaZoneOfCity(place.cityIndex);
    const QTimeZone zone = id.empty() ? QTimeZone::utc() : QTimeZone(QByteArray(id.data(), static_cast<qsizetype>(id.size())));
    if (!zone.isValid()) return DaylightYear{year, {}, {}, 0, {}};
    return DaylightYearOf(ZoneYearOf(zone, year), year);
}

Place PlaceForYear(std::string_view name, bool systemDaylight, int year) {
    Place place = PlaceNamed(name, systemDaylight);
    place.daylight = LoadTimeZoneRules(place, year);
    return place;
}

}  // namespace varnel
