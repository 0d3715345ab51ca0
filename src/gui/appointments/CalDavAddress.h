#pragma once
// Which addresses the CalDAV calendar may be reached at and may act on.
#include <QString>
#include <QUrl>
#include <string>

namespace varnel {

// Whether a calendar URL may be used: https anywhere, http only to this
// machine, never a user name or password inside it (the message does not
// repeat them).
bool IsAllowedCalDavUrl(const QUrl& url, std::string& error);

// An item's href from the server, resolved against the collection: it must
// keep the collection's scheme, host and port and lie inside its path. False
// with the reason otherwise; nothing is ever sent to such an address.
bool ConfinedItemUrl(const QUrl& collection, const QString& href, QUrl& out, std::string& why);

// An address fit for a message: no user information, no control
// characters, at most 200 characters.
std::string ShownAddress(const QString& address);

}  // namespace varnel
