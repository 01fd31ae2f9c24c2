#pragma once

#include <QColor>
#include <QFlags>
#include <QString>

namespace kora {

// Character and paragraph format of the selection, in the units and codes the commands use.
enum StyleFlag : int { StyleBold = 1, StyleItalic = 2, StyleUnderline = 4, StyleStrikeOut = 8 };
Q_DECLARE_FLAGS(StyleFlags, StyleFlag)
Q_DECLARE_OPERATORS_FOR_FLAGS(StyleFlags)

enum SubscriptStyle : int { SubscriptNone = 0, Subscript = 1, Superscript = 2 };

enum Alignment : int { AlignLeft = 0, AlignRight = 1, AlignCenter = 2, AlignJustify = 3 };

enum Numbering : int { NumberingNone = 0, NumberingBullet = 1 };

constexpr int kMaxFaceNameLength = 31;
constexpr int kTwipsPerPoint = 20;
// Turning bullets on raises a smaller left indent to this many points.
constexpr int kBulletMinLeftIndent = 10;

struct CharFormat
{
    StyleFlags style;
    QColor color;     // resolved: "automatic" reads as the window-text colour
    QColor highlight; // resolved: "automatic" reads as the window colour
    QString face;
    int size = 0;
    SubscriptStyle subscript = SubscriptNone;
};

struct ParaFormat
{
    Alignment alignment = AlignLeft;
    Numbering numbering = NumberingNone;
    int firstIndent = 0; // first line from the left edge, points
    int leftIndent = 0;  // further lines, relative to the first line, points
    int rightIndent = 0; // from the right edge, points
};

} // namespace kora
