// The word list the build makes from the system's Czech and English spelling dictionaries.
#include "tools/spell/SpellCheck.h"
#include "tools/spell/TjanSpeller.h"
#include "tools/spell/WordList.h"

#include "support/QtPrinters.h"

#include <QFile>

#include <gtest/gtest.h>

using namespace kora::spell;

namespace {

const QString kMainDictionary = QString::fromUtf8(KORA_MAIN_DICTIONARY);

QStringList unknownWords(TjanSpeller &speller, const QString &text)
{
    SpellCheck check(speller, text);
    QStringList words;
    while (check.findNextUnknown())
        words << check.word();
    return words;
}

class MainDictionary : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        speller = new TjanSpeller;
        speller->loadMainDictionary(kMainDictionary);
    }
    static void TearDownTestSuite()
    {
        delete speller;
        speller = nullptr;
    }
    static TjanSpeller *speller;
};

TjanSpeller *MainDictionary::speller = nullptr;

} // namespace

TEST_F(MainDictionary, OrdinaryCzechWithEnglishTermsChecksClean)
{
    ASSERT_TRUE(speller->hasMainDictionary()) << kMainDictionary.toStdString();
    const QString paragraph =
        QStringLiteral("Příliš žluťoučký kůň úpěl ďábelské ódy. Včera večer jsme se vrátili z Brna do Prahy a "
                       "zítra ráno pojedeme vlakem k babičce na chalupu. Smlouva o dílo byla podepsána ve čtvrtek; "
                       "objednatel zaplatí zálohu do třiceti dnů. Nový software se spouští z menu a jeho "
                       "dokumentace je na webu, e-mailem ji pošleme každému, kdo o ni požádá.");
    EXPECT_EQ(unknownWords(*speller, paragraph), QStringList());
    EXPECT_EQ(unknownWords(*speller, QStringLiteral("Přílš žlutoucky kůn")),
              (QStringList{"Přílš", "žlutoucky", "kůn"}));
}

TEST_F(MainDictionary, IsOneLowerCaseWordALineInByteOrderEndedByCrLf)
{
    QFile file(kMainDictionary);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    ASSERT_TRUE(bytes.endsWith("\r\n"));
    QByteArray previous;
    qsizetype lines = 0;
    qsizetype start = 0;
    while (start < bytes.size()) {
        const qsizetype end = bytes.indexOf("\r\n", start);
        ASSERT_GT(end, start) << "empty line or bare LF at byte " << start;
        const QByteArray line = bytes.mid(start, end - start);
        ASSERT_FALSE(line.contains('\n')) << line.toStdString();
        ASSERT_LT(previous, line) << "out of order or repeated";
        ASSERT_EQ(lowerWindows1250(fromWindows1250(line)), line) << "upper case in " << line.toStdString();
        previous = line;
        start = end + 2;
        ++lines;
    }
    EXPECT_GT(lines, 4'000'000) << "Czech and English word forms";
}
