#pragma once
// What a calendar target the user typed is: a file path, the URL of a CalDAV
// calendar, or an address that cannot be used. Only http and https reach a
// server; "scheme://..." of any other kind is never taken as a file name, and
// an address with a user name or password in it is refused without repeating
// them (the password is asked for, never typed into the address).
#include <string>
#include <string_view>

namespace varnel {

enum class AddressKind {
    File,         // a path
    Server,       // http:// or https://
    Webcal,       // a subscription address; `suggestion` is the https:// URL to use
    OtherScheme,  // ftp://, file://, ...
    UserInfo,     // a URL with a user name or password in it
};

struct CalendarAddress {
    AddressKind kind = AddressKind::File;
    std::string shown;       // the address with any user name and password taken out
    std::string suggestion;  // for webcal://
};

CalendarAddress ClassifyCalendarAddress(std::string_view text);

// Why an address that is neither a file nor a server cannot be used; empty for those two.
std::string AddressRefusal(const CalendarAddress& address);

}  // namespace varnel
