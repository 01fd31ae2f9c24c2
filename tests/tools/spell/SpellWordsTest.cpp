#include "tools/spell/SpellWords.h"

#include "support/QtPrinters.h"

#include <QStringEncoder>
#include <QStringList>

#include <gtest/gtest.h>

using namespace kora::spell;

namespace {

QStringList wordsOf(const QString &text)
{
    QStringList words;
    qsizetype at = 0;
    while (const auto word = nextWord(text, at)) {
        words << text.sliced(word->start, word->length);
        at = word->start + word->length;
    }
    return words;
}

QByteArray windows1250(const char *utf8)
{
    return QStringEncoder("windows-1250").encode(QString::fromUtf8(utf8));
}

} // namespace

TEST(SpellWords, WordsAreRunsOfWindows1250Letters)
{
    struct Case
    {
        const char *name;
        QString text;
        QStringList words;
    };
    const Case cases[] = {
        {"Czech words stay whole",
         "Příliš žluťoučký kůň úpěl ďábelské ódy.",
         {"Příliš", "žluťoučký", "kůň", "úpěl", "ďábelské", "ódy"}},
        {"the last word counts with nothing after it", "Hello world", {"Hello", "world"}},
        {"Slovak, Polish and German letters of the code page are letters",
         "Ľúbosť, łódź a Straße",
         {"Ľúbosť", "łódź", "a", "Straße"}},
        {"apostrophes, hyphens, digits and underscores separate",
         "don't e-mail abc123def a_b",
         {"don", "t", "e", "mail", "abc", "def", "a", "b"}},
        {"letters outside the code page separate", "Αθήνα, Москва, aβc", {"a", "c"}},
        {"the spacing caron is a mark, not a letter", "sˇt", {"s", "t"}},
        {"paragraph breaks separate", "jedna\r\ndvě\u2029tři", {"jedna", "dvě", "tři"}},
        {"no letters, no words", " 12, 3.\r\n", {}},
    };
    for (const Case &c : cases)
        EXPECT_EQ(wordsOf(c.text), c.words) << c.name;
}

TEST(SpellWords, LowerCaseFollowsTheCodePage)
{
    EXPECT_EQ(lowerWindows1250(u"PŘÍLIŠ ŽLUŤOUČKÝ"), windows1250("příliš žluťoučký"));
    EXPECT_EQ(lowerWindows1250(u"ĽŚŹŁĄŞŻŔĹĆĘŃŐŰŢ"), windows1250("ľśźłąşżŕĺćęńőűţ"));
    EXPECT_EQ(lowerWindows1250(u"Straße-12"), windows1250("straße-12"));
    EXPECT_EQ(lowerWindows1250(u"Москва"), std::nullopt);
    EXPECT_EQ(fromWindows1250(windows1250("kůň")), QStringLiteral("kůň"));
}
