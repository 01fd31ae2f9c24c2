#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

namespace kora {

// A picture file as "Obrázek" inserts it: the image to show and the file's bytes.
struct PictureFile
{
    QImage image;
    QByteArray bytes; // empty when the image is not what the file's bytes show as they are
    QString error;    // Czech, naming the file; empty when the picture was read
};

// The file filter of the picture-open dialog: every type together, then each alone.
extern const QString kPictureFilter;

// Reads a JPEG, PNG, GIF, BMP or ICO file (an icon: its largest image). Windows metafiles,
// damaged and unreadable files give an error.
PictureFile readPictureFile(const QString &path);

} // namespace kora
