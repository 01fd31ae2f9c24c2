#pragma once

#include "richedit/RtfSink.h"

#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextListFormat>

class QTextBlock;
class QTextCursor;
class QTextList;

namespace kora {

struct ParagraphTwips
{
    int left = 0;      // \li: further lines from the left edge
    int firstLine = 0; // \fi: first line relative to left
    int right = 0;     // \ri
};

// Paragraph indents in twips as stored in a block format (falls back to its margins).
ParagraphTwips paragraphTwips(const QTextBlockFormat &format);

// Writes indents in twips into a block format, with the margins Qt lays out.
void setParagraphTwips(QTextBlockFormat &format, const ParagraphTwips &twips, bool bullet);

int alignmentCode(Qt::Alignment alignment);

// A point size as the control reads it back: kept in twips, read in whole points rounded down.
int wholePoints(double points);
Qt::Alignment alignmentFromCode(int code);

QTextCharFormat charFormatFor(const rtf::RunFormat &run);
QTextBlockFormat blockFormatFor(const rtf::ParagraphProperties &para);
QTextListFormat bulletListFormat();
QTextListFormat numberedListFormat(int level);

// True for a list whose items show a bullet; the others show generated numbers.
bool isBulletList(const QTextList *list);

// Puts the cursor's block into or out of a bullet list, joining the previous block's bullet list.
void setBlockBullet(QTextCursor &cursor, bool bullet);

// The generated label of a numbered list item as a plain-text export writes it before the item's
// text ("    1. " on the first level, four more spaces per level); empty for other blocks.
QString listLabel(const QTextBlock &block);

} // namespace kora
