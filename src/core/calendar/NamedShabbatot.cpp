#include "core/calendar/NamedShabbatot.h"

#include <array>

#include "core/calendar/HebrewCalendar.h"

namespace varnel {
namespace {

constexpr int kTishrei = 1, kKislev = 3;

bool IsRoshChodesh(const HebrewDate& h) { return h.day == 30 || (h.day == 1 && h.month != kTishrei); }

// Whether `days` after the Saturday lies within first..last days ahead.
bool Within(int32_t days, int first, int last) { return days >= first && days <= last; }

}  // namespace

std::vector<std::string_view> NamedShabbatotOf(Date saturday) {
    std::vector<std::string_view> specials;
    const HebrewDate h = HebrewDateOf(saturday);
    const int32_t day = DateToJulianDay(saturday);
    const int adar = HebrewLeapYear(h.year) ? 7 : 6;  // Adar II in a leap year
    const int nisan = adar + 1, av = nisan + 4;
    // The first day of each month, found once: a Saturday asks about several.
    std::array<int32_t, 14> firsts{};
    firsts[1] = HebrewToJulianDay(h.year, 1, 1);
    for (int m = 2; m <= 13; ++m) firsts[m] = firsts[m - 1] + DaysInHebrewMonth(h.year, m - 1);
    const auto until = [&](int month, int d) { return firsts[month] + d - 1 - day; };

    if (h.month == kTishrei && Within(h.day, 3, 9)) specials.push_back(kShabbatShuva);
    const int32_t intoHanukkah = -until(kKislev, 25);
    if (Within(intoHanukkah, 0, 6)) specials.push_back(kShabbatHanukkah1);
    if (intoHanukkah == 7) specials.push_back(kShabbatHanukkah2);
    if (Within(until(adar, 1), 0, 6)) specials.push_back(kShabbatShekalim);
    if (Within(until(adar, 14), 1, 7)) specials.push_back(kShabbatZachor);
    if (Within(until(nisan, 1), 7, 13)) specials.push_back(kShabbatParah);
    if (Within(until(nisan, 1), 0, 6)) specials.push_back(kShabbatHaChodesh);
    if (Within(until(nisan, 15), 1, 7)) specials.push_back(kShabbatHaGadol);
    if (Within(until(av, 9), 0, 6)) specials.push_back(kShabbatChazon);
    if (Within(until(av, 9), -7, -1)) specials.push_back(kShabbatNachamu);
    if (IsRoshChodesh(h)) specials.push_back(kShabbatRoshChodesh);
    else if (IsRoshChodesh(HebrewDateOf(saturday + 1))) specials.push_back(kMacharChodesh);
    return specials;
}

ShabbatSpecials SpecialsOfShabbat(Date saturday) {
    ShabbatSpecials s;
    const std::vector<std::string_view> all = NamedShabbatotOf(saturday);
    const HebrewDate h = HebrewDateOf(saturday);
    const int tammuz = (HebrewLeapYear(h.year) ? 7 : 6) + 4;
    // The weeks from 17 Tammuz to Rosh Hashanah keep their own Haftarot.
    const bool ownHaftarot = (h.month == tammuz && h.day >= 17) || h.month > tammuz;
    for (std::string_view name : all) {
        const bool newMoon = name == kShabbatRoshChodesh || name == kMacharChodesh;
        if (name == kShabbatRoshChodesh) s.maftirs.insert(s.maftirs.begin(), name);
        else if (!newMoon) s.maftirs.push_back(name);
        if (s.haftarah.empty() && !(newMoon && ownHaftarot)) s.haftarah = name;
    }
    return s;
}

}  // namespace varnel
