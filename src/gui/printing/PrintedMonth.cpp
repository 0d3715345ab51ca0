#include "gui/printing/PrintedMonth.h"

#include "core/calendar/FestivalReadings.h"
#include "core/common/DateSerial.h"
#include "core/common/Files.h"
#include "core/solar/Location.h"
#include "core/views/ColorScheme.h"

namespace varnel {

std::function<SunDay(int32_t)> SunAtPlace(const std::string& city) {
    auto sun = std::make_shared<clsSunrise>();
    sun->SetCity(city);
    return [sun](int32_t date) {
        SunDay day;
        day.zoneName = ApplyDaylightRule(date);
        sun->SetDaySavings(Sun().DaySavings());  // the rule's decision for this date
        sun->SetDateDay(date);
        sun->CalculateSun();
        day.sunrise = sun->Sunrise();
        day.sunset = sun->Sunset();
        return day;
    };
}

std::unique_ptr<PrintedYear> BuildPrintedYear(int year, const std::string& city, int colorScheme, bool floatDetails) {
    auto out = std::make_unique<PrintedYear>();
    out->year = year;
    LoadHolyDays(DataPath(kHolyDayFile), out->holyDays);
    PlaceHolyDays(out->holyDays, year);
    ScheduleParashot(DataPath(kParashahFile), year, out->parashot);
    ApplySpecialReadings(year, out->holyDays, out->parashot);
    out->city = city;
    out->sunOf = SunAtPlace(city);
    out->holyDayColor = SchemeHolyDayColor(colorScheme);
    out->shabbatColor = SchemeShabbatColor(colorScheme);
    out->floatDetails = floatDetails;
    return out;
}

void BuildPrintedMonth(const PrintedYear& year, int month, PrintedMonth& out) {
    MonthInputs in;
    in.firstDay = DateSerial(year.year, month, 1);
    in.dayCount = DaysInMonth(year.year, month);
    in.holyDays = &year.holyDays;
    in.parashot = &year.parashot;
    in.city = year.city;
    in.sunOf = year.sunOf;
    in.holyDayColor = year.holyDayColor;
    in.shabbatColor = year.shabbatColor;
    in.floatDetails = year.floatDetails;
    ComposeMonth(in, out.view);
    out.page.monthGrid = &out.view.grid;
    out.page.title = out.view.title;
    out.page.firstDay = in.firstDay;
    out.page.lastDay = in.firstDay + in.dayCount - 1;
    out.page.shabbat = ShabbatInputs{in.firstDay, in.dayCount, &year.parashot, year.sunOf};
}

}  // namespace varnel
