#pragma once

#include "richedit/SelectionFormat.h"

#include <QColor>
#include <QStringView>

#include <functional>
#include <vector>

class QFont;
class QTextCharFormat;
class QTextDocument;

namespace kora {

// A piece of a line in one character format.
struct LineRun
{
    QStringView text;
    CharFormat format;
};

// One laid-out line: its runs in order (none for an empty line) and the format of its paragraph.
struct LaidOutLine
{
    std::vector<LineRun> runs;
    int alignment = AlignLeft;
    int numbering = NumberingNone;
};

using LineVisitor = std::function<void(const LaidOutLine &line)>;

struct LineLayout
{
    qreal width = 0; // the width lines wrap at, in pixels; 0 or less: lines end only at breaks
    QColor automaticText;
    QColor automaticBackground;
};

// Breaks every paragraph into lines no wider than `layout.width` and calls `visit` for each line
// in order. Words wrap whole and the spaces after a word stay at the end of its line; a word wider
// than a line breaks where it overflows; a line separator ends a line and belongs to none. A last
// line that is empty is no line, so an empty document has none. Widths come from the fonts'
// metrics alone, so no window and no layout of the document is needed, and the time grows with
// the length of the text.
void forEachLaidOutLine(const QTextDocument &document, const LineLayout &layout, const LineVisitor &visit);

// A character format as the selection reads it, with what it leaves open taken from the default
// font and the automatic colours.
CharFormat resolvedCharFormat(const QTextCharFormat &format, const QFont &defaultFont, const QColor &automaticText,
                              const QColor &automaticBackground);

} // namespace kora
