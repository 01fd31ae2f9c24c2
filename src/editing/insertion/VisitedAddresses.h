#pragma once

#include <QString>
#include <QStringList>

namespace kora {

// A visited address worth offering as a link: it starts with "http" in any case, holds no "?",
// and its extension (from the last "." after the last "/", "\" or ":") is empty, ".htm" or
// ".html" in any case.
bool isPageAddress(const QString &address);

// The page addresses among the visited ones, escape sequences decoded, sorted without regard to
// case; duplicates stay.
QStringList pageAddresses(const QStringList &visited);

} // namespace kora
