// Fuzz target: the holy-day loader and the placement of its records over the
// edges of the calendar and a year taken from the input.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "core/calendar/HolyDays.h"
#include "core/common/DataFileReport.h"
#include "core/common/Date.h"
#include "core/common/TextDecoding.h"

using namespace varnel;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text = DecodeText(std::string_view(reinterpret_cast<const char*>(data), size));
    HolyDayTable table;
    DataFileReport report;
    ReadHolyDays(ProfileFile::Parse(text), "holydays.dat", table, report);
    const int fromInput = size >= 2 ? (data[0] << 8 | data[1]) % kMaxYear + 1 : 2026;
    for (int year : {kMinYear, kMinYear + 1, 1583, fromInput, kMaxYear - 1, kMaxYear}) {
        // Every day placed lies in the year asked for.
        for (const HolyDayRecord& day : PlaceHolyDays(table, year))
            if (!day.date || day.date->Year() != year) std::abort();
    }
    return 0;
}
