#pragma once
// The four colour schemes: each pairs the colour of holy days (black text on
// it) with the colour of Shabbat (white text on it).
#include <string>

#include "core/views/Grid.h"

namespace varnel {

inline constexpr int kColorSchemeCount = 4;

struct ColorSchemeEntry {
    const char* name;
    Color holyDay;
    Color shabbat;
};

// Schemes 0..3: "Default", "Blues", "Lavender", "Amber".
const ColorSchemeEntry& ColorSchemeAt(int scheme);
bool IsColorScheme(int scheme);
// The scheme's colours; black for a number that names no scheme.
Color SchemeHolyDayColor(int scheme);
Color SchemeShabbatColor(int scheme);

inline constexpr Color kBlackColor = RGB(0, 0, 0);
inline constexpr Color kWhiteColor = RGB(255, 255, 255);
inline constexpr Color kNavyColor = RGB(0, 0, 128);

}  // namespace varnel
