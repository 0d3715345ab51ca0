#include "core/solar/CitySearch.h"

#include "core/common/Profile.h"
#include "core/solar/SunCalculator.h"

namespace varnel {
namespace {

char LowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix) {
    if (prefix.size() > text.size()) return false;
    for (size_t i = 0; i < prefix.size(); ++i)
        if (LowerAscii(text[i]) != LowerAscii(prefix[i])) return false;
    return true;
}

}  // namespace

CityMatches SearchCity(std::string_view text) {
    CityMatches found;
    const std::string_view wanted = TrimmedView(text);
    if (wanted.empty()) return found;
    const int exact = FindCity(wanted);
    if (exact >= 0) {
        found.index = exact;
        found.matches.push_back(exact);
        return found;
    }
    for (int i = 0; i < kCityCount; ++i)
        if (StartsWithIgnoringCase(CityAt(i)->name, wanted)) found.matches.push_back(i);
    if (found.matches.size() == 1) found.index = found.matches.front();
    return found;
}

}  // namespace varnel
