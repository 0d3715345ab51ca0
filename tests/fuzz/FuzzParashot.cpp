// Fuzz target: the portion loader, the schedule of a year taken from the input
// and the special readings laid over it.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "core/calendar/FestivalReadings.h"
#include "core/calendar/HolyDays.h"
#include "core/calendar/Parashot.h"
#include "core/common/DataFileReport.h"
#include "core/common/Date.h"
#include "core/common/TextDecoding.h"

using namespace varnel;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text = DecodeText(std::string_view(reinterpret_cast<const char*>(data), size));
    const ProfileFile file = ProfileFile::Parse(text);
    // The same text read as holy days too, for the special readings.
    HolyDayTable holyDays;
    DataFileReport report;
    ReadHolyDays(file, "holydays.dat", holyDays, report);
    const int fromInput = size >= 2 ? (data[size - 1] << 8 | data[size - 2]) % kMaxYear + 1 : 2026;
    ParashahTable portions;
    for (int year : {kMinYear, fromInput, kMaxYear}) {
        ScheduleParashot(file, year, portions);
        ApplySpecialReadings(holyDays, portions);
        for (int i = 1; i <= kParashotEntries; ++i) {
            const std::optional<Date> date = portions[i].date;
            if (date && (*date < Date(year, 1, 1) - 400 || *date > Date(year, 12, 31) + 400))
                std::abort();
        }
    }
    return 0;
}
