#include "richedit/RichEdit.h"
#include "tools/stats/TZnaky.h"

#include <QLabel>

#include <gtest/gtest.h>

using namespace kora;

namespace {

struct CountCase
{
    const char *name;
    const char *text; // UTF-8, paragraphs separated by CR LF
    const char *characters;
    const char *lines;
    const char *spaces;
    const char *words;
};

// clang-format off
const CountCase kCases[] = {
    {"EmptyDocument", "", "0", "0", "0", "0"},
    {"ParagraphBreakCountsTwo", "ab\r\nc", "5", "2", "0", "2"},
    {"HyphenUnderscoreAndLoneHyphenAreWords", "well-known a_b, c\t-", "19", "1", "3", "4"},
    {"NonBreakingSpaceIsNeitherSpaceNorWord", "a\u00a0b", "3", "1", "0", "2"},
    {"CzechLettersAreWordCharacters", "žluťoučký kůň", "13", "1", "1", "2"},
};
// clang-format on

class CharacterCount : public ::testing::TestWithParam<CountCase>
{
};

QString value(const TZnaky &dialog, const char *name)
{
    const auto *label = dialog.findChild<QLabel *>(QString::fromLatin1(name));
    return label ? label->text() : QStringLiteral("(missing)");
}

TEST_P(CharacterCount, ShowsTheDocumentsCounts)
{
    RichEdit editor;
    editor.resize(400, 300);
    editor.show();
    editor.setText(QString::fromUtf8(GetParam().text));
    TZnaky dialog(editor);
    dialog.show();
    EXPECT_EQ(value(dialog, "lZnaky"), QString::fromLatin1(GetParam().characters));
    EXPECT_EQ(value(dialog, "lRadky"), QString::fromLatin1(GetParam().lines));
    EXPECT_EQ(value(dialog, "lMezery"), QString::fromLatin1(GetParam().spaces));
    EXPECT_EQ(value(dialog, "lSlova"), QString::fromLatin1(GetParam().words));
    EXPECT_EQ(value(dialog, "lOznaceno"), QStringLiteral("0"));
}

INSTANTIATE_TEST_SUITE_P(Documents, CharacterCount, ::testing::ValuesIn(kCases),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(CharacterCountDialog, CountsAgainAtEachShowingAndNotInBetween)
{
    RichEdit editor;
    editor.resize(400, 300);
    editor.show();
    editor.setText(QStringLiteral("one two"));
    editor.select(0, 3);
    TZnaky dialog(editor);
    dialog.show();
    EXPECT_EQ(value(dialog, "lSlova"), QStringLiteral("2"));
    EXPECT_EQ(value(dialog, "lOznaceno"), QStringLiteral("3"));

    // Edits while it is open do not follow; the next showing sees them.
    editor.setText(QStringLiteral("one two three\r\nfour"));
    EXPECT_EQ(value(dialog, "lSlova"), QStringLiteral("2"));
    dialog.hide();
    dialog.show();
    EXPECT_EQ(value(dialog, "lSlova"), QStringLiteral("4"));
    EXPECT_EQ(value(dialog, "lRadky"), QStringLiteral("2"));
    EXPECT_EQ(value(dialog, "lZnaky"), QStringLiteral("19"));
    // The same counts as the status bar reads.
    EXPECT_EQ(value(dialog, "lZnaky").toLongLong(), editor.statistics().characters);
}

} // namespace
