#pragma once

#include <QByteArray>
#include <QString>

namespace kora {

// Reads a whole file; on failure returns false with a Czech message naming the file.
bool readWholeFile(const QString &path, QByteArray *data, QString *error);

// Writes `data` to a temporary file beside `path`, flushes it and renames it over `path`,
// keeping the permissions of the file it replaces. On any failure the old file is untouched.
// `writeFailureText` is the message for a failure after the file was created.
bool saveFileSafely(const QString &path, const QByteArray &data, const QString &writeFailureText, QString *error);

} // namespace kora
