#include "tools/spell/WordList.h"

#include "support/QtPrinters.h"

#include <QFile>
#include <QStringEncoder>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>

using kora::spell::WordList;

namespace {

QByteArray windows1250(const char *utf8)
{
    return QStringEncoder("windows-1250").encode(QString::fromUtf8(utf8));
}

} // namespace

TEST(WordList, AWordIsInTheListOnlyAsAWholeLine)
{
    struct Case
    {
        const char *name;
        const char *list; // UTF-8, written as Windows-1250
        std::vector<const char *> present;
        std::vector<const char *> absent;
    };
    const Case cases[] = {
        {"endings and beginnings of a line are not words",
         "apple\r\nhello\r\nworld\r\n",
         {"apple", "hello", "world"},
         {"ello", "hell", "o", "hello\r", "helloworld", ""}},
        {"the last line counts without CR LF", "kůň\r\nmoře", {"kůň", "moře"}, {"mor", "moř"}},
        {"LF alone ends a line; empty lines are no words", "\r\n\nalfa\n\r\nbeta\n\n", {"alfa", "beta"}, {"", "\r"}},
        {"a list out of byte order is found whole",
         "zebra\r\nčaj\r\nabeceda\r\nchata\r\nhrad\r\n",
         {"zebra", "čaj", "abeceda", "chata", "hrad"},
         {"cha", "ebra"}},
        {"blank lines and a last line ending in CR, out of order", "zebra\nabc\n\nabc\r\nx\r",
         {"zebra", "abc", "x"},
         {"x\r", "ab", ""}},
        {"letters with diacritics compare as their bytes",
         "cesta\r\nčesta\r\ndcera\r\n",
         {"cesta", "česta", "dcera"},
         {"sta"}},
    };
    for (const Case &c : cases) {
        const WordList list = WordList::fromBytes(windows1250(c.list));
        for (const char *word : c.present)
            EXPECT_TRUE(list.contains(windows1250(word))) << c.name << ": " << word;
        for (const char *word : c.absent)
            EXPECT_FALSE(list.contains(windows1250(word))) << c.name << ": " << word;
    }
}

TEST(WordList, FilesAreReadWholeAndMissingOnesAreEmpty)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("slovník.dic"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(windows1250("ahoj\r\nčlověk\r\nžába\r\n"));
    file.close();

    const WordList list = WordList::fromFile(path);
    EXPECT_EQ(list.count(), 3);
    EXPECT_TRUE(list.contains(windows1250("člověk")));
    EXPECT_TRUE(list.contains(windows1250("žába")));

    EXPECT_TRUE(WordList::fromFile(dir.filePath(QStringLiteral("chybí.dic"))).isEmpty());
    QFile empty(dir.filePath(QStringLiteral("prázdný.dic")));
    ASSERT_TRUE(empty.open(QIODevice::WriteOnly));
    empty.close();
    EXPECT_TRUE(WordList::fromFile(empty.fileName()).isEmpty());
    EXPECT_TRUE(WordList::fromFile(dir.path()).isEmpty()) << "a folder is no list";
}

TEST(WordList, LongListsFindEveryLineInOrderOrNot)
{
    // Enough lines for the index to sample them; empty lines here and there.
    QList<QByteArray> words;
    for (int i = 0; i < 200; ++i)
        words << QByteArray("w") + QByteArray::number(i).rightJustified(3, '0');
    const auto listOf = [](const QList<QByteArray> &lines) {
        QByteArray bytes;
        for (qsizetype i = 0; i < lines.size(); ++i)
            bytes += lines[i] + (i % 7 == 3 ? "\r\n\r\n" : "\r\n");
        return bytes;
    };
    QList<QByteArray> shuffled = words;
    std::reverse(shuffled.begin(), shuffled.begin() + 100);
    for (const auto &[name, list] : {std::pair{"in byte order", WordList::fromBytes(listOf(words))},
                                     std::pair{"out of order", WordList::fromBytes(listOf(shuffled))}}) {
        EXPECT_EQ(list.count(), 200) << name;
        for (const QByteArray &word : words)
            EXPECT_TRUE(list.contains(word)) << name << ": " << word.constData();
        for (const char *absent : {"w", "w00", "w0000", "w0005", "w200", "a", "z", "w10 "})
            EXPECT_FALSE(list.contains(absent)) << name << ": " << absent;
    }
}
