#include "richedit/EmbeddedFile.h"

#include "text/CodePage.h"

#include <QRegularExpression>
#include <QStringDecoder>
#include <QtEndian>

namespace kora::ole {

namespace {

constexpr quint32 kOleVersion = 0x00000501;
constexpr quint32 kLinkedFormat = 1;
constexpr quint32 kEmbeddedFormat = 2;
constexpr quint16 kPackageSignature = 2;
constexpr quint16 kEmbeddedFileType = 3;

void putU16(QByteArray &out, quint16 value)
{
    char bytes[2];
    qToLittleEndian(value, bytes);
    out.append(bytes, 2);
}

void putU32(QByteArray &out, quint32 value)
{
    char bytes[4];
    qToLittleEndian(value, bytes);
    out.append(bytes, 4);
}

// ANSI text in Windows-1250; a name that code page cannot hold is written as UTF-8, which is
// what this program reads back first.
QByteArray ansi(const QString &text)
{
    QByteArray bytes;
    for (const QChar ch : text) {
        const int b = codepage::toWindows1250(ch.unicode());
        if (b < 0 || b == 0)
            return text.toUtf8().replace('\0', '_');
        bytes.append(char(b));
    }
    return bytes;
}

QString fromAnsi(QByteArrayView bytes)
{
    QStringDecoder utf8(QStringConverter::Utf8);
    QString text = utf8.decode(bytes);
    if (!utf8.hasError())
        return text;
    text.clear();
    codepage::Decoder(codepage::kWindows1250).decodeAppend(bytes.data(), bytes.size(), text);
    return text;
}

void putLengthPrefixed(QByteArray &out, const QByteArray &text)
{
    if (text.isEmpty()) {
        putU32(out, 0);
        return;
    }
    putU32(out, quint32(text.size() + 1));
    out.append(text).append('\0');
}

void putUnicode(QByteArray &out, const QString &text)
{
    putU32(out, quint32(text.size()));
    for (const QChar ch : text)
        putU16(out, ch.unicode());
}

// Reads little-endian fields and strings, refusing to run past the end.
class Reader
{
public:
    explicit Reader(QByteArrayView data)
        : m_data(data)
    {
    }

    bool ok() const { return m_ok; }
    qsizetype remaining() const { return m_data.size() - m_at; }

    quint32 u32() { return number<quint32>(); }
    quint16 u16() { return number<quint16>(); }

    QByteArrayView bytes(qsizetype count)
    {
        if (count < 0 || count > remaining()) {
            m_ok = false;
            return {};
        }
        const QByteArrayView view = m_data.sliced(m_at, count);
        m_at += count;
        return view;
    }

    QByteArrayView zeroTerminated()
    {
        const qsizetype end = m_data.indexOf('\0', m_at);
        if (end < 0) {
            m_ok = false;
            return {};
        }
        const QByteArrayView view = m_data.sliced(m_at, end - m_at);
        m_at = end + 1;
        return view;
    }

    QByteArrayView lengthPrefixed()
    {
        const quint32 length = u32();
        if (length == 0)
            return {};
        QByteArrayView text = bytes(qsizetype(length));
        if (!text.isEmpty() && text.back() == '\0')
            text.chop(1);
        return text;
    }

    QString unicode()
    {
        const quint32 length = u32();
        const QByteArrayView raw = bytes(qsizetype(std::min<quint64>(length * 2ull, quint64(remaining()) + 1)));
        QString text;
        for (qsizetype i = 0; i + 1 < raw.size(); i += 2)
            text += QChar(qFromLittleEndian<quint16>(raw.data() + i));
        return text;
    }

private:
    template <typename T> T number()
    {
        const QByteArrayView raw = bytes(sizeof(T));
        return m_ok ? qFromLittleEndian<T>(raw.data()) : T(0);
    }

    QByteArrayView m_data;
    qsizetype m_at = 0;
    bool m_ok = true;
};

} // namespace

QByteArray encodePackage(const EmbeddedFile &file)
{
    QByteArray out;
    putU32(out, kOleVersion);
    putU32(out, file.linked ? kLinkedFormat : kEmbeddedFormat);
    putLengthPrefixed(out, kPackageClass);
    if (file.linked) {
        putLengthPrefixed(out, ansi(file.path));
        putLengthPrefixed(out, {});
        putLengthPrefixed(out, {}); // network name
        putU32(out, 0);             // reserved
        putU32(out, 1);             // update the link always
    } else {
        putLengthPrefixed(out, {});
        putLengthPrefixed(out, {});
        QByteArray native;
        putU16(native, kPackageSignature);
        native.append(ansi(file.label)).append('\0');
        native.append(ansi(file.path)).append('\0');
        putU16(native, 0);
        putU16(native, kEmbeddedFileType);
        const QByteArray temporary = ansi(file.path);
        putU32(native, quint32(temporary.size() + 1));
        native.append(temporary).append('\0');
        putU32(native, quint32(file.data.size()));
        native.append(file.data);
        // The names again in UTF-16, so that no character of them is lost.
        putUnicode(native, file.path);
        putUnicode(native, file.label);
        putUnicode(native, file.path);
        putU32(out, quint32(native.size()));
        out.append(native);
    }
    // No presentation: the document shows its own picture of the object.
    putU32(out, kOleVersion);
    putU32(out, 0);
    return out;
}

std::optional<EmbeddedFile> decodePackage(QByteArrayView objectData)
{
    Reader in(objectData);
    in.u32();
    const quint32 format = in.u32();
    const QByteArrayView className = in.lengthPrefixed();
    const QByteArrayView topic = in.lengthPrefixed();
    in.lengthPrefixed();
    if (!in.ok() || className != QByteArrayView(kPackageClass))
        return std::nullopt;

    EmbeddedFile file;
    if (format == kLinkedFormat) {
        file.linked = true;
        file.path = fromAnsi(topic);
        const qsizetype slash = file.path.lastIndexOf(QRegularExpression(QStringLiteral("[/\\\\]")));
        file.label = file.path.mid(slash + 1);
        return file.path.isEmpty() ? std::nullopt : std::optional(file);
    }
    if (format != kEmbeddedFormat)
        return std::nullopt;
    const quint32 nativeSize = in.u32();
    Reader native(in.bytes(qsizetype(nativeSize)));
    if (!in.ok())
        return std::nullopt;
    native.u16();
    file.label = fromAnsi(native.zeroTerminated());
    file.path = fromAnsi(native.zeroTerminated());
    native.u32();
    native.u32();
    native.zeroTerminated();
    const quint32 dataSize = native.u32();
    file.data = native.bytes(qsizetype(dataSize)).toByteArray();
    if (!native.ok())
        return std::nullopt;
    if (native.remaining() >= 4) {
        native.unicode();
        const QString label = native.unicode();
        const QString path = native.unicode();
        if (native.ok() && !label.isEmpty()) {
            file.label = label;
            file.path = path;
        }
    }
    return file;
}

} // namespace kora::ole
