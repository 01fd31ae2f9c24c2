#pragma once

#include "richedit/RtfSink.h"

#include <QImage>

namespace kora::pictures {

// Decodes a picture of an RTF document; a null image when this platform cannot show it.
QImage decode(const rtf::Picture &picture);

// A neutral box shown in place of a picture that cannot be decoded, so that it keeps its place.
QImage placeholder(QSize size, const QString &label);

// The displayed size in pixels from the goal size and scale, or from the image itself.
QSizeF displaySize(const rtf::Picture &picture, const QImage &image);

// A picture of a file's bytes for a document: JPEG and PNG keep their bytes, other images are
// stored as PNG; shown at `size` pixels (the image's own size when empty). A null image gives
// an empty picture.
rtf::Picture fromImage(const QImage &image, const QByteArray &fileBytes = {}, QSizeF size = {});

// An RTF document that holds only this picture, as the clipboard carries it.
QByteArray rtfDocument(const rtf::Picture &picture);

} // namespace kora::pictures
