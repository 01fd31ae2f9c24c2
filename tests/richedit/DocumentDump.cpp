#include "DocumentDump.h"

#include "richedit/DocumentProperties.h"
#include "richedit/DocumentSink.h"
#include "richedit/FormatMapping.h"
#include "richedit/RtfReader.h"

#include <QFile>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextList>

namespace kora::test {

std::unique_ptr<QTextDocument> readRtf(const QByteArray &rtf, rtf::ReadReport *report, bool *ok)
{
    auto document = std::make_unique<QTextDocument>();
    QFont font(QStringLiteral("Times New Roman"));
    font.setPointSize(12);
    document->setDefaultFont(font);
    QTextCursor cursor(document.get());
    DocumentSink sink(cursor);
    const rtf::ReadResult result = rtf::read(rtf, sink);
    if (report)
        *report = result.report;
    if (ok)
        *ok = result.ok();
    return document;
}

namespace {

QString colorText(const QBrush &brush, bool has)
{
    if (!has || brush.style() == Qt::NoBrush)
        return QStringLiteral("auto");
    return brush.color().name();
}

QString runText(const QTextCharFormat &f)
{
    QStringList parts;
    const QStringList families = f.property(QTextFormat::FontFamilies).toStringList();
    parts << QStringLiteral("face=%1").arg(families.isEmpty() ? QStringLiteral("-") : families.first());
    parts << QStringLiteral("half=%1").arg(f.hasProperty(QTextFormat::FontPointSize) ? int(f.fontPointSize() * 2) : 0);
    QString style;
    if (f.fontWeight() >= QFont::DemiBold)
        style += u'b';
    if (f.fontItalic())
        style += u'i';
    if (f.fontUnderline())
        style += u'u';
    if (f.fontStrikeOut())
        style += u's';
    if (!style.isEmpty())
        parts << style;
    if (f.verticalAlignment() == QTextCharFormat::AlignSubScript)
        parts << QStringLiteral("sub");
    if (f.verticalAlignment() == QTextCharFormat::AlignSuperScript)
        parts << QStringLiteral("super");
    parts << QStringLiteral("fg=%1").arg(colorText(f.foreground(), f.hasProperty(QTextFormat::ForegroundBrush)));
    parts << QStringLiteral("bg=%1").arg(colorText(f.background(), f.hasProperty(QTextFormat::BackgroundBrush)));
    if (f.isImageFormat())
        parts << QStringLiteral("image");
    return parts.join(u' ');
}

QString listText(const QTextBlock &block)
{
    const QTextList *list = block.textList();
    if (!list)
        return {};
    if (isBulletList(list))
        return QStringLiteral(" bullet");
    return QStringLiteral(" number=%1 level=%2")
        .arg(list->itemNumber(block) + 1)
        .arg(list->format().intProperty(PropListLevel));
}

} // namespace

QString dump(const QTextDocument &document)
{
    QStringList lines;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        const QTextBlockFormat f = block.blockFormat();
        const ParagraphTwips t = paragraphTwips(f);
        lines << QStringLiteral("P align=%1 li=%2 fi=%3 ri=%4%5")
                     .arg(alignmentCode(f.alignment()))
                     .arg(t.left)
                     .arg(t.firstLine)
                     .arg(t.right)
                     .arg(listText(block));
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            QString text = fragment.text();
            text.replace(QChar::LineSeparator, QStringLiteral("<line>"));
            text.replace(QChar::ObjectReplacementCharacter, QStringLiteral("<obj>"));
            lines << QStringLiteral("  \"%1\" %2").arg(text, runText(fragment.charFormat()));
        }
    }
    return lines.join(u'\n');
}

QString plainText(const QTextDocument &document)
{
    QStringList paragraphs;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
        paragraphs << block.text();
    return paragraphs.join(u'\n');
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

} // namespace kora::test
