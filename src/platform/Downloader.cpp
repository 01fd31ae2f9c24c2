#include "platform/Downloader.h"

#include <QRegularExpression>

namespace kora {

QString withWebScheme(const QString &typed)
{
    // "name:" starts a scheme unless digits follow.
    static const QRegularExpression kScheme(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]*:(?![0-9])"));
    const QString text = typed.trimmed();
    return kScheme.match(text).hasMatch() ? text : QStringLiteral("http://") + text;
}

std::optional<QUrl> webAddress(const QString &typed, QString *error)
{
    const QString text = typed.trimmed();
    const QUrl url(withWebScheme(text), QUrl::TolerantMode);
    const QString scheme = url.scheme().toLower();
    if (!text.isEmpty() && url.isValid() && (scheme == QLatin1String("http") || scheme == QLatin1String("https")) &&
        !url.host().isEmpty()) {
        return url;
    }
    if (error) {
        *error = text.isEmpty() ? QStringLiteral("Není zadaná žádná adresa.")
                                : QStringLiteral("„%1“ není adresa webové stránky; otevřít lze jen adresy http:// a "
                                                 "https://.")
                                      .arg(text);
    }
    return std::nullopt;
}

} // namespace kora
