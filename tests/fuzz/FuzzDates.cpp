// Fuzz target: the personal dates of a dates.dat text. Whatever the text,
// every entry either reads as a date or is skipped with a reason, and the
// days of a read date come in date order, each a later year's anniversary.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "core/common/Profile.h"
#include "core/common/TextDecoding.h"
#include "core/personal/PersonalDays.h"

using namespace varnel;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text = DecodeText(std::string_view(reinterpret_cast<const char*>(data), size));
    const std::vector<PersonalDateEntry> entries = PersonalDateEntriesIn(ProfileFile::Parse(text, kWholeProfileValues));
    const PersonalDates read = ReadPersonalDates(entries);
    if (read.dates.size() + read.skipped.size() != entries.size()) std::abort();
    for (const int year : {1, 1582, 2026, 9999}) {
        const std::vector<PersonalDay> days = PersonalDaysIn(read.dates, year);
        for (size_t i = 0; i < days.size(); ++i) {
            if (days[i].count < 1 || days[i].date.Year() != year) std::abort();
            if (i > 0 && days[i].date < days[i - 1].date) std::abort();
            PersonalDayDetails(days[i], "\r\n");
        }
    }
    return 0;
}
