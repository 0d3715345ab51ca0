#pragma once
// The precise sun: the apparent sun of date from an ephemeris (libnova's
// VSOP87), its rise, transit and set found where its altitude crosses the
// wanted one. A day runs from the sun's lower transit to the next, so every
// crossing belongs to exactly one day, at every latitude; where there is none
// the time is absent.
#include <string>

#include "core/common/Date.h"
#include "core/solar/SunCalculator.h"

namespace varnel {

// The sun's centre at sunrise and sunset: refraction and its radius.
inline constexpr double kSunriseAltitude = -0.8333;

// Empty when the ephemeris library (opened on first use) is installed, else
// why the precise sun cannot be given. Without it the functions below give
// no times and no place.
std::string PreciseSunMissing();

// The apparent place of the sun's centre at a Julian day, in degrees.
struct SkyPlace {
    double rightAscension = 0;
    double declination = 0;
};
SkyPlace ApparentSunAt(double julianDay);

// Sunrise, transit and sunset of a date at a site (longitude west positive)
// in minutes after 00:00 UTC of the date; nothing for a date outside years
// 1..9999 or coordinates that are not numbers.
SunEventsUtc PreciseSunEventsOn(Date date, const SunSite& site);
// When the sun's centre is a number of degrees below the horizon in the
// morning (rising) or the evening (setting) of the date.
SunDepthUtc PreciseSunBelowHorizonUtc(Date date, const SunSite& site, double degrees, bool morning);

}  // namespace varnel
