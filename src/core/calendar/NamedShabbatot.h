#pragma once
// The named Shabbatot a Saturday is, worked out from its Hebrew date alone,
// so that a Saturday reads the same whichever common year's table is asked.
#include <string_view>
#include <vector>

#include "core/common/Date.h"

namespace varnel {

// Each is the name of the holy-day record that holds its readings.
inline constexpr std::string_view kShabbatShuva = "Shabbat T'shuvah";
inline constexpr std::string_view kShabbatHanukkah1 = "Shabbat Hanukkah (1st)";
inline constexpr std::string_view kShabbatHanukkah2 = "Shabbat Hanukkah (2nd)";
inline constexpr std::string_view kShabbatShekalim = "Shabbat Shekalim";
inline constexpr std::string_view kShabbatZachor = "Shabbat Zachor";
inline constexpr std::string_view kShabbatParah = "Shabbat Parah";
inline constexpr std::string_view kShabbatHaChodesh = "Shabbat HaChodesh";
inline constexpr std::string_view kShabbatHaGadol = "Shabbat HaGadol";
inline constexpr std::string_view kShabbatChazon = "Shabbat Chazon";
inline constexpr std::string_view kShabbatNachamu = "Shabbat Nachamu";
inline constexpr std::string_view kShabbatRoshChodesh = "Shabbat Rosh Chodesh";
inline constexpr std::string_view kMacharChodesh = "Machar Chodesh";

// What a Saturday adds to the week's portion: the special Shabbatot whose
// maftir follows the portion, in the order they are read (Rosh Chodesh before
// Hanukkah's or Shekalim's), and the one whose Haftarah is read.
struct ShabbatSpecials {
    std::vector<std::string_view> maftirs;
    std::string_view haftarah;  // empty: the week's own
};

// For a Saturday outside the festivals. The Haftarah goes by precedence: the
// four parashiyot, Hanukkah, Shabbat Shuva, HaGadol, Chazon and Nachamu before
// Rosh Chodesh, Rosh Chodesh before Machar Chodesh; from 17 Tammuz to the end
// of Elul the weeks of mourning and consolation keep their own Haftarot over
// Rosh Chodesh and Machar Chodesh.
ShabbatSpecials SpecialsOfShabbat(Date saturday);

// Every special Shabbat a Saturday is, strongest first.
std::vector<std::string_view> NamedShabbatotOf(Date saturday);

}  // namespace varnel
