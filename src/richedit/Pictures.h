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

} // namespace kora::pictures
