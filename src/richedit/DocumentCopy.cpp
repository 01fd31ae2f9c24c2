#include "richedit/DocumentCopy.h"

#include <QHash>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextList>
#include <QUrl>

namespace kora {

namespace {

// The character format with what it takes from the document's default font made explicit.
QTextCharFormat withFont(QTextCharFormat format, const QFont &font)
{
    if (!format.hasProperty(QTextFormat::FontFamilies) && !format.hasProperty(QTextFormat::FontFamily))
        format.setFontFamilies(font.families().isEmpty() ? QStringList{font.family()} : font.families());
    if (!format.hasProperty(QTextFormat::FontPointSize) && !format.hasProperty(QTextFormat::FontPixelSize))
        format.setFontPointSize(font.pointSizeF());
    if (!format.hasProperty(QTextFormat::FontWeight))
        format.setFontWeight(font.weight());
    if (!format.hasProperty(QTextFormat::FontItalic))
        format.setFontItalic(font.italic());
    if (!format.hasProperty(QTextFormat::FontUnderline) && !format.hasProperty(QTextFormat::TextUnderlineStyle))
        format.setFontUnderline(font.underline());
    if (!format.hasProperty(QTextFormat::FontStrikeOut))
        format.setFontStrikeOut(font.strikeOut());
    // Object indexes name objects of the source document.
    format.clearProperty(QTextFormat::ObjectIndex);
    return format;
}

} // namespace

void copyDocument(const QTextDocument &source, QTextDocument &target, int from, int to)
{
    const int end = source.characterCount() - 1;
    from = std::clamp(from, 0, end);
    to = to < 0 ? end : std::clamp(to, from, end);

    const bool undo = target.isUndoRedoEnabled();
    target.setUndoRedoEnabled(false);
    QTextCursor cursor(&target);
    cursor.beginEditBlock();
    QHash<int, QTextCharFormat> formats;
    QHash<const QTextList *, QTextList *> lists;
    const QFont font = source.defaultFont();
    const auto formatAt = [&](int index, const QTextCharFormat &format) -> const QTextCharFormat & {
        auto it = formats.find(index);
        if (it == formats.end())
            it = formats.insert(index, withFont(format, font));
        return *it;
    };

    bool first = true;
    for (QTextBlock block = source.findBlock(from); block.isValid() && block.position() <= to; block = block.next()) {
        QTextBlockFormat blockFormat = block.blockFormat();
        blockFormat.clearProperty(QTextFormat::ObjectIndex);
        const QTextCharFormat blockCharFormat = withFont(block.charFormat(), font);
        if (first) {
            cursor.setBlockFormat(blockFormat);
            cursor.setBlockCharFormat(blockCharFormat);
            first = false;
        } else {
            cursor.insertBlock(blockFormat, blockCharFormat);
        }
        if (const QTextList *list = block.textList()) {
            auto it = lists.find(list);
            if (it == lists.end())
                lists.insert(list, cursor.createList(list->format()));
            else
                it.value()->add(cursor.block());
        }
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            const int position = fragment.position();
            const int start = std::max(position, from);
            const int stop = std::min(position + fragment.length(), to);
            if (start >= stop)
                continue;
            const QTextCharFormat &format = formatAt(fragment.charFormatIndex(), fragment.charFormat());
            if (format.isImageFormat()) {
                const QUrl name(format.toImageFormat().name());
                target.addResource(QTextDocument::ImageResource, name,
                                   source.resource(QTextDocument::ImageResource, name));
            }
            QString text = fragment.text();
            if (start != position || stop != position + fragment.length())
                text = text.mid(start - position, stop - start);
            cursor.insertText(text, format);
        }
    }
    cursor.endEditBlock();
    target.setUndoRedoEnabled(undo);
}

} // namespace kora
