#include "gui/appointments/CalDavAddress.h"

#include <QHostAddress>

namespace varnel {

namespace {
bool IsLoopback(const QString& host) {
    if (host.compare(QLatin1String("localhost"), Qt::CaseInsensitive) == 0) return true;
    const QHostAddress address(host);
    return !address.isNull() && address.isLoopback();
}

int DefaultPort(const QUrl& url) { return url.scheme().compare(QLatin1String("https"), Qt::CaseInsensitive) == 0 ? 443 : 80; }
}  // namespace

bool IsAllowedCalDavUrl(const QUrl& url, std::string& error) {
    if (!url.isValid() || url.host().isEmpty()) {
        error = "the address is not a valid URL";
        return false;
    }
    if (!url.userInfo().isEmpty()) {
        error = "the address holds a user name or password; give the user with --user and the password when asked";
        return false;
    }
    const QString scheme = url.scheme().toLower();
    if (scheme == QLatin1String("https")) return true;
    if (scheme == QLatin1String("http") && IsLoopback(url.host())) return true;
    error = scheme == QLatin1String("http") ? "plain http is allowed only to this computer; use https"
                                            : "the address must begin with https://";
    return false;
}

bool ConfinedItemUrl(const QUrl& collection, const QString& href, QUrl& out, std::string& why) {
    const QUrl reference(href.trimmed(), QUrl::StrictMode);
    const QUrl url = collection.resolved(reference);
    const QString base = collection.path(QUrl::FullyDecoded);
    const QString path = url.path(QUrl::FullyDecoded);
    const QString encoded = url.path(QUrl::FullyEncoded);
    if (href.trimmed().isEmpty() || !reference.isValid() || !url.isValid()) why = "it is not a valid address";
    else if (url.scheme().compare(collection.scheme(), Qt::CaseInsensitive) != 0) why = "it changes the scheme";
    else if (url.host().compare(collection.host(), Qt::CaseInsensitive) != 0 ||
             url.port(DefaultPort(url)) != collection.port(DefaultPort(collection)))
        why = "it is on another server";
    else if (!url.userInfo().isEmpty() || url.hasQuery() || url.hasFragment()) why = "it is not a plain item address";
    else if (encoded.contains(QLatin1String("%2F"), Qt::CaseInsensitive) ||
             encoded.contains(QLatin1String("%5C"), Qt::CaseInsensitive) || path.contains(QLatin1Char('\\')) ||
             path.split(QLatin1Char('/')).contains(QLatin1String("..")) ||
             path.split(QLatin1Char('/')).contains(QLatin1String(".")) || !base.endsWith(QLatin1Char('/')) ||
             !path.startsWith(base) || path.size() == base.size())
        why = "it lies outside the calendar";
    else {
        out = url;
        return true;
    }
    return false;
}

std::string ShownAddress(const QString& address) {
    const QUrl url(address);
    if (!url.isValid()) return "(an address that is not valid)";
    QString shown = url.toDisplayString(QUrl::RemoveUserInfo);
    for (QChar& c : shown)
        if (c.category() == QChar::Other_Control || c.category() == QChar::Other_Format) c = QLatin1Char('?');
    if (shown.size() > 200) shown = shown.left(200) + QStringLiteral("...");
    return shown.toStdString();
}

}  // namespace varnel
