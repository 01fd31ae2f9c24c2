#include "tools/spell/WordListBuilder.h"

#include "support/QtPrinters.h"

#include <QFile>
#include <QProcess>
#include <QStringEncoder>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace kora::spell;

namespace {

QByteArray windows1250(const char *utf8)
{
    return QStringEncoder("windows-1250").encode(QString::fromUtf8(utf8));
}

} // namespace

TEST(WordListBuilder, KeepsLetterWordsLowerCasedSortedOnceWithCrLf)
{
    WordListBuilder builder;
    for (const char *form : {"Žába", "ahoj/XY", "don't", "e-mail", "Αθήνα", "ahoj", "Čáp", "zebra", "C3PO", "", "cíl"})
        builder.addForm(QString::fromUtf8(form));
    // Byte order of Windows-1250: ASCII letters first, then ž (0x9E) before č (0xE8).
    EXPECT_EQ(builder.bytes(), windows1250("ahoj\r\ncíl\r\nzebra\r\nžába\r\nčáp\r\n"));
}

TEST(WordListBuilder, LeavesOutForbiddenAndCompoundOnlyEntries)
{
    const QByteArray affixes = "SET UTF-8\nFLAG long\nFORBIDDENWORD !!\nONLYINCOMPOUND Cx\n";
    const AffixInfo info = readAffixInfo(affixes);
    EXPECT_EQ(info.encoding, "UTF-8");
    const QByteArray entries = "4\nzlý/AA!!\ndobrý/AABB\nkus/Cx po:noun\na\\/b/AA\n";
    EXPECT_EQ(standaloneEntries(entries, info), "2\ndobrý/AABB\na\\/b/AA\n");
}

// The build step itself: unmunch expands the forms, also those that carry further affixes.
TEST(WordListBuilder, TheBuildStepExpandsEveryFormOfAFixtureDictionary)
{
    QTemporaryDir dir;
    const QString output = dir.filePath(QStringLiteral("slovník.dic"));
    QProcess tool;
    tool.start(QStringLiteral(KORA_MAKE_WORDLIST),
               {QStringLiteral(KORA_UNMUNCH), output, QStringLiteral(KORA_TEST_DATA_DIR "/forms")});
    ASSERT_TRUE(tool.waitForFinished(60000));
    ASSERT_EQ(tool.exitCode(), 0) << tool.readAllStandardError().toStdString();
    QFile file(output);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    // "idee" is forbidden, "hra" only in compounds, "don't" and the Greek word are no letter words.
    EXPECT_EQ(file.readAll(), windows1250("hrad\r\nhrada\r\nnovák\r\nnováka\r\nnovákova\r\nnovákovo\r\nnovákův\r\n"));
}

TEST(WordListBuilder, TheBuildStepFailsOnAMissingDictionary)
{
    QTemporaryDir dir;
    QProcess tool;
    tool.start(QStringLiteral(KORA_MAKE_WORDLIST),
               {QStringLiteral(KORA_UNMUNCH), dir.filePath(QStringLiteral("out.dic")),
                QStringLiteral(KORA_TEST_DATA_DIR "/chybí")});
    ASSERT_TRUE(tool.waitForFinished(60000));
    EXPECT_NE(tool.exitCode(), 0);
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("out.dic"))));
}
