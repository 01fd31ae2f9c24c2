#include "richedit/DocumentSink.h"

#include "richedit/DocumentProperties.h"
#include "richedit/FormatMapping.h"
#include "richedit/Pictures.h"

#include <QTextBlock>
#include <QTextDocument>
#include <QTextImageFormat>
#include <QUrl>

namespace kora {

DocumentSink::DocumentSink(const QTextCursor &cursor)
    : m_cursor(cursor)
{
}

std::size_t DocumentSink::RunFormatHash::operator()(const rtf::RunFormat &f) const
{
    return qHashMulti(0, f.face, f.halfPoints, f.bold, f.italic, f.underline, f.strike, f.vertical, f.hasColor, f.color,
                      f.hasBackground, f.background);
}

const QTextCharFormat &DocumentSink::charFormat(const rtf::RunFormat &format)
{
    // A document returns to the same few formats again and again; building each once spares most
    // of the work of turning runs into character formats.
    if (const auto it = m_formats.find(format); it != m_formats.end())
        return it->second;
    if (m_formats.size() >= kMaxKeptFormats)
        m_formats.clear();
    return m_formats.emplace(format, charFormatFor(format)).first->second;
}

void DocumentSink::text(QStringView text, const rtf::RunFormat &format)
{
    // Outside an edit block the cursor lays out the whole paragraph after every insertion to find
    // its x position, which makes a paragraph of many runs cost time quadratic in its length.
    m_cursor.beginEditBlock();
    m_cursor.insertText(text.toString(), charFormat(format));
    m_cursor.endEditBlock();
}

void DocumentSink::applyParagraph(const rtf::ParagraphProperties &format)
{
    if (!m_haveBlockFormat || !(format == m_lastPara)) {
        m_lastPara = format;
        m_lastBlockFormat = blockFormatFor(format);
        m_haveBlockFormat = true;
    }
    m_cursor.setBlockFormat(m_lastBlockFormat);
    if (format.numbered)
        setNumbered(format);
    else
        setBlockBullet(m_cursor, format.bullet);
}

void DocumentSink::setNumbered(const rtf::ParagraphProperties &format)
{
    QPointer<QTextList> &list = m_numberedLists[format.list];
    const QTextBlock block = m_cursor.block();
    if (list && block.textList() == list)
        return;
    if (block.textList())
        setBlockBullet(m_cursor, false);
    if (list)
        list->add(block);
    else
        list = m_cursor.createList(numberedListFormat(format.level));
}

void DocumentSink::paragraphBreak(const rtf::ParagraphProperties &format)
{
    applyParagraph(format);
    m_cursor.insertBlock(m_lastBlockFormat);
}

void DocumentSink::picture(const rtf::Picture &picture, const rtf::RunFormat &format)
{
    QImage image = pictures::decode(picture);
    const bool decoded = !image.isNull();
    const QSizeF size = pictures::displaySize(picture, image);
    if (!decoded)
        image = pictures::placeholder(size.toSize(), QStringLiteral("Obrázek"));

    QTextDocument *document = m_cursor.document();
    const int number = document->property("koraPictureCount").toInt() + 1;
    document->setProperty("koraPictureCount", number);
    const QString name = QStringLiteral("kora-picture:%1").arg(number);
    document->addResource(QTextDocument::ImageResource, QUrl(name), image);

    QTextImageFormat f;
    f.merge(charFormat(format));
    f.setObjectType(QTextFormat::ImageObject);
    f.setName(name);
    f.setWidth(size.width());
    f.setHeight(size.height());
    f.setProperty(PropPictureKind, int(picture.kind));
    f.setProperty(PropPictureData, picture.data);
    f.setProperty(PropPictureWidth, picture.width);
    f.setProperty(PropPictureHeight, picture.height);
    f.setProperty(PropPictureMetafileMode, picture.metafileMode);
    f.setProperty(PropPictureBitsPerPixel, picture.bitsPerPixel);
    f.setProperty(PropPictureWidthBytes, picture.widthBytes);
    if (picture.isObject) {
        f.setProperty(PropObjectData, picture.objectData);
        f.setProperty(PropObjectLinked, picture.objectLinked);
    }
    m_cursor.insertImage(f);
}

void DocumentSink::finish(const rtf::ParagraphProperties &format)
{
    applyParagraph(format);
}

} // namespace kora
