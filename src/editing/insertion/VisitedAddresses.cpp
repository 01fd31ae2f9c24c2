#include "editing/insertion/VisitedAddresses.h"

#include <QRegularExpression>
#include <QUrl>

#include <algorithm>

namespace kora {

bool isPageAddress(const QString &address)
{
    if (!address.startsWith(QLatin1String("http"), Qt::CaseInsensitive) || address.contains(u'?'))
        return false;
    const qsizetype delimiter = address.lastIndexOf(QRegularExpression(QStringLiteral("[./\\\\:]")));
    if (delimiter < 0 || address[delimiter] != u'.')
        return true;
    const QStringView extension = QStringView(address).sliced(delimiter);
    return extension.compare(u".htm", Qt::CaseInsensitive) == 0 ||
           extension.compare(u".html", Qt::CaseInsensitive) == 0;
}

QStringList pageAddresses(const QStringList &visited)
{
    QStringList pages;
    for (const QString &address : visited) {
        const QString decoded = QUrl::fromPercentEncoding(address.toUtf8());
        if (isPageAddress(decoded))
            pages << decoded;
    }
    std::stable_sort(pages.begin(), pages.end(),
                     [](const QString &a, const QString &b) { return a.compare(b, Qt::CaseInsensitive) < 0; });
    return pages;
}

} // namespace kora
