#include "text/TextStatistics.h"

#include "text/CodePage.h"

#include <array>
#include <bitset>

namespace kora {

namespace {

// One bit per UTF-16 unit, so the counting loop needs a single lookup per character.
class WordCharacters
{
public:
    WordCharacters()
    {
        std::array<bool, 256> byteIsWord{};
        for (int b = 33; b < 256; ++b)
            byteIsWord[b] = QChar(codepage::fromWindows1250(static_cast<unsigned char>(b))).isLetterOrNumber();
        byteIsWord['-'] = true;
        byteIsWord['_'] = true;
        for (int b = 33; b < 256; ++b) {
            const char16_t ch = codepage::fromWindows1250(static_cast<unsigned char>(b));
            // Only the byte a character encodes to decides, as for any character of the text.
            if (byteIsWord[b] && codepage::toWindows1250(ch) == b)
                m_bits.set(ch);
        }
    }

    bool contains(char16_t ch) const { return m_bits[ch]; }

private:
    std::bitset<0x10000> m_bits;
};

const WordCharacters &wordCharacters()
{
    static const WordCharacters table;
    return table;
}

} // namespace

bool isWordCharacter(QChar ch)
{
    return wordCharacters().contains(ch.unicode());
}

TextStatistics countStatistics(QStringView crlfText, qint64 lineCount)
{
    const WordCharacters &table = wordCharacters();
    qint64 spaces = 0;
    qint64 words = 0;
    bool previousIsWord = false;
    for (const QChar qc : crlfText) {
        const char16_t ch = qc.unicode();
        const bool isWord = table.contains(ch);
        spaces += (ch == u' ') | (ch == u'\t');
        words += isWord & !previousIsWord;
        previousIsWord = isWord;
    }
    return {crlfText.size(), lineCount, spaces, words};
}

} // namespace kora
