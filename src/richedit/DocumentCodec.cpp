#include "richedit/DocumentCodec.h"

#include "richedit/DocumentSink.h"
#include "richedit/FormatMapping.h"
#include "richedit/RtfReader.h"
#include "richedit/RtfWriter.h"
#include "text/SafeSave.h"

#include <QFileInfo>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

namespace kora::documentcodec {

DocumentKind kindForPath(const QString &path)
{
    return QFileInfo(path).suffix().compare(QLatin1String("txt"), Qt::CaseInsensitive) == 0 ? DocumentKind::PlainText
                                                                                           : DocumentKind::Rtf;
}

DocumentKind saveKindForPath(const QString &path, const LoadInfo &loaded)
{
    const QString suffix = QFileInfo(path).suffix();
    if (suffix.compare(QLatin1String("txt"), Qt::CaseInsensitive) == 0)
        return DocumentKind::PlainText;
    if (suffix.compare(QLatin1String("rtf"), Qt::CaseInsensitive) == 0
        || suffix.compare(QLatin1String("kora"), Qt::CaseInsensitive) == 0) {
        return DocumentKind::Rtf;
    }
    return loaded.fellBack && loaded.readAs == DocumentKind::PlainText ? DocumentKind::PlainText : DocumentKind::Rtf;
}

namespace {

bool loadRtf(const QByteArray &bytes, QTextDocument &document, LoadInfo *info)
{
    if (!rtf::looksLikeRtf(bytes))
        return false;
    document.clear();
    QTextCursor cursor(&document);
    DocumentSink sink(cursor);
    cursor.beginEditBlock();
    const rtf::ReadResult result = rtf::read(bytes, sink);
    cursor.endEditBlock();
    if (info)
        info->report = result.report;
    return result.ok();
}

void loadPlain(const QByteArray &bytes, QTextDocument &document, LoadInfo *info)
{
    plaintext::Decoded decoded = plaintext::decode(bytes);
    document.setPlainText(decoded.text);
    if (info)
        info->textFormat = decoded.format;
}

} // namespace

LoadInfo loadBytes(const QByteArray &bytes, DocumentKind kind, QTextDocument &document)
{
    LoadInfo result;
    const bool undo = document.isUndoRedoEnabled();
    document.setUndoRedoEnabled(false);
    if (kind == DocumentKind::Rtf) {
        if (loadRtf(bytes, document, &result)) {
            result.readAs = DocumentKind::Rtf;
        } else {
            loadPlain(bytes, document, &result);
            result.readAs = DocumentKind::PlainText;
            result.fellBack = true;
        }
    } else {
        // Plain text accepts any bytes, so the fall-back to RTF is never needed.
        loadPlain(bytes, document, &result);
        result.readAs = DocumentKind::PlainText;
    }
    document.setUndoRedoEnabled(undo);
    return result;
}

bool loadFile(const QString &path, QTextDocument &document, LoadInfo *info, QString *error)
{
    QByteArray bytes;
    if (!readWholeFile(path, &bytes, error))
        return false;
    LoadInfo loaded = loadBytes(bytes, kindForPath(path), document);
    loaded.file = FileStamp::of(path, bytes);
    if (info)
        *info = std::move(loaded);
    return true;
}

QString plainText(const QTextDocument &document, int from, int to)
{
    QTextCursor cursor(const_cast<QTextDocument *>(&document));
    const int end = document.characterCount() - 1;
    cursor.setPosition(std::clamp(from, 0, end));
    cursor.setPosition(to < 0 ? end : std::clamp(to, 0, end), QTextCursor::KeepAnchor);
    QString text = cursor.selectedText();
    for (QChar &ch : text) {
        if (ch == QChar::ParagraphSeparator || ch == QChar::LineSeparator)
            ch = u'\n';
    }
    text.remove(QChar::ObjectReplacementCharacter);
    return text;
}

QString exportText(const QTextDocument &document, int from, int to)
{
    const int end = document.characterCount() - 1;
    from = std::clamp(from, 0, end);
    to = to < 0 ? end : std::clamp(to, from, end);
    QTextBlock first = document.findBlock(from);
    bool numbered = false;
    for (QTextBlock b = first; b.isValid() && b.position() <= to && !numbered; b = b.next())
        numbered = b.textList() && !isBulletList(b.textList());
    if (!numbered)
        return plainText(document, from, to);
    QString text;
    for (QTextBlock b = first; b.isValid() && b.position() <= to; b = b.next()) {
        const int blockEnd = b.position() + b.length() - 1;
        if (b.position() >= from)
            text += listLabel(b);
        text += plainText(document, std::max(from, b.position()), std::min(to, blockEnd));
        if (blockEnd < to)
            text += u'\n';
    }
    return text;
}

QByteArray encode(const QTextDocument &document, DocumentKind kind, const plaintext::Format &textFormat, int from,
                  int to, plaintext::Format *written)
{
    if (kind == DocumentKind::Rtf) {
        if (written)
            *written = textFormat;
        return rtf::write(document, from, to);
    }
    return plaintext::encode(exportText(document, from, to), textFormat, written);
}

namespace {

const std::pair<plaintext::Encoding, const char *> kEncodingNames[] = {
    {plaintext::Encoding::Utf8, "utf-8"},
    {plaintext::Encoding::Utf8Bom, "utf-8-bom"},
    {plaintext::Encoding::Utf16LeBom, "utf-16le-bom"},
    {plaintext::Encoding::Utf16BeBom, "utf-16be-bom"},
    {plaintext::Encoding::Utf16Le, "utf-16le"},
    {plaintext::Encoding::Utf16Be, "utf-16be"},
    {plaintext::Encoding::Windows1250, "windows-1250"},
};

const std::pair<plaintext::LineBreak, const char *> kLineBreakNames[] = {
    {plaintext::LineBreak::CrLf, "crlf"},
    {plaintext::LineBreak::Lf, "lf"},
    {plaintext::LineBreak::Cr, "cr"},
};

} // namespace

QString formatName(const LoadInfo &info)
{
    QString name = info.readAs == DocumentKind::Rtf ? QStringLiteral("rtf")
                   : info.fellBack                  ? QStringLiteral("fallback-text")
                                                    : QStringLiteral("text");
    for (const auto &[encoding, text] : kEncodingNames) {
        if (encoding == info.textFormat.encoding)
            name += u':' + QLatin1String(text);
    }
    for (const auto &[lineBreak, text] : kLineBreakNames) {
        if (lineBreak == info.textFormat.lineBreak)
            name += u':' + QLatin1String(text);
    }
    return name;
}

std::optional<LoadInfo> formatFromName(const QString &name)
{
    const QStringList parts = name.split(u':');
    if (parts.size() != 3)
        return std::nullopt;
    LoadInfo info;
    if (parts[0] == QLatin1String("rtf")) {
        info.readAs = DocumentKind::Rtf;
    } else if (parts[0] == QLatin1String("text") || parts[0] == QLatin1String("fallback-text")) {
        info.readAs = DocumentKind::PlainText;
        info.fellBack = parts[0] != QLatin1String("text");
    } else {
        return std::nullopt;
    }
    bool known = false;
    for (const auto &[encoding, text] : kEncodingNames) {
        if (parts[1] == QLatin1String(text)) {
            info.textFormat.encoding = encoding;
            known = true;
        }
    }
    if (!known)
        return std::nullopt;
    known = false;
    for (const auto &[lineBreak, text] : kLineBreakNames) {
        if (parts[2] == QLatin1String(text)) {
            info.textFormat.lineBreak = lineBreak;
            known = true;
        }
    }
    return known ? std::optional<LoadInfo>(info) : std::nullopt;
}

bool saveFile(const QString &path, const QByteArray &bytes, QString *error)
{
    return saveFileSafely(path, bytes, kSaveFailed, error);
}

} // namespace kora::documentcodec
