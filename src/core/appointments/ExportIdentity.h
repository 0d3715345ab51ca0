#pragma once
// How the export knows its own items in a calendar it shares with the user: by
// the UID it gives each Shabbat together with a property naming the export
// that made the item. A title proves nothing (users write « too), and a user
// item that happens to carry one of our UIDs stays the user's.
#include <optional>
#include <string>
#include <string_view>

#include "core/common/Date.h"

namespace varnel {

// Written into every item of ours: "X-VARNEL-EXPORT:portions".
inline constexpr std::string_view kExportProperty = "X-VARNEL-EXPORT";
inline constexpr std::string_view kPortionExport = "portions";

enum class Ownership {
    User,           // not ours: never touched
    Ours,           // made by the export: replaced on the next export
    UserWithOurUid  // carries one of our UIDs without being ours: reported and left
};

// "varnel-portion-YYYYMMDD@varnel".
std::string PortionUid(Date date);
// The Shabbat of a UID of that form (ASCII case ignored), if it is one.
std::optional<Date> DateOfPortionUid(std::string_view uid);

// mark: the value of kExportProperty, empty when absent. An item written before
// the mark existed counts as ours only when it is exactly what the export
// wrote then (legacyShape, judged by the caller from its properties).
Ownership OwnershipOf(std::string_view uid, std::string_view mark, bool legacyShape = false);

}  // namespace varnel
