#pragma once
// The all-day calendar item written for one Shabbat: its subject between
// guillemets, the reading texts as its body and the references as its
// location. The export knows it again by its UID (ExportIdentity.h).
#include <string>
#include <string_view>

#include "core/appointments/CalendarItem.h"
#include "core/appointments/ReadingTexts.h"
#include "core/appointments/ShabbatLines.h"
#include "core/common/Date.h"

namespace varnel {

inline constexpr std::string_view kExportMarker = "\xC2\xAB";  // U+00AB, UTF-8
inline constexpr std::string_view kExportMarkerEnd = "\xC2\xBB";  // U+00BB

// Lines with an empty portion name give no item (false).
bool BuildPortionAppointment(const ShabbatLine& line, const ReadingTexts& texts, CalendarItem& out);

}  // namespace varnel
