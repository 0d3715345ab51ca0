#include "core/appointments/ExportIdentity.h"

#include <cstdio>

#include "core/common/Date.h"
#include "core/common/Profile.h"

namespace varnel {

namespace {
constexpr std::string_view kUidSuffix = "@varnel";
}  // namespace

std::string ExportUid(const ExportKind& kind, Date date, std::string_view tag) {
    const YearMonthDay d = date.Parts();
    char digits[16];
    std::snprintf(digits, sizeof digits, "%04d%02d%02d", d.year, d.month, d.day);
    std::string uid(kind.uidPrefix);
    uid += digits;
    if (!tag.empty()) uid += "-" + std::string(tag);
    return uid + std::string(kUidSuffix);
}

std::optional<Date> DateOfExportUid(const ExportKind& kind, std::string_view uid) {
    const size_t prefix = kind.uidPrefix.size();
    if (uid.size() < prefix + 8 + kUidSuffix.size()) return std::nullopt;
    const std::string lower = ToLowerAscii(uid);
    if (lower.compare(0, prefix, kind.uidPrefix) != 0 ||
        lower.compare(lower.size() - kUidSuffix.size(), kUidSuffix.size(), kUidSuffix) != 0)
        return std::nullopt;
    int value[3] = {0, 0, 0};
    const int widths[3] = {4, 2, 2};
    size_t pos = prefix;
    for (int part = 0; part < 3; ++part)
        for (int i = 0; i < widths[part]; ++i, ++pos) {
            const char c = lower[pos];
            if (c < '0' || c > '9') return std::nullopt;
            value[part] = value[part] * 10 + (c - '0');
        }
    // What follows the date: nothing, or "-" and a tag.
    const std::string_view rest = std::string_view(lower).substr(pos, lower.size() - kUidSuffix.size() - pos);
    if (!rest.empty() && (rest.size() < 2 || rest[0] != '-' || rest.find_first_not_of("abcdefghijklmnopqrstuvwxyz0123456789-") != std::string_view::npos))
        return std::nullopt;
    if (!IsValidDate(value[0], value[1], value[2])) return std::nullopt;
    return Date(value[0], value[1], value[2]);
}

std::string PortionUid(Date date) { return ExportUid(kPortionExport, date); }

std::optional<Date> DateOfPortionUid(std::string_view uid) {
    // A Shabbat's UID never carries a tag.
    if (uid.size() != kPortionExport.uidPrefix.size() + 8 + kUidSuffix.size()) return std::nullopt;
    return DateOfExportUid(kPortionExport, uid);
}

Ownership OwnershipOf(const ExportKind& kind, std::string_view uid, std::string_view mark, bool legacyShape) {
    if (!DateOfExportUid(kind, uid)) return Ownership::User;
    if (mark == kind.mark || (mark.empty() && legacyShape)) return Ownership::Ours;
    return Ownership::UserWithOurUid;
}

}  // namespace varnel
