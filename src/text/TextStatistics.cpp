#include "text/TextStatistics.h"

#include "text/CodePage.h"

#include <array>

namespace kora {

namespace {

// Flags for every UTF-16 unit, so the counting loop needs a single lookup per character.
class CharacterClasses
{
public:
    static constexpr unsigned char kWord = 1;
    static constexpr unsigned char kSpace = 2;

    CharacterClasses()
    {
        std::array<bool, 256> byteIsWord{};
        for (int b = 33; b < 256; ++b)
            byteIsWord[b] = QChar(codepage::fromWindows1250(static_cast<unsigned char>(b))).isLetterOrNumber();
        byteIsWord['-'] = true;
        byteIsWord['_'] = true;
        for (int b = 33; b < 256; ++b) {
            const char16_t ch = codepage::fromWindows1250(static_cast<unsigned char>(b));
            // A character is classified by the byte it encodes to, not by every byte decoding to it.
            if (byteIsWord[b] && codepage::toWindows1250(ch) == b)
                m_flags[ch] = kWord;
        }
        m_flags[u' '] = kSpace;
        m_flags[u'\t'] = kSpace;
    }

    unsigned char operator[](char16_t ch) const { return m_flags[ch]; }

private:
    std::array<unsigned char, 0x10000> m_flags{};
};

const CharacterClasses &characterClasses()
{
    static const CharacterClasses table;
    return table;
}

} // namespace

bool isWordCharacter(QChar ch)
{
    return characterClasses()[ch.unicode()] & CharacterClasses::kWord;
}

TextStatistics countStatistics(QStringView crlfText, qint64 lineCount)
{
    const CharacterClasses &classes = characterClasses();
    qint64 spaces = 0;
    qint64 words = 0;
    unsigned previousWord = 0;
    for (const QChar ch : crlfText) {
        const unsigned flags = classes[ch.unicode()];
        const unsigned word = flags & CharacterClasses::kWord;
        spaces += flags >> 1;
        words += word & ~previousWord;
        previousWord = word;
    }
    return {crlfText.size(), lineCount, spaces, words};
}

} // namespace kora
