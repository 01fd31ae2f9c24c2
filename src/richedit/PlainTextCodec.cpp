#include "richedit/PlainTextCodec.h"

#include "text/CodePage.h"

#include <QStringDecoder>
#include <QStringEncoder>
#include <QRegularExpression>

#include <algorithm>
#include <optional>

namespace kora::plaintext {

namespace {

bool isValidUtf8(const QByteArray &bytes, qsizetype from)
{
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString decoded = decoder.decode(QByteArrayView(bytes).sliced(from));
    return !decoder.hasError();
}

// UTF-16 without a byte-order mark, the way common editors tell it: text in the Latin script has
// a NUL byte in many of its code units, nearly all on the same side (odd offsets for little
// endian). Text in one byte per character has no NUL bytes, binary data has them on both sides.
std::optional<Encoding> utf16ByteOrder(const QByteArray &bytes)
{
    if (bytes.size() < 2 || bytes.size() % 2)
        return std::nullopt;
    const qsizetype units = std::min<qsizetype>(bytes.size(), 1 << 16) / 2;
    qsizetype evenNul = 0;
    qsizetype oddNul = 0;
    for (qsizetype i = 0; i < units; ++i) {
        evenNul += bytes[2 * i] == 0;
        oddNul += bytes[2 * i + 1] == 0;
    }
    if (oddNul * 10 >= units && evenNul * 4 < oddNul)
        return Encoding::Utf16Le;
    if (evenNul * 10 >= units && oddNul * 4 < evenNul)
        return Encoding::Utf16Be;
    return std::nullopt;
}

// The text of UTF-16 without a byte-order mark, or nothing when the bytes are none.
std::optional<QString> utf16WithoutMark(const QByteArray &bytes, Encoding *encoding)
{
    const std::optional<Encoding> order = utf16ByteOrder(bytes);
    if (!order)
        return std::nullopt;
    *encoding = *order;
    QStringDecoder decoder(*encoding == Encoding::Utf16Le ? QStringDecoder::Utf16LE : QStringDecoder::Utf16BE);
    QString text = decoder.decode(bytes);
    if (decoder.hasError() || !QStringView(text).isValidUtf16())
        return std::nullopt;
    return text;
}

bool beginsWithMark(const QByteArray &bytes)
{
    return bytes.startsWith("\xEF\xBB\xBF") || bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF");
}

bool beyondAscii(const QByteArray &bytes)
{
    return std::any_of(bytes.begin(), bytes.end(), [](char c) { return uchar(c) >= 0x80; });
}

LineBreak detectLineBreak(const QString &text)
{
    const qsizetype at = text.indexOf(QRegularExpression(QStringLiteral("[\r\n]")));
    if (at < 0)
        return LineBreak::CrLf;
    if (text.at(at) == u'\n')
        return LineBreak::Lf;
    if (at + 1 < text.size() && text.at(at + 1) == u'\n')
        return LineBreak::CrLf;
    return LineBreak::Cr;
}

QString normaliseLineBreaks(const QString &text)
{
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == u'\r') {
            out += u'\n';
            if (i + 1 < text.size() && text.at(i + 1) == u'\n')
                ++i;
        } else if (c == QChar::LineSeparator || c == QChar::ParagraphSeparator) {
            // Saving writes them as line breaks, so they are line breaks from the start.
            out += u'\n';
        } else {
            out += c;
        }
    }
    return out;
}

} // namespace

QString withoutControlCharacters(const QString &text)
{
    qsizetype i = 0;
    for (; i < text.size(); ++i) {
        const char16_t c = text.at(i).unicode();
        if (c < 0x20 && c != '\t' && c != '\n' && c != '\r')
            break;
    }
    if (i == text.size())
        return text;
    QString out = text.left(i);
    for (; i < text.size(); ++i) {
        const char16_t c = text.at(i).unicode();
        if (c >= 0x20 || c == '\t' || c == '\n' || c == '\r')
            out += QChar(c);
    }
    return out;
}

Decoded decode(const QByteArray &bytes)
{
    Decoded result;
    QString text;
    // After the mark, a U+FEFF is text (by default the decoders would take it for a second mark).
    const auto keepFeff = QStringDecoder::Flag::ConvertInitialBom;
    if (bytes.startsWith("\xEF\xBB\xBF")) {
        result.format.encoding = Encoding::Utf8Bom;
        QStringDecoder decoder(QStringDecoder::Utf8, keepFeff);
        text = decoder.decode(QByteArrayView(bytes).sliced(3));
    } else if (bytes.startsWith("\xFF\xFE")) {
        result.format.encoding = Encoding::Utf16LeBom;
        QStringDecoder decoder(QStringDecoder::Utf16LE, keepFeff);
        text = decoder.decode(QByteArrayView(bytes).sliced(2));
    } else if (bytes.startsWith("\xFE\xFF")) {
        result.format.encoding = Encoding::Utf16BeBom;
        QStringDecoder decoder(QStringDecoder::Utf16BE, keepFeff);
        text = decoder.decode(QByteArrayView(bytes).sliced(2));
    } else if (auto utf16 = utf16WithoutMark(bytes, &result.format.encoding)) {
        text = std::move(*utf16);
    } else if (isValidUtf8(bytes, 0)) {
        result.format.encoding = Encoding::Utf8;
        text = QString::fromUtf8(bytes);
    } else {
        result.format.encoding = Encoding::Windows1250;
        codepage::Decoder(codepage::kWindows1250).decodeAppend(bytes.constData(), bytes.size(), text);
    }
    result.format.lineBreak = detectLineBreak(text);
    result.text = withoutControlCharacters(normaliseLineBreaks(text));
    return result;
}

QByteArray encode(const QString &input, const Format &format, Format *written)
{
    Format used = format;
    const char *breakText = format.lineBreak == LineBreak::CrLf ? "\r\n" : format.lineBreak == LineBreak::Lf ? "\n" : "\r";
    QString text = input;
    text.replace(QChar::LineSeparator, u'\n');
    text.replace(QChar::ParagraphSeparator, u'\n');
    text.replace(QStringLiteral("\n"), QString::fromLatin1(breakText));

    QByteArray out;
    if (used.encoding == Encoding::Windows1250) {
        out.reserve(text.size());
        bool lossless = true;
        for (const QChar ch : text) {
            const int b = codepage::toWindows1250(ch.unicode());
            if (b < 0) {
                lossless = false;
                break;
            }
            out.append(char(b));
        }
        // Bytes that begin like a byte-order mark, or are valid UTF-8 beyond ASCII, would read
        // back in that form, as other text.
        if (!lossless || beginsWithMark(out) || (beyondAscii(out) && isValidUtf8(out, 0))) {
            out.clear();
            used.encoding = Encoding::Utf8Bom;
        }
    }
    switch (used.encoding) {
    case Encoding::Utf8: out = text.toUtf8(); break;
    case Encoding::Utf8Bom: out = "\xEF\xBB\xBF" + text.toUtf8(); break;
    case Encoding::Utf16LeBom: {
        QStringEncoder encoder(QStringEncoder::Utf16LE);
        out = "\xFF\xFE" + QByteArray(encoder.encode(text));
        break;
    }
    case Encoding::Utf16BeBom: {
        QStringEncoder encoder(QStringEncoder::Utf16BE);
        out = "\xFE\xFF" + QByteArray(encoder.encode(text));
        break;
    }
    case Encoding::Utf16Le: out = QStringEncoder(QStringEncoder::Utf16LE).encode(text); break;
    case Encoding::Utf16Be: out = QStringEncoder(QStringEncoder::Utf16BE).encode(text); break;
    case Encoding::Windows1250: break;
    }
    // Text that begins with U+FEFF would lose it as a byte-order mark; a mark before it keeps it.
    if (used.encoding == Encoding::Utf8 && beginsWithMark(out)) {
        out.prepend("\xEF\xBB\xBF");
        used.encoding = Encoding::Utf8Bom;
    }
    // UTF-16 that would no longer be told by its NUL bytes, or whose first bytes would pass for a
    // byte-order mark, keeps its order and its first character with a mark.
    if ((used.encoding == Encoding::Utf16Le || used.encoding == Encoding::Utf16Be) &&
        (utf16ByteOrder(out) != used.encoding || beginsWithMark(out))) {
        const bool little = used.encoding == Encoding::Utf16Le;
        out.prepend(little ? "\xFF\xFE" : "\xFE\xFF");
        used.encoding = little ? Encoding::Utf16LeBom : Encoding::Utf16BeBom;
    }
    if (written)
        *written = used;
    return out;
}

} // namespace kora::plaintext
