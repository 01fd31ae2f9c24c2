#include "tools/spell/HunspellSuggester.h"

#include "support/QtPrinters.h"

#include <gtest/gtest.h>

using kora::spell::HunspellSuggester;

namespace {

const QString kMini = QStringLiteral(KORA_TEST_DATA_DIR "/mini");

} // namespace

TEST(HunspellSuggester, SuggestsFromTheDictionariesInTheirOrder)
{
    HunspellSuggester suggester({kMini});
    EXPECT_TRUE(suggester.suggestions(QStringLiteral("kun")).contains(QStringLiteral("kůň")));
    EXPECT_EQ(suggester.suggestions(QStringLiteral("prilis")).value(0), QStringLiteral("příliš"));
    EXPECT_EQ(suggester.suggestions(QStringLiteral("Pravopsi")).value(0), QStringLiteral("Pravopis"))
        << "a capitalised word gets capitalised suggestions";
    EXPECT_TRUE(suggester.suggestions(QString()).isEmpty());
}

TEST(HunspellSuggester, MissingDictionariesGiveNoSuggestions)
{
    HunspellSuggester none({});
    EXPECT_TRUE(none.suggestions(QStringLiteral("kun")).isEmpty());
    HunspellSuggester missing({QStringLiteral(KORA_TEST_DATA_DIR "/chybí"), kMini});
    EXPECT_TRUE(missing.suggestions(QStringLiteral("kun")).contains(QStringLiteral("kůň")))
        << "the dictionaries that are there still answer";
}
