#include "tools/spell/UserWordList.h"

#include "support/QtPrinters.h"

#include <QFile>
#include <QStringEncoder>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using kora::spell::UserWordList;

namespace {

QByteArray windows1250(const char *utf8)
{
    return QStringEncoder("windows-1250").encode(QString::fromUtf8(utf8));
}

class UserWordListTest : public ::testing::Test
{
protected:
    QString path() const { return dir.filePath(QStringLiteral("englishuser.dic")); }

    void write(const char *utf8)
    {
        QFile file(path());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(windows1250(utf8));
    }

    QByteArray fileBytes() const
    {
        QFile file(path());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QTemporaryDir dir;
    UserWordList list;
};

} // namespace

TEST_F(UserWordListTest, AddedWordsAreLowerCasedAndSortedInCzechOrder)
{
    write("abeceda\r\nčaj\r\nhrad\r\n");
    list.load(path());
    EXPECT_FALSE(list.isModified());

    EXPECT_TRUE(list.add(u"  Chata "));
    EXPECT_TRUE(list.add(u"CIBULE"));
    EXPECT_TRUE(list.add(u"Ďábel"));
    EXPECT_TRUE(list.isModified());
    // Czech order: c < č < d, and "ch" after "h".
    EXPECT_EQ(list.bytes(), windows1250("abeceda\r\ncibule\r\nčaj\r\nďábel\r\nhrad\r\nchata\r\n"));
    EXPECT_TRUE(list.contains(windows1250("chata")));
    EXPECT_FALSE(list.contains(windows1250("Chata")));
}

TEST_F(UserWordListTest, ALastLineWithoutCrLfIsAWordAndNeverJoinsTheNextOne)
{
    write("alfa\r\nomega");
    list.load(path());
    EXPECT_TRUE(list.contains("omega"));
    EXPECT_TRUE(list.add(u"beta"));
    EXPECT_EQ(list.bytes(), "alfa\r\nbeta\r\nomega\r\n");
}

TEST_F(UserWordListTest, WhatCannotBeAddedChangesNothing)
{
    list.load(path());
    EXPECT_TRUE(list.path() == path() && list.isEmpty());
    EXPECT_FALSE(list.add(u""));
    EXPECT_FALSE(list.add(u"   "));
    EXPECT_FALSE(list.add(u"Москва"));
    EXPECT_FALSE(list.isModified());
    EXPECT_TRUE(list.add(u"slovo"));
    EXPECT_TRUE(list.add(u"Slovo")) << "a listed word is there already";
    EXPECT_EQ(list.lines(), QList<QByteArray>{"slovo"});
}

TEST_F(UserWordListTest, SavingCreatesTheFileAndLoadingClearsTheModifiedFlag)
{
    list.load(path());
    ASSERT_TRUE(list.add(u"Kůň"));
    QString error;
    ASSERT_TRUE(list.save(&error)) << error.toStdString();
    EXPECT_EQ(fileBytes(), windows1250("kůň\r\n"));
    EXPECT_TRUE(list.isModified()) << "only loading clears it";

    list.load(path());
    EXPECT_FALSE(list.isModified());
    EXPECT_TRUE(list.contains(windows1250("kůň")));
}

TEST_F(UserWordListTest, AFailedSaveKeepsTheOldFileAndSaysWhy)
{
    write("stary\r\n");
    QFile::setPermissions(path(), QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
    list.load(path());
    ASSERT_TRUE(list.add(u"nový"));
    QString error;
    EXPECT_FALSE(list.save(&error));
    EXPECT_TRUE(error.contains(path())) << error.toStdString();
    EXPECT_EQ(fileBytes(), "stary\r\n");
}
