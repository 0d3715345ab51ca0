#pragma once
// How an export knows its own items in a calendar it shares with the user: by
// the UIDs it gives them together with a property naming the export that made
// the item. A title proves nothing (users write « too), and a user item that
// happens to carry one of our UIDs stays the user's. Each export (the month's
// portions, the year's feasts) knows only its own items: neither touches the
// other's.
#include <optional>
#include <string>
#include <string_view>

#include "core/common/Date.h"

namespace varnel {

// Written into every item of ours: "X-VARNEL-EXPORT:portions".
inline constexpr std::string_view kExportProperty = "X-VARNEL-EXPORT";

// One export: the value of its mark and how its UIDs begin.
struct ExportKind {
    std::string_view mark;
    std::string_view uidPrefix;
};
inline constexpr ExportKind kPortionExport{"portions", "varnel-portion-"};
inline constexpr ExportKind kFeastExport{"feasts", "varnel-feast-"};

enum class Ownership {
    User,           // not ours: never touched
    Ours,           // made by the export: replaced on the next export
    UserWithOurUid  // carries one of our UIDs without being ours: reported and left
};

// "<prefix>YYYYMMDD@varnel", or "<prefix>YYYYMMDD-<tag>@varnel" when several
// items share a day (tag: lower-case letters, digits and hyphens).
std::string ExportUid(const ExportKind& kind, Date date, std::string_view tag = {});
// The day of a UID of that export (ASCII case ignored), if it is one.
std::optional<Date> DateOfExportUid(const ExportKind& kind, std::string_view uid);
// "varnel-portion-YYYYMMDD@varnel", and back.
std::string PortionUid(Date date);
std::optional<Date> DateOfPortionUid(std::string_view uid);

// mark: the value of kExportProperty, empty when absent. An item written before
// the mark existed counts as ours only when it is exactly what the export
// wrote then (legacyShape, judged by the caller from its properties).
Ownership OwnershipOf(const ExportKind& kind, std::string_view uid, std::string_view mark, bool legacyShape = false);

}  // namespace varnel
