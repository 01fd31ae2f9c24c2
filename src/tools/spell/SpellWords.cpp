#include "tools/spell/SpellWords.h"

#include "text/CodePage.h"

#include <algorithm>
#include <array>

namespace kora::spell {

namespace {

// For every UTF-16 unit: its Windows-1250 byte in lower case when it is a letter there, else 0.
class LetterTable
{
public:
    LetterTable()
    {
        for (int b = 1; b < 256; ++b) {
            const QChar ch(codepage::fromWindows1250(static_cast<unsigned char>(b)));
            if (!ch.isLetter() || ch.category() == QChar::Letter_Modifier || codepage::toWindows1250(ch.unicode()) != b)
                continue;
            const int lower = codepage::toWindows1250(ch.toLower().unicode());
            m_lower[ch.unicode()] = static_cast<unsigned char>(lower > 0 ? lower : b);
        }
    }

    unsigned char operator[](QChar ch) const { return m_lower[ch.unicode()]; }

private:
    std::array<unsigned char, 0x10000> m_lower{};
};

const LetterTable &letters()
{
    static const LetterTable table;
    return table;
}

} // namespace

bool isLetter(QChar ch)
{
    return letters()[ch] != 0;
}

std::optional<QByteArray> lowerWindows1250(QStringView text)
{
    const LetterTable &table = letters();
    QByteArray bytes;
    bytes.reserve(text.size());
    for (const QChar ch : text) {
        if (const unsigned char lower = table[ch]) {
            bytes.append(char(lower));
            continue;
        }
        const int b = codepage::toWindows1250(ch.unicode());
        if (b < 0)
            return std::nullopt;
        bytes.append(char(b));
    }
    return bytes;
}

QString fromWindows1250(QByteArrayView bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < bytes.size(); ++i)
        text[i] = QChar(codepage::fromWindows1250(static_cast<unsigned char>(bytes[i])));
    return text;
}

std::optional<WordSpan> nextWord(QStringView text, qsizetype from)
{
    const LetterTable &table = letters();
    qsizetype start = std::max<qsizetype>(from, 0);
    while (start < text.size() && !table[text[start]])
        ++start;
    if (start >= text.size())
        return std::nullopt;
    qsizetype end = start + 1;
    while (end < text.size() && table[text[end]])
        ++end;
    return WordSpan{start, end - start};
}

} // namespace kora::spell
