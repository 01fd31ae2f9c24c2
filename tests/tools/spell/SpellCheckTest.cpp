#include "tools/spell/SpellCheck.h"
#include "tools/spell/TjanSpeller.h"

#include "support/QtPrinters.h"

#include <QFile>
#include <QStringEncoder>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace kora::spell;

namespace {

// A speller over small lists written as files, as the program reads them.
class SpellCheckTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        writeList(QStringLiteral("slovník.dic"),
                  "apple\r\nhello\r\nkůň\r\nmoře\r\npříliš\r\nslovo\r\nword\r\nworld\r\nžluťoučký");
        speller.loadMainDictionary(dir.filePath(QStringLiteral("slovník.dic")));
        speller.loadUserDictionary(dir.filePath(QStringLiteral("englishuser.dic")));
    }

    void writeList(const QString &name, const char *utf8)
    {
        QFile file(dir.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(QStringEncoder("windows-1250").encode(QString::fromUtf8(utf8)));
    }

    // The unknown words of `text` as a check walks them, skipping each.
    QStringList unknownWords(const QString &text)
    {
        SpellCheck check(speller, text);
        QStringList words;
        while (check.findNextUnknown())
            words << check.word();
        return words;
    }

    QTemporaryDir dir;
    TjanSpeller speller;
};

} // namespace

TEST_F(SpellCheckTest, FindsEveryUnknownWordInOrder)
{
    struct Case
    {
        const char *name;
        QString text;
        QStringList unknown;
    };
    const Case cases[] = {
        {"all words known, in any letter case", "Hello WORLD, Příliš žluťoučký KŮŇ.", {}},
        {"a Czech word is checked whole", "Příliš přílš kůň", {"přílš"}},
        {"the last word counts with nothing after it", "hello wrld", {"wrld"}},
        {"the ending of a listed word is no word", "ello orld ord", {"ello", "orld", "ord"}},
        {"the last line of a list without CR LF is a word", "žluťoučký", {}},
        {"a word is unknown each time it occurs", "xyz hello xyz", {"xyz", "xyz"}},
        {"no words, nothing to check", "123 -- ...\r\n", {}},
    };
    for (const Case &c : cases)
        EXPECT_EQ(unknownWords(c.text), c.unknown) << c.name;
}

TEST_F(SpellCheckTest, ReplacementsAreNotCheckedAgainAndKeepTheirOriginalPlaces)
{
    const QString text = QStringLiteral("helo wrld,\r\nand kun!");
    SpellCheck check(speller, text);
    ASSERT_TRUE(check.findNextUnknown());
    EXPECT_EQ(check.word(), QStringLiteral("helo"));
    EXPECT_EQ(check.context(), text);
    EXPECT_FALSE(check.change(QString())) << "an empty field changes nothing";
    ASSERT_TRUE(check.change(QStringLiteral("hello qqq")));

    ASSERT_TRUE(check.findNextUnknown());
    EXPECT_EQ(check.word(), QStringLiteral("wrld")) << "the unknown qqq of the replacement is not checked";
    ASSERT_TRUE(check.change(QStringLiteral("world")));
    ASSERT_TRUE(check.findNextUnknown());
    EXPECT_EQ(check.word(), QStringLiteral("and"));
    ASSERT_TRUE(check.change(QStringLiteral("and"))) << "the same word is no correction";
    ASSERT_TRUE(check.findNextUnknown());
    ASSERT_TRUE(check.change(QStringLiteral("kůň")));
    EXPECT_FALSE(check.findNextUnknown());

    EXPECT_EQ(check.text(), QStringLiteral("hello qqq world,\r\nand kůň!"));
    const QList<Correction> expected = {
        {0, 4, QStringLiteral("hello qqq")}, {5, 4, QStringLiteral("world")}, {16, 3, QStringLiteral("kůň")}};
    EXPECT_EQ(check.corrections(), expected);
}

TEST_F(SpellCheckTest, ContextIsAtMost75CharactersFromTheWordOn)
{
    const QString tail = QString(100, u'.');
    SpellCheck check(speller, QStringLiteral("hello nevim") + tail);
    ASSERT_TRUE(check.findNextUnknown());
    EXPECT_EQ(check.context(), QStringLiteral("nevim") + tail.left(70));
}

TEST_F(SpellCheckTest, AddedWordsAreKnownAtOnceAndTheTextStays)
{
    SpellCheck check(speller, QStringLiteral("Brno a brno"));
    ASSERT_TRUE(check.findNextUnknown());
    EXPECT_EQ(check.word(), QStringLiteral("Brno"));
    ASSERT_TRUE(check.add(QStringLiteral("BRNO")));
    ASSERT_TRUE(check.findNextUnknown());
    EXPECT_EQ(check.word(), QStringLiteral("a"));
    EXPECT_FALSE(check.findNextUnknown()) << "the second brno is known now";
    EXPECT_EQ(check.text(), QStringLiteral("Brno a brno"));
    EXPECT_TRUE(check.corrections().isEmpty());
    EXPECT_EQ(speller.userDictionary().bytes(), "brno\r\n");
}

TEST_F(SpellCheckTest, WithoutAUserListFileNothingCanBeAdded)
{
    TjanSpeller noUser;
    noUser.loadMainDictionary(dir.filePath(QStringLiteral("slovník.dic")));
    SpellCheck check(noUser, QStringLiteral("Brno"));
    ASSERT_TRUE(check.findNextUnknown());
    EXPECT_FALSE(check.canAddWords());
    EXPECT_FALSE(check.add(QStringLiteral("brno")));
}

TEST_F(SpellCheckTest, TheUserListIsWrittenOnlyWhenModifiedAndNotEmpty)
{
    const QString userPath = dir.filePath(QStringLiteral("englishuser.dic"));
    QString error;
    EXPECT_TRUE(speller.saveUserDictionary(&error));
    EXPECT_FALSE(QFile::exists(userPath));
    ASSERT_TRUE(speller.addWord(u"Ostrava"));
    EXPECT_TRUE(speller.saveUserDictionary(&error)) << error.toStdString();
    QFile file(userPath);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), "ostrava\r\n");
}
