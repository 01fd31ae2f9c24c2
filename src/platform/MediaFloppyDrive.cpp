#include "platform/MediaFloppyDrive.h"

#include <QDir>
#include <QFileInfo>
#include <QStorageInfo>

#include <algorithm>

namespace kora {

std::optional<QString> MediaFloppyDrive::folder() const
{
    const QString chosen = qEnvironmentVariable("KORA_FLOPPY_DIR");
    if (!chosen.isEmpty()) {
        if (QFileInfo(chosen).isDir())
            return QDir::cleanPath(QDir(chosen).absolutePath());
        return std::nullopt;
    }
    QStringList media;
    for (const QStorageInfo &volume : QStorageInfo::mountedVolumes()) {
        const QString root = volume.rootPath();
        const bool removable =
            root.startsWith(QLatin1String("/media/")) || root.startsWith(QLatin1String("/run/media/"));
        if (removable && volume.isValid() && volume.isReady() && !volume.isReadOnly())
            media << root;
    }
    if (media.isEmpty())
        return std::nullopt;
    std::sort(media.begin(), media.end());
    return media.first();
}

} // namespace kora
