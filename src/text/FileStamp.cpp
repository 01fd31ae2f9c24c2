#include "text/FileStamp.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>

namespace kora {

namespace {

constexpr auto kAlgorithm = QCryptographicHash::Blake2b_256;

FileStamp statOf(const QString &path)
{
    const QFileInfo info(path);
    if (!info.isFile())
        return {};
    return {path, true, info.size(), info.lastModified().toMSecsSinceEpoch(), {}};
}

} // namespace

QByteArray FileStamp::hashOf(QByteArrayView content)
{
    return QCryptographicHash::hash(content, kAlgorithm);
}

FileStamp FileStamp::of(const QString &path, QByteArrayView content)
{
    FileStamp stamp = statOf(path);
    if (stamp.exists)
        stamp.hash = hashOf(content);
    return stamp;
}

FileStamp FileStamp::read(const QString &path)
{
    FileStamp stamp = statOf(path);
    if (!stamp.exists)
        return {};
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QCryptographicHash hash(kAlgorithm);
    if (!hash.addData(&file))
        return {};
    stamp.hash = hash.result();
    return stamp;
}

bool FileStamp::changedOnDisk() const
{
    if (!exists)
        return false;
    const FileStamp now = statOf(path);
    if (!now.exists)
        return false;
    if (now.size != size || now.modified != modified)
        return true;
    // The same size and time can still hide other content (a coarse clock, a tool that keeps
    // the time): the content decides.
    const FileStamp read = FileStamp::read(path);
    return read.exists && read.hash != hash;
}

} // namespace kora
