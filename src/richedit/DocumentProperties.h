#pragma once

#include <QTextFormat>

namespace kora {

// Values kept in the document's formats beside what Qt lays out, so that indents read back
// exactly in twips and pictures keep their original bytes.
enum DocumentProperty : int {
    PropLeftTwips = QTextFormat::UserProperty + 1,
    PropFirstLineTwips,
    PropRightTwips,
    PropPictureKind, // int of rtf::PictureKind
    PropPictureData, // the original bytes
    PropPictureWidth,
    PropPictureHeight,
    PropPictureMetafileMode,
    PropPictureBitsPerPixel,
    PropPictureWidthBytes,
    PropListLevel,    // on a numbered list's format: the list level its document gave it
    PropObjectData,   // on a picture that shows a packaged file: the object's \objdata
    PropObjectLinked, // bool: that object links to its file
};

// Screen units of the document per twip: the layout works in pixels at 96 dpi.
constexpr double kPixelsPerTwip = 96.0 / 1440.0;

} // namespace kora
