#include "core/appointments/CalendarAddress.h"

#include <algorithm>
#include <cctype>

#include "core/common/Profile.h"

namespace varnel {

namespace {
// RFC 3986: ALPHA *( ALPHA / DIGIT / "+" / "-" / "." ). One letter is taken as
// a drive or a plain name ("c://x" is no address anyone means).
size_t SchemeLength(std::string_view text) {
    size_t n = 0;
    while (n < text.size()) {
        const unsigned char c = static_cast<unsigned char>(text[n]);
        if (!(std::isalpha(c) || (n > 0 && (std::isdigit(c) || c == '+' || c == '-' || c == '.')))) break;
        ++n;
    }
    return n >= 2 && text.substr(n, 3) == "://" ? n : 0;
}
}  // namespace

CalendarAddress ClassifyCalendarAddress(std::string_view text) {
    CalendarAddress address;
    const size_t schemeLength = SchemeLength(text);
    if (schemeLength == 0) {
        address.shown = std::string(text);
        return address;
    }
    const std::string scheme = ToLowerAscii(text.substr(0, schemeLength));
    const size_t authorityStart = schemeLength + 3;
    const size_t authorityEnd = std::min(text.find_first_of("/?#", authorityStart), text.size());
    const std::string_view authority = text.substr(authorityStart, authorityEnd - authorityStart);
    const size_t at = authority.rfind('@');
    const std::string_view rest = text.substr(at == std::string_view::npos ? authorityStart : authorityStart + at + 1);
    address.shown = scheme + "://" + std::string(rest);
    const bool web = scheme == "http" || scheme == "https";
    const bool webcal = scheme == "webcal" || scheme == "webcals";
    if (!web && !webcal) address.kind = AddressKind::OtherScheme;
    else if (at != std::string_view::npos) address.kind = AddressKind::UserInfo;
    else if (web) address.kind = AddressKind::Server;
    else {
        address.kind = AddressKind::Webcal;
        address.suggestion = "https://" + std::string(rest);
    }
    return address;
}

std::string AddressRefusal(const CalendarAddress& address) {
    switch (address.kind) {
        case AddressKind::File:
        case AddressKind::Server: return {};
        case AddressKind::Webcal:
            return "a webcal:// address is a read-only subscription; to write to that calendar use " +
                   address.suggestion;
        case AddressKind::OtherScheme:
            return "only http:// and https:// calendars can be written (" + address.shown + ")";
        case AddressKind::UserInfo:
            return "the address holds a user name or password; give the address without them (" + address.shown +
                   ") and the user name on its own";
    }
    return {};
}

}  // namespace varnel
