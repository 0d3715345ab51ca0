#include "core/views/ColorScheme.h"

#include <array>


namespace varnel {
namespace {

constexpr std::array<ColorSchemeEntry, kColorSchemeCount> kSchemes = {{
    {"Default", RGB(237, 187, 253), RGB(100, 179, 217)},
    {"Blues", RGB(192, 255, 255), RGB(128, 128, 255)},
    {"Lavender", RGB(255, 223, 255), RGB(170, 127, 255)},
    {"Amber", RGB(255, 255, 128), RGB(192, 64, 0)},
}};

}  // namespace

bool IsColorScheme(int scheme) { return scheme >= 0 && scheme < kColorSchemeCount; }

const ColorSchemeEntry& ColorSchemeAt(int scheme) {
    return kSchemes[static_cast<size_t>(IsColorScheme(scheme) ? scheme : 0)];
}

Color SchemeHolyDayColor(int scheme) { return IsColorScheme(scheme) ? ColorSchemeAt(scheme).holyDay : kBlackColor; }
Color SchemeShabbatColor(int scheme) { return IsColorScheme(scheme) ? ColorSchemeAt(scheme).shabbat : kBlackColor; }


}  // namespace varnel
