#include "text/CodePage.h"

#include <QStringDecoder>

#include <mutex>
#include <unordered_map>

namespace kora::codepage {

int forCharset(int charset, int documentCodePage)
{
    switch (charset) {
    case 0: // ANSI: Western, whatever the document's code page
        return kWindows1252;
    case 1: // default: the document's own
        return documentCodePage;
    case 2: // symbol: bytes are glyph numbers; Latin-1 keeps them readable
        return kWindows1252;
    case 77: return 10000;
    case 128: return 932;
    case 129: return 949;
    case 130: return 1361;
    case 134: return 936;
    case 136: return 950;
    case 161: return 1253;
    case 162: return 1254;
    case 163: return 1258;
    case 177: return 1255;
    case 178: return 1256;
    case 186: return 1257;
    case 204: return 1251;
    case 222: return 874;
    case 238: return kWindows1250;
    case 254: return 437;
    case 255: return 850;
    default: return documentCodePage;
    }
}

QString converterName(int codePage)
{
    switch (codePage) {
    case 437: return QStringLiteral("IBM437");
    case 850: return QStringLiteral("IBM850");
    case 852: return QStringLiteral("IBM852");
    case 866: return QStringLiteral("IBM866");
    case 874: return QStringLiteral("windows-874");
    case 932: return QStringLiteral("Shift_JIS");
    case 936: return QStringLiteral("GBK");
    case 949: return QStringLiteral("windows-949");
    case 950: return QStringLiteral("Big5");
    case 1361: return QStringLiteral("johab");
    case 10000: return QStringLiteral("macintosh");
    case 10029: return QStringLiteral("x-mac-centraleurroman");
    case kUtf8: return QStringLiteral("UTF-8");
    default:
        if (codePage >= 1250 && codePage <= 1258)
            return QStringLiteral("windows-%1").arg(codePage);
        return {};
    }
}

bool isDoubleByte(int codePage)
{
    return codePage == 932 || codePage == 936 || codePage == 949 || codePage == 950 || codePage == 1361
           || codePage == kUtf8;
}

bool isSupported(int codePage)
{
    static std::mutex mutex;
    static std::unordered_map<int, bool> known;
    std::lock_guard lock(mutex);
    auto it = known.find(codePage);
    if (it != known.end())
        return it->second;
    const QString name = converterName(codePage);
    bool ok = false;
    if (!name.isEmpty()) {
        QStringDecoder decoder(name.toLatin1().constData());
        ok = decoder.isValid();
    }
    known.emplace(codePage, ok);
    return ok;
}

namespace {

// Each byte through a fresh converter: a converter keeps its error flag once set, which would
// spoil every byte after the first one the code page leaves undefined.
std::array<char16_t, 256> singleByteTable(const char *converterName)
{
    std::array<char16_t, 256> table{};
    for (int b = 0; b < 256; ++b) {
        const char byte = char(b);
        QStringDecoder decoder(converterName);
        const QString s = decoder.decode(QByteArrayView(&byte, 1));
        const bool bad = decoder.hasError() || s.size() != 1;
        table[b] = bad ? (b < 0x80 ? char16_t(b) : u'\uFFFD') : s.at(0).unicode();
    }
    return table;
}

struct Windows1250Tables
{
    std::array<char16_t, 256> decode = singleByteTable("windows-1250");
    std::unordered_map<char16_t, unsigned char> encode;

    Windows1250Tables()
    {
        for (int b = 0x80; b < 256; ++b) {
            if (decode[b] != u'\uFFFD')
                encode.emplace(decode[b], static_cast<unsigned char>(b));
        }
    }
};

const Windows1250Tables &windows1250()
{
    static const Windows1250Tables tables;
    return tables;
}

} // namespace

int toWindows1250(char16_t ch)
{
    if (ch < 0x80)
        return ch;
    const auto &enc = windows1250().encode;
    auto it = enc.find(ch);
    return it == enc.end() ? -1 : it->second;
}

char16_t fromWindows1250(unsigned char byte)
{
    return windows1250().decode[byte];
}

Decoder::Decoder(int codePage)
    : m_codePage(isSupported(codePage) ? codePage : kWindows1252)
    , m_doubleByte(codepage::isDoubleByte(m_codePage))
    , m_name(converterName(m_codePage).toLatin1())
{
    if (!m_doubleByte)
        m_table = singleByteTable(m_name.constData());
}

Decoder::~Decoder() = default;

void Decoder::decodeAppend(const char *bytes, qsizetype length, QString &out) const
{
    if (length <= 0)
        return;
    if (!m_doubleByte) {
        const qsizetype start = out.size();
        out.resize(start + length);
        QChar *dst = out.data() + start;
        for (qsizetype i = 0; i < length; ++i)
            dst[i] = QChar(m_table[static_cast<unsigned char>(bytes[i])]);
        return;
    }
    QStringDecoder decoder(m_name.constData(), QStringDecoder::Flag::Stateless);
    out += decoder.decode(QByteArrayView(bytes, length));
}

} // namespace kora::codepage
