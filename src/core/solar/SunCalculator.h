#pragma once
// The solar calculator: local clock times of sunrise, solar noon and sunset
// for one place and one day, with the built-in table of 51 places.
//
// A caller selects a place with SetCity (which also clears DaySavings), then
// sets DaySavings and DateDay, calls CalculateSun and reads Sunrise, SolarNoon
// and Sunset. Date-times are calendar serials whose fraction is the time of day.
// Nothing here throws; bad input resets the place or yields zero.
#include <cstdint>
#include <string_view>

namespace varnel {

struct CityEntry {
    std::string_view name;
    double longitude;  // degrees, positive west
    double latitude;   // degrees, positive north
    double timeZone;   // standard-time hours behind UTC (positive west)
};

class SunCalculator {
public:
    static constexpr int kCityCount = 51;
    static constexpr std::string_view kBadCityName = "(Error)";

    // DateDay starts as the current local date and time; the place is 0/0/0
    // until a city is set.
    SunCalculator();
    // Starts on the given date-time instead, without reading the clock.
    explicit SunCalculator(double dateDay) : dateDay_(dateDay) {}

    double Sunrise() const { return sunrise_; }
    double SolarNoon() const { return solarNoon_; }
    double Sunset() const { return sunset_; }

    int CityCount() const { return kCityCount; }
    // The row's name, or "(Error)" for an index outside the table.
    std::string_view CityName(int index) const;

    // Selects a place by name (blanks around it and letter case ignored) or by
    // index. No match resets latitude, longitude and time zone to 0. Either
    // way DaySavings becomes false.
    void SetCity(std::string_view name);
    void SetCity(int index);
    // A fractional index is rounded, halves to even.
    void SetCity(double index);

    double TimeZone() const { return timeZone_; }
    void SetTimeZone(double hours) { timeZone_ = hours; }
    bool DaySavings() const { return daySavings_; }
    void SetDaySavings(bool on) { daySavings_ = on; }
    double Longitude() const { return longitude_; }
    void SetLongitude(double degrees) { longitude_ = degrees; }
    double Latitude() const { return latitude_; }
    void SetLatitude(double degrees) { latitude_ = degrees; }
    double DateDay() const { return dateDay_; }
    void SetDateDay(double dateTime) { dateDay_ = dateTime; }

    // Recomputes Sunrise, SolarNoon and Sunset from the fields above.
    void CalculateSun();

    // Index of the first row whose trimmed name matches, ignoring case; -1 if none.
    static int FindCity(std::string_view name);
    // The row at an index, or nullptr outside the table.
    static const CityEntry* CityAt(int index);

private:
    double timeZone_ = 0;
    bool daySavings_ = false;
    double longitude_ = 0;
    double latitude_ = 0;
    double dateDay_ = 0;
    double sunrise_ = 0;
    double solarNoon_ = 0;
    double sunset_ = 0;
};

// The current local date and time as a calendar serial with a fraction.
double NowDateTime();

}  // namespace varnel
