#include "richedit/FormatMapping.h"

#include "richedit/DocumentProperties.h"
#include "richedit/SelectionFormat.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextList>

#include <algorithm>
#include <cmath>

namespace kora {

ParagraphTwips paragraphTwips(const QTextBlockFormat &format)
{
    ParagraphTwips t;
    auto value = [&format](int property, double pixels) {
        return format.hasProperty(property) ? format.intProperty(property) : int(std::lround(pixels / kPixelsPerTwip));
    };
    t.left = value(PropLeftTwips, format.leftMargin());
    t.firstLine = value(PropFirstLineTwips, format.textIndent());
    t.right = value(PropRightTwips, format.rightMargin());
    return t;
}

void setParagraphTwips(QTextBlockFormat &format, const ParagraphTwips &twips, bool bullet)
{
    format.setProperty(PropLeftTwips, twips.left);
    format.setProperty(PropFirstLineTwips, twips.firstLine);
    format.setProperty(PropRightTwips, twips.right);
    // A bullet hangs at the first-line position and the text starts at the left indent.
    format.setLeftMargin(std::max(0.0, twips.left * kPixelsPerTwip));
    format.setTextIndent(bullet ? 0.0 : twips.firstLine * kPixelsPerTwip);
    format.setRightMargin(std::max(0.0, twips.right * kPixelsPerTwip));
}

int alignmentCode(Qt::Alignment alignment)
{
    if (alignment & Qt::AlignJustify)
        return 3;
    if (alignment & Qt::AlignHCenter)
        return 2;
    if (alignment & Qt::AlignRight)
        return 1;
    return 0;
}

int wholePoints(double points)
{
    return int(std::lround(points * kTwipsPerPoint)) / kTwipsPerPoint;
}

Qt::Alignment alignmentFromCode(int code)
{
    switch (code) {
    case 1: return Qt::AlignRight | Qt::AlignAbsolute;
    case 2: return Qt::AlignHCenter;
    case 3: return Qt::AlignJustify;
    default: return Qt::AlignLeft | Qt::AlignAbsolute;
    }
}

QTextCharFormat charFormatFor(const rtf::RunFormat &run)
{
    QTextCharFormat f;
    if (!run.face.isEmpty())
        f.setFontFamilies(QStringList{run.face});
    f.setFontPointSize(run.halfPoints / 2.0);
    f.setFontWeight(run.bold ? QFont::Bold : QFont::Normal);
    f.setFontItalic(run.italic);
    f.setFontUnderline(run.underline);
    f.setFontStrikeOut(run.strike);
    if (run.vertical == 1)
        f.setVerticalAlignment(QTextCharFormat::AlignSubScript);
    else if (run.vertical == 2)
        f.setVerticalAlignment(QTextCharFormat::AlignSuperScript);
    if (run.hasColor)
        f.setForeground(QColor(run.color));
    if (run.hasBackground)
        f.setBackground(QColor(run.background));
    return f;
}

QTextBlockFormat blockFormatFor(const rtf::ParagraphProperties &para)
{
    QTextBlockFormat f;
    f.setAlignment(alignmentFromCode(para.align));
    setParagraphTwips(f, ParagraphTwips{para.left, para.firstLine, para.right}, para.bullet || para.numbered);
    return f;
}

QTextListFormat bulletListFormat()
{
    QTextListFormat f;
    f.setStyle(QTextListFormat::ListDisc);
    f.setIndent(0);
    return f;
}

QTextListFormat numberedListFormat(int level)
{
    QTextListFormat f;
    f.setStyle(QTextListFormat::ListDecimal);
    f.setIndent(0);
    f.setProperty(PropListLevel, level);
    return f;
}

bool isBulletList(const QTextList *list)
{
    if (!list)
        return false;
    switch (list->format().style()) {
    case QTextListFormat::ListDisc:
    case QTextListFormat::ListCircle:
    case QTextListFormat::ListSquare: return true;
    default: return false;
    }
}

void setBlockBullet(QTextCursor &cursor, bool bullet)
{
    QTextBlock block = cursor.block();
    QTextList *list = block.textList();
    if (bullet && isBulletList(list))
        return;
    if (list) {
        list->remove(block);
        QTextBlockFormat f = block.blockFormat();
        if (f.hasProperty(QTextFormat::ObjectIndex)) {
            f.clearProperty(QTextFormat::ObjectIndex);
            cursor.setBlockFormat(f);
        }
    }
    if (!bullet)
        return;
    const QTextBlock previous = block.previous();
    if (previous.isValid() && isBulletList(previous.textList())) {
        previous.textList()->add(block);
        return;
    }
    const QTextBlock next = block.next();
    if (next.isValid() && isBulletList(next.textList())) {
        next.textList()->add(block);
        return;
    }
    cursor.createList(bulletListFormat());
}

QString listLabel(const QTextBlock &block)
{
    const QTextList *list = block.textList();
    if (!list || isBulletList(list))
        return {};
    const int level = std::clamp(list->format().intProperty(PropListLevel), 0, 8);
    return QString(4 * (level + 1), u' ') + QString::number(list->itemNumber(block) + 1) + QStringLiteral(". ");
}

} // namespace kora
