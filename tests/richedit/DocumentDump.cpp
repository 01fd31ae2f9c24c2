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

// A run's format; `unnamed` gives the face and size of a run that names none ("-" and 0 without it).
QString runText(const QTextCharFormat &f, const QFont *unnamed)
{
    QStringList parts;
    const QStringList families = f.property(QTextFormat::FontFamilies).toStringList();
    parts << QStringLiteral("face=%1").arg(families.isEmpty() ? (unnamed ? unnamed->family() : QStringLiteral("-"))
                                                                    : families.first());
    const double points = f.hasProperty(QTextFormat::FontPointSize) ? f.fontPointSize()
                          : unnamed                                 ? unnamed->pointSizeF()
                                                                    : 0;
    parts << QStringLiteral("half=%1").arg(int(points * 2));
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

QString dumpRuns(const QTextDocument &document, bool asSeen)
{
    const QFont defaultFont = document.defaultFont();
    const QFont *unnamed = asSeen ? &defaultFont : nullptr;
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
        QString runFormat;
        QString runTextSoFar;
        const auto endRun = [&] {
            if (!runFormat.isEmpty())
                lines << QStringLiteral("  \"%1\" %2").arg(runTextSoFar, runFormat);
            runFormat.clear();
            runTextSoFar.clear();
        };
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            QString text = fragment.text();
            text.replace(QChar::LineSeparator, QStringLiteral("<line>"));
            text.replace(QChar::ObjectReplacementCharacter, QStringLiteral("<obj>"));
            const QString format = runText(fragment.charFormat(), unnamed);
            if (!asSeen || format != runFormat)
                endRun();
            runFormat = format;
            runTextSoFar += text;
        }
        endRun();
    }
    return lines.join(u'\n');
}

} // namespace

QString dump(const QTextDocument &document)
{
    return dumpRuns(document, false);
}

QString seenDump(const QTextDocument &document)
{
    return dumpRuns(document, true);
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
