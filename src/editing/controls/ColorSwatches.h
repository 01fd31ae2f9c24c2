#pragma once

#include <QColor>
#include <QPixmap>

#include <functional>
#include <optional>

class QPainter;
class QRect;

// Shared by the colour drop-down button and its palette.
//
// Colours: an invalid QColor is the platform's "no colour" value. The first fixed swatch of the
// palette holds it, and ActiveColor, TargetColor and AutomaticColor may hold it. A TColorBtn
// whose activeColor() is invalid after a choice asks for the automatic colour: the owner maps it
// to the automatic text colour, or to no highlight. Giving AutomaticColor an invalid colour makes
// the automatic button mean that too.
namespace kora {

// The colour dialog, starting at `initial`; nothing when the user cancels. It may be modal.
using ColorDialogFunction = std::function<std::optional<QColor>(const QColor &initial)>;

// Pictures of the main swatch of a TColorBtn.
enum TGlyphType { gtForeground, gtBackground, gtLines, gtCustom };

namespace colorswatch {

// The grey of outlines and of disabled swatches.
inline const QColor kGrey{0x80, 0x80, 0x80};

bool sameColor(const QColor &a, const QColor &b);
void paintColorBox(QPainter &painter, const QRect &box, const QColor &color);
QPixmap builtInGlyph(TGlyphType type);
QPixmap arrowPicture();

} // namespace colorswatch

} // namespace kora
