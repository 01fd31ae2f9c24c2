#include "editing/controls/RulerIndents.h"

#include "editing/controls/TanlRuler.h"

namespace kora {

int rulerPixelsToPoints(int pixels)
{
    // Integer division truncates toward zero, as trunc(pixels ÷ 4/3) does.
    return pixels * 3 / 4;
}

RulerIndentPoints rulerIndentPoints(int indentId, const RulerPixels &ruler, int selectionFirstIndent)
{
    RulerIndentPoints points;
    switch (indentId) {
    case IndentIdFirst:
    case IndentIdBoth:
        points.first = rulerPixelsToPoints(ruler.indentFirst);
        points.left = rulerPixelsToPoints(ruler.indentLeft) - *points.first;
        break;
    case IndentIdLeft:
        points.left = rulerPixelsToPoints(ruler.indentLeft) - selectionFirstIndent;
        break;
    case IndentIdRight:
        points.right = rulerPixelsToPoints(ruler.clientWidth - ruler.indentRight - 10);
        break;
    default:
        break;
    }
    return points;
}

RulerIndentPoints rulerIndentPoints(int indentId, const TanlRuler &ruler, int selectionFirstIndent)
{
    return rulerIndentPoints(
        indentId,
        RulerPixels{ruler.indentFirst(), ruler.indentLeft(), ruler.indentRight(), ruler.contentsRect().width()},
        selectionFirstIndent);
}

} // namespace kora
