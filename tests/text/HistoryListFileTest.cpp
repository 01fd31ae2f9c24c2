#include "text/HistoryListFile.h"

#include "support/QtPrinters.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using kora::HistoryListFile;

namespace {

class HistoryList : public ::testing::Test
{
protected:
    void write(const QString &path, const QByteArray &bytes)
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes);
    }

    QByteArray read(const QString &path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QTemporaryDir dir;
};

} // namespace

TEST_F(HistoryList, SavesUtf8LinesEndingInCrLfAndReadsThemBack)
{
    const QString path = dir.filePath(QStringLiteral("naposledy otevřené.ini"));
    const QStringList entries = {QStringLiteral("C:\\Dokumenty\\Příliš žluťoučký kůň.kora"),
                                 QStringLiteral("/home/ďábel/úpěl ódy.rtf"), QString(),
                                 QStringLiteral("/tmp/日本語 Жук.txt")};
    HistoryListFile file(path);
    file.setEntries(entries);
    QString error;
    ASSERT_TRUE(file.save(&error)) << error.toStdString();
    EXPECT_EQ(read(path), (entries.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toUtf8());

    HistoryListFile again(path);
    ASSERT_TRUE(again.load(&error)) << error.toStdString();
    EXPECT_EQ(again.entries(), entries);

    again.setEntries({QStringLiteral("jen jeden")});
    again.append(QStringLiteral("jen jeden"));
    ASSERT_TRUE(again.save(&error)) << error.toStdString();
    EXPECT_EQ(read(path), "jen jeden\r\njen jeden\r\n") << "a shorter list replaces the whole file";

    again.setEntries({});
    ASSERT_TRUE(again.save(&error)) << error.toStdString();
    EXPECT_EQ(read(path), "");
}

TEST_F(HistoryList, ReadsAnyLineBreakStyleAndEncoding)
{
    struct Case
    {
        const char *name;
        QByteArray bytes;
        QStringList expected;
    };
    const Case cases[] = {
        {"empty file", "", {}},
        {"CR LF", "a\r\nb\r\n", {"a", "b"}},
        {"no break after the last line", "a\r\nb", {"a", "b"}},
        {"LF only", "a\nb\n", {"a", "b"}},
        {"CR only", "a\rb\r", {"a", "b"}},
        {"empty lines inside are kept", "a\r\n\r\nb\r\n\n", {"a", "", "b", ""}},
        {"one empty line", "\r\n", {""}},
        {"spaces kept", " a \r\n", {" a "}},
        {"UTF-8", "P\xc5\x99\xc3\xadli\xc5\xa1\r\n", {"Příliš"}},
        {"UTF-8 with a byte-order mark", "\xef\xbb\xbf" "a\r\n", {"a"}},
        {"Windows-1250", "C:\\P\xf8\xedli\x9a \x9elu\x9dou\xe8k\xfd.rtf\r\n\x8a\x8e\r\n",
         {"C:\\Příliš žluťoučký.rtf", "ŠŽ"}},
    };
    for (const Case &c : cases) {
        const QString path = dir.filePath(QStringLiteral("history.ini"));
        write(path, c.bytes);
        HistoryListFile file(path);
        file.setEntries({QStringLiteral("stale")});
        QString error;
        ASSERT_TRUE(file.load(&error)) << c.name << ": " << error.toStdString();
        EXPECT_EQ(file.entries(), c.expected) << c.name;
    }
}

TEST_F(HistoryList, MissingFileIsAnEmptyListAndAFolderIsAnError)
{
    HistoryListFile missing(dir.filePath(QStringLiteral("nikdy.ini")));
    missing.setEntries({QStringLiteral("stale")});
    EXPECT_TRUE(missing.load());
    EXPECT_TRUE(missing.entries().isEmpty());

    HistoryListFile folder(dir.path());
    folder.setEntries({QStringLiteral("kept")});
    QString error;
    EXPECT_FALSE(folder.load(&error));
    EXPECT_TRUE(error.contains(dir.path())) << error.toStdString();
    EXPECT_EQ(folder.entries(), QStringList{QStringLiteral("kept")}) << "a failed load changes nothing";
}

TEST_F(HistoryList, BinaryLinesAreLeftOutAndOversizedFilesRefused)
{
    struct Case
    {
        const char *name;
        QByteArray bytes;
        bool damaged;
        QStringList entries;
    };
    const Case cases[] = {
        {"a NUL byte in a line", QByteArray("a\0b\r\nc\r\n", 8), true, {"c"}},
        {"an escape byte", "a\x1b[0mb\r\nd\r\n", true, {"d"}},
        {"only binary", QByteArray("\x01\x02\0", 3), true, {}},
        {"tabs and every line break", "a\tb\r\nc\nd\re", false, {"a\tb", "c", "d", "e"}},
        {"Windows-1250 letters", "\xe8\xe1ra\r\n", false, {"čára"}},
    };
    for (const Case &c : cases) {
        const QString path = dir.filePath(QStringLiteral("h.ini"));
        write(path, c.bytes);
        HistoryListFile file(path);
        EXPECT_TRUE(file.load()) << c.name;
        EXPECT_EQ(file.isDamaged(), c.damaged) << c.name;
        EXPECT_EQ(file.entries(), c.entries) << c.name;
    }

    const QString path = dir.filePath(QStringLiteral("big.ini"));
    write(path, QByteArray(HistoryListFile::kMaxBytes + 1, 'a'));
    HistoryListFile big(path);
    big.setEntries({QStringLiteral("kept")});
    QString error;
    EXPECT_FALSE(big.load(&error));
    EXPECT_TRUE(big.isDamaged());
    EXPECT_EQ(big.entries(), QStringList{QStringLiteral("kept")}) << "a failed load changes nothing";
    EXPECT_TRUE(error.contains(path) && error.contains(QStringLiteral("není seznam"))) << error.toStdString();
}

TEST_F(HistoryList, SaveFailuresNameTheFile)
{
    const QString paths[] = {QStringLiteral("/proc/kora-test/x.ini"), QStringLiteral("/proc/kora-x.ini"), dir.path()};
    for (const QString &path : paths) {
        HistoryListFile file(path);
        file.setEntries({QStringLiteral("a")});
        QString error;
        EXPECT_FALSE(file.save(&error)) << path.toStdString();
        EXPECT_TRUE(error.contains(path)) << error.toStdString();
    }
}

TEST(HistoryListAddRecent, MovesThePathToTheFrontWithoutDuplicatesAndKeepsAtMostMax)
{
    struct Case
    {
        const char *name;
        QStringList list;
        QString path;
        int max;
        QStringList expected;
    };
    const QStringList seven = {"1", "2", "3", "4", "5", "6", "7"};
    const Case cases[] = {
        {"empty list", {}, "a", 7, {"a"}},
        {"existing entry moves to the front", {"b", "a", "c"}, "a", 7, {"a", "b", "c"}},
        {"case-insensitive match keeps the new spelling", {"C:/Dok/Kůň.rtf", "x"}, "c:/dok/KŮŇ.RTF", 7,
         {"c:/dok/KŮŇ.RTF", "x"}},
        {"every duplicate goes", {"a", "A", "b", "a"}, "a", 7, {"a", "b"}},
        {"an eighth entry drops the oldest", seven, "8", 7, {"8", "1", "2", "3", "4", "5", "6"}},
        {"a known entry in a full list drops nothing", seven, "4", 7, {"4", "1", "2", "3", "5", "6", "7"}},
        {"smaller maximum", {"a", "b", "c"}, "d", 2, {"d", "a"}},
        {"similar but different paths stay", {"a.rtf", "a.rtf.bak"}, "A.RT", 7, {"A.RT", "a.rtf", "a.rtf.bak"}},
    };
    for (const Case &c : cases)
        EXPECT_EQ(kora::addRecent(c.list, c.path, c.max), c.expected) << c.name;
}
