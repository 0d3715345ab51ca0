#include "core/solar/PreciseSun.h"

#include <libnova/libnova.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <numbers>
#include <optional>
#include <string>

#include "core/common/SharedLibrary.h"

namespace varnel {
namespace {

constexpr const char* kNovaFile = "libnova-0.16.so.0";

// The three libnova calls the sun needs, bound when the precise sun is first
// asked for: the text commands and the window start without loading it.
struct NovaLibrary {
    decltype(&ln_get_solar_geom_coords) solarGeometricCoordinates = nullptr;
    decltype(&ln_get_nutation) nutation = nullptr;
    decltype(&ln_get_mean_sidereal_time) meanSiderealTime = nullptr;
    bool ready = false;
};

const NovaLibrary& Nova() {
    static const NovaLibrary nova = [] {
        NovaLibrary n;
        const SharedLibrary library(kNovaFile);
        n.ready = library.Bind(n.solarGeometricCoordinates, "ln_get_solar_geom_coords") &&
                  library.Bind(n.nutation, "ln_get_nutation") &&
                  library.Bind(n.meanSiderealTime, "ln_get_mean_sidereal_time");
        return n;
    }();
    return nova;
}

constexpr double kJulianDayOfSerialZero = 2415018.5;  // 30 December 1899, 0h UT
constexpr double kRadians = std::numbers::pi / 180.0;

double Wrapped(double degrees) { return std::remainder(degrees, 360.0); }  // -180..180

// libnova 0.16 gives the sun's place on the J2000 ecliptic (VSOP87 of
// J2000) but treats it as of date. Its longitude is referred here to the
// equinox of date (general precession), with nutation and aberration; its
// latitude is that of the J2000 ecliptic, which the ecliptic's own slow turn
// has moved 13" from the sun's (under 1.2" on the ecliptic of date): it is
// taken as zero, and the true obliquity of date turns the place to right
// ascension and declination. Left as libnova has them, the times run about
// 1.5 minutes late in the 2020s and a grazing sunrise moves by minutes.
struct SunSample {
    double julianDay = 0;
    SkyPlace place;
    double equinoxes = 0;  // apparent minus mean sidereal time, degrees
};

SunSample ApparentSunOfDate(double julianDay) {
    ln_helio_posn geometric;
    Nova().solarGeometricCoordinates(julianDay, &geometric);
    ln_nutation nutation;
    Nova().nutation(julianDay, &nutation);
    const double t = (julianDay - 2451545.0) / 36525.0;
    const double precessionArcsec = 5029.0966 * t + 1.11113 * t * t;
    const double aberrationArcsec = -20.4898 / geometric.R;
    const double longitude =
        (geometric.L + (precessionArcsec + aberrationArcsec) / 3600.0 + nutation.longitude) * kRadians;
    const double meanObliquityArcsec = 84381.448 - t * (46.8150 + t * (0.00059 - t * 0.001813));
    const double obliquity = (meanObliquityArcsec / 3600.0 + nutation.obliquity) * kRadians;
    SunSample sample;
    sample.julianDay = julianDay;
    sample.place.rightAscension = std::atan2(std::sin(longitude) * std::cos(obliquity), std::cos(longitude)) / kRadians;
    if (sample.place.rightAscension < 0) sample.place.rightAscension += 360.0;
    sample.place.declination = std::asin(std::sin(obliquity) * std::sin(longitude)) / kRadians;
    sample.equinoxes = nutation.longitude * std::cos(obliquity);
    return sample;
}

// The ephemeris is asked at midnights UT four days apart and interpolated
// between them (a cubic through four: the sun's place, its aberration and its
// nutation are smooth to far below an arcsecond over such spans).
constexpr double kSampleDays = 4;

// The samples are kept for the days asked for next: a month's views, times
// and printouts share ten of them. One slot per sample, eleven years of
// days in 40 KB. The program computes on one thread, as libnova's own
// nutation cache assumes.
const SunSample& SampleAt(int64_t index) {
    static std::array<SunSample, 1024> kept;
    const double julianDay = static_cast<double>(index) * kSampleDays + 0.5;
    SunSample& slot = kept[static_cast<size_t>(index % static_cast<int64_t>(kept.size()))];
    if (slot.julianDay != julianDay) slot = ApparentSunOfDate(julianDay);
    return slot;
}

// The sun over one day at one place, as interpolated from the samples
// around it, so that the searches cost only trigonometry.
class SunOverDay {
public:
    SunOverDay(double noon, double latitude, double longitudeEast)
        : sinLatitude_(std::sin(latitude * kRadians)),
          cosLatitude_(std::cos(latitude * kRadians)),
          longitude_(longitudeEast) {
        // The day (noon +- 0.6) lies between the second and third samples,
        // or within a day of them.
        const auto second = static_cast<int64_t>(std::floor((noon - 0.5) / kSampleDays));
        origin_ = static_cast<double>(second) * kSampleDays + 0.5;
        for (int i = 0; i < 4; ++i) {
            const SunSample& s = SampleAt(second - 1 + i);
            ra_[i] = s.place.rightAscension;
            dec_[i] = s.place.declination;
            equinoxes_[i] = s.equinoxes;
        }
        // Right ascension unwrapped across 0h.
        for (int i = 1; i < 4; ++i) ra_[i] = ra_[i - 1] + Wrapped(ra_[i] - ra_[i - 1]);
    }

    // Degrees west of the meridian, -180..180.
    double HourAngle(double julianDay) const {
        return Wrapped(15.0 * Nova().meanSiderealTime(julianDay) + Interpolated(equinoxes_, julianDay) + longitude_ -
                       Interpolated(ra_, julianDay));
    }
    double Altitude(double julianDay) const {
        const double dec = Interpolated(dec_, julianDay) * kRadians;
        const double s = sinLatitude_ * std::sin(dec) + cosLatitude_ * std::cos(dec) * std::cos(HourAngle(julianDay) * kRadians);
        return std::asin(std::clamp(s, -1.0, 1.0)) / kRadians;
    }
    // Where the hour angle is `target` (0 at transit, 180 at the lower one), near a time.
    double HourAngleNear(double julianDay, double target) const {
        for (int pass = 0; pass < 4; ++pass) julianDay -= Wrapped(HourAngle(julianDay) - target) / 360.0;
        return julianDay;
    }
    // Where the altitude crosses `altitude` between two times, if it does;
    // `rising` tells which way.
    std::optional<double> Crossing(double from, double to, double altitude, bool& rising) const {
        double a = Altitude(from) - altitude;
        const double b = Altitude(to) - altitude;
        if ((a < 0) == (b < 0)) return std::nullopt;
        rising = a < 0;
        // Bisection to a tenth of a second: the altitude may graze the line,
        // where faster methods stray.
        while (to - from > 1e-6) {
            const double mid = 0.5 * (from + to);
            const double m = Altitude(mid) - altitude;
            if ((m < 0) == (a < 0)) {
                from = mid;
                a = m;
            } else {
                to = mid;
            }
        }
        return 0.5 * (from + to);
    }

private:
    // Lagrange's cubic through the samples at -1, 0, 1 and 2 sample spans from the origin.
    double Interpolated(const double (&y)[4], double julianDay) const {
        const double x = (julianDay - origin_) / kSampleDays;
        return -y[0] * x * (x - 1) * (x - 2) / 6 + y[1] * (x + 1) * (x - 1) * (x - 2) / 2 -
               y[2] * (x + 1) * x * (x - 2) / 2 + y[3] * (x + 1) * x * (x - 1) / 6;
    }

    double origin_ = 0;  // the second sample's Julian day
    double sinLatitude_, cosLatitude_, longitude_;
    double ra_[4], dec_[4], equinoxes_[4];
};

// One date at one site: from the lower transit before its transit to the one after.
struct SolarDay {
    double midnightUt = 0;  // Julian day of 00:00 UTC of the date
    double lowerBefore = 0, transit = 0, lowerAfter = 0;
    std::optional<SunOverDay> sun;

    SolarDay(Date date, const SunSite& site) {
        if (!date.IsInSupportedRange() || !std::isfinite(site.latitude) || !std::isfinite(site.longitude) ||
            !Nova().ready)
            return;
        const double longitudeEast = Wrapped(-site.longitude);
        midnightUt = date.Serial() + kJulianDayOfSerialZero;
        const double meanNoon = midnightUt + 0.5 - longitudeEast / 360.0;
        sun.emplace(meanNoon, std::clamp(site.latitude, -90.0, 90.0), longitudeEast);
        transit = sun->HourAngleNear(meanNoon, 0.0);
        lowerBefore = sun->HourAngleNear(transit - 0.5, 180.0);
        lowerAfter = sun->HourAngleNear(transit + 0.5, 180.0);
    }
    double Minutes(double julianDay) const { return (julianDay - midnightUt) * 1440.0; }

    // The day's rising and setting through an altitude: one may be found in
    // either half (near a pole the sun's own motion in declination outweighs
    // the turning of the sky).
    struct Crossings {
        std::optional<double> rising, setting;
        bool upAtTransit = false;
    };
    Crossings Through(double altitude) const {
        Crossings c;
        c.upAtTransit = sun->Altitude(transit) > altitude;
        for (const auto& [from, to] : {std::pair{lowerBefore, transit}, std::pair{transit, lowerAfter}}) {
            bool rising = false;
            if (const std::optional<double> at = sun->Crossing(from, to, altitude, rising)) {
                std::optional<double>& slot = rising ? c.rising : c.setting;
                if (!slot) slot = Minutes(*at);
            }
        }
        return c;
    }
};

}  // namespace

std::string PreciseSunMissing() {
    return Nova().ready ? std::string()
                        : std::string("the precise sun needs libnova (") + kNovaFile + "), which is not installed";
}

SkyPlace ApparentSunAt(double julianDay) { return Nova().ready ? ApparentSunOfDate(julianDay).place : SkyPlace{}; }

SunEventsUtc PreciseSunEventsOn(Date date, const SunSite& site) {
    const SolarDay day(date, site);
    if (!day.sun) return {};
    const SolarDay::Crossings c = day.Through(kSunriseAltitude);
    return {c.rising, day.Minutes(day.transit), c.setting, SunAbsence(c.rising.has_value(), c.setting.has_value(), c.upAtTransit)};
}

SunDepthUtc PreciseSunBelowHorizonUtc(Date date, const SunSite& site, double degrees, bool morning) {
    const SolarDay day(date, site);
    if (!day.sun || !std::isfinite(degrees)) return {};
    const SolarDay::Crossings c = day.Through(-degrees);
    if (const std::optional<double> at = morning ? c.rising : c.setting) return {*at, SunReach::Crosses};
    return {0.0, c.upAtTransit ? SunReach::StaysAbove : SunReach::StaysBelow};
}

}  // namespace varnel
