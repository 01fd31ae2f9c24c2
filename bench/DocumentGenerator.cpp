#include "DocumentGenerator.h"

#include "text/CodePage.h"

#include <QString>

#include <array>

namespace kora::bench {

namespace {

// splitmix64: small, fast and the same on every platform, unlike the standard distributions.
class Random
{
public:
    explicit Random(uint64_t seed)
        : m_state(seed)
    {
    }
    uint64_t next()
    {
        uint64_t z = (m_state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    int below(int n) { return int(next() % uint64_t(n)); }
    bool chance(int percent) { return below(100) < percent; }

private:
    uint64_t m_state;
};

constexpr std::array kWords{
    u"příliš", u"žluťoučký", u"kůň", u"úpěl", u"ďábelské", u"ódy", u"smlouva", u"o", u"dílo", u"objednatel",
    u"zhotovitel", u"se", u"zavazuje", u"dodat", u"předmět", u"v", u"termínu", u"článek", u"čtvrtý", u"odstavec",
    u"na", u"základě", u"této", u"nabídky", u"Česká", u"republika", u"Brno", u"Ostrava", u"řeka", u"Vltava",
    u"šestnáct", u"tisíc", u"korun", u"českých", u"je", u"a", u"že", u"který", u"bude", u"mít",
    u"dokument", u"písmo", u"tučné", u"kurzíva", u"podtržení", u"odrážka", u"zarovnání", u"číslo", u"2024",
    u"úřad", u"ministerstvo", u"zdravotnictví", u"Plzeň", u"Jihlava", u"Hradec", u"Králové", u"účetnictví",
};

constexpr std::array kPunctuation{u"", u"", u"", u"", u"", u",", u",", u".", u";", u":"};

QByteArray rtfWord(QStringView word)
{
    static const char hex[] = "0123456789abcdef";
    QByteArray out;
    for (const QChar ch : word) {
        const int b = codepage::toWindows1250(ch.unicode());
        if (b < 0x80) {
            out.append(char(b));
        } else {
            out.append("\\'");
            out.append(hex[b >> 4]);
            out.append(hex[b & 15]);
        }
    }
    return out;
}

// Word lists in their encoded forms, made once.
struct EncodedWords
{
    std::array<QByteArray, kWords.size()> rtf;
    std::array<QByteArray, kWords.size()> utf8;
    std::array<QByteArray, kPunctuation.size()> punctuation;
    EncodedWords()
    {
        for (size_t i = 0; i < kWords.size(); ++i) {
            rtf[i] = rtfWord(kWords[i]);
            utf8[i] = QStringView(kWords[i]).toUtf8();
        }
        for (size_t i = 0; i < kPunctuation.size(); ++i)
            punctuation[i] = QStringView(kPunctuation[i]).toLatin1();
    }
};

const EncodedWords &encodedWords()
{
    static const EncodedWords words;
    return words;
}

constexpr int kFonts = 4; // \f0..\f3 are text fonts, \f4 is the bullet font
constexpr int kColors = 6;
constexpr std::array kHalfPoints{20, 22, 24, 24, 24, 28, 32};

const char kRtfHeader[] = "{\\rtf1\\ansi\\ansicpg1250\\deff0\\deflang1029{\\fonttbl"
                          "{\\f0\\froman\\fcharset238 Times New Roman;}"
                          "{\\f1\\fswiss\\fcharset238 Arial;}"
                          "{\\f2\\fmodern\\fcharset238 Courier New;}"
                          "{\\f3\\fswiss\\fcharset238 Verdana;}"
                          "{\\f4\\ftech\\fcharset2 Symbol;}}\r\n"
                          "{\\colortbl ;\\red0\\green0\\blue0;\\red192\\green0\\blue0;\\red0\\green128\\blue0;"
                          "\\red0\\green0\\blue192;\\red128\\green0\\blue128;\\red96\\green96\\blue96;}\r\n"
                          "\\viewkind4\\uc1\r\n";

struct RunState
{
    bool bold = false;
    bool italic = false;
    bool underline = false;
    int font = 0;
    int color = 0;
    int halfPoints = 24;
};

void formatChange(Random &random, RunState &s, QByteArray &out)
{
    switch (random.below(6)) {
    case 0:
        s.bold = !s.bold;
        out.append(s.bold ? "\\b " : "\\b0 ");
        break;
    case 1:
        s.italic = !s.italic;
        out.append(s.italic ? "\\i " : "\\i0 ");
        break;
    case 2:
        s.underline = !s.underline;
        out.append(s.underline ? "\\ul " : "\\ulnone ");
        break;
    case 3:
        s.font = random.below(kFonts);
        out.append("\\f").append(QByteArray::number(s.font)).append(' ');
        break;
    case 4:
        s.color = random.below(kColors + 1);
        out.append("\\cf").append(QByteArray::number(s.color)).append(' ');
        break;
    default:
        s.halfPoints = kHalfPoints[size_t(random.below(int(kHalfPoints.size())))];
        out.append("\\fs").append(QByteArray::number(s.halfPoints)).append(' ');
        break;
    }
}

void paragraphStart(Random &random, const RunState &s, QByteArray &out)
{
    out.append("\\pard");
    static const char *const kAlign[] = {"", "", "\\qj", "\\qc", "\\qr"};
    out.append(kAlign[random.below(5)]);
    if (random.chance(15)) {
        out.append("{\\pntext\\f4\\'b7\\tab}{\\*\\pn\\pnlvlblt\\pnf4\\pnindent0{\\pntxtb\\'b7}}\\fi-360\\li720");
    } else if (random.chance(20)) {
        out.append("\\li").append(QByteArray::number(360 * (1 + random.below(4))));
        out.append("\\fi").append(QByteArray::number(random.chance(50) ? 360 : 0));
    }
    // The character state carries over from the last paragraph, as it does in RTF.
    out.append("\\f").append(QByteArray::number(s.font));
    out.append("\\fs").append(QByteArray::number(s.halfPoints)).append(' ');
}

} // namespace

QByteArray generateRtf(qsizetype bytes, uint64_t seed)
{
    const EncodedWords &words = encodedWords();
    Random random(seed);
    RunState state;
    QByteArray out;
    out.reserve(bytes + 256);
    out.append(kRtfHeader);
    const QByteArray end = "}\r\n";
    // Room for the longest word, its punctuation, a format change and the end.
    const qsizetype limit = bytes - end.size() - 80;
    while (out.size() < limit) {
        paragraphStart(random, state, out);
        const int paragraphWords = 10 + random.below(120);
        int untilChange = 2 + random.below(4);
        for (int w = 0; w < paragraphWords && out.size() < limit; ++w) {
            if (--untilChange == 0) {
                formatChange(random, state, out);
                untilChange = 2 + random.below(4);
            }
            out.append(words.rtf[size_t(random.below(int(kWords.size())))]);
            out.append(words.punctuation[size_t(random.below(int(kPunctuation.size())))]);
            out.append(' ');
            // Writers break long lines; the line ends carry no meaning in RTF.
            if (random.chance(8))
                out.append("\r\n");
        }
        out.append("\\par\r\n");
    }
    out.append(end);
    return out;
}

QByteArray generatePlainText(qsizetype bytes, uint64_t seed)
{
    const EncodedWords &words = encodedWords();
    Random random(seed);
    QByteArray out;
    out.reserve(bytes + 64);
    const qsizetype limit = bytes - 40;
    while (out.size() < limit) {
        const int paragraphWords = 10 + random.below(120);
        for (int w = 0; w < paragraphWords && out.size() < limit; ++w) {
            if (w > 0)
                out.append(' ');
            out.append(words.utf8[size_t(random.below(int(kWords.size())))]);
            out.append(words.punctuation[size_t(random.below(int(kPunctuation.size())))]);
        }
        out.append("\r\n");
    }
    return out;
}

} // namespace kora::bench
