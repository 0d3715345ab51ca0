#include "core/appointments/ExportIdentity.h"

#include <cstdio>

#include "core/common/Date.h"
#include "core/common/Profile.h"

namespace varnel {

namespace {
constexpr std::string_view kUidPrefix = "varnel-portion-";
constexpr std::string_view kUidSuffix = "@varnel";
}  // namespace

std::string PortionUid(Date date) {
    const YearMonthDay d = date.Parts();
    char text[48];
    std::snprintf(text, sizeof text, "varnel-portion-%04d%02d%02d@varnel", d.year, d.month, d.day);
    return text;
}

std::optional<Date> DateOfPortionUid(std::string_view uid) {
    if (uid.size() != kUidPrefix.size() + 8 + kUidSuffix.size()) return std::nullopt;
    const std::string lower = ToLowerAscii(uid);
    if (lower.compare(0, kUidPrefix.size(), kUidPrefix) != 0 ||
        lower.compare(lower.size() - kUidSuffix.size(), kUidSuffix.size(), kUidSuffix) != 0)
        return std::nullopt;
    int value[3] = {0, 0, 0};
    const int widths[3] = {4, 2, 2};
    size_t pos = kUidPrefix.size();
    for (int part = 0; part < 3; ++part)
        for (int i = 0; i < widths[part]; ++i, ++pos) {
            const char c = lower[pos];
            if (c < '0' || c > '9') return std::nullopt;
            value[part] = value[part] * 10 + (c - '0');
        }
    if (!IsValidDate(value[0], value[1], value[2])) return std::nullopt;
    return Date(value[0], value[1], value[2]);
}

Ownership OwnershipOf(std::string_view uid, std::string_view mark, bool legacyShape) {
    if (!DateOfPortionUid(uid)) return Ownership::User;
    if (mark == kPortionExport || (mark.empty() && legacyShape)) return Ownership::Ours;
    return Ownership::UserWithOurUid;
}

}  // namespace varnel
