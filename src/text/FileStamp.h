#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace kora {

// What tells whether a file is still the one the program read or wrote: its size, its
// modification time and a hash of its content.
struct FileStamp
{
    QString path;
    bool exists = false;
    qint64 size = 0;
    qint64 modified = 0; // milliseconds since the epoch
    QByteArray hash;

    bool operator==(const FileStamp &) const = default;

    // The file at `path` as it is now, with `content` the bytes just read from or written to it.
    static FileStamp of(const QString &path, QByteArrayView content);
    // The file at `path` as it is now, its content read to hash it; nothing when it is missing or
    // cannot be read.
    static FileStamp read(const QString &path);
    static QByteArray hashOf(QByteArrayView content);

    // True when the file exists and is no longer the file this stamp describes: another size,
    // another modification time or other content. A stamp of no file never reports a change.
    bool changedOnDisk() const;
};

} // namespace kora
