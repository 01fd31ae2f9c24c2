#include "editing/search/DocumentSearch.h"

#include "editing/search/TextMatcher.h"

#include <QApplication>

#include <gtest/gtest.h>

using namespace kora;
using namespace kora::search;

namespace {

class DocumentSearchTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        edit.resize(300, 300);
        edit.show();
        QApplication::processEvents();
    }

    // A paragraph of distinct words long enough to wrap several times at this width.
    static QString longParagraph()
    {
        QStringList words;
        for (int i = 0; i < 60; ++i)
            words << QStringLiteral("slovo%1").arg(i);
        return words.join(u' ');
    }

    RichEdit edit;
};

} // namespace

TEST_F(DocumentSearchTest, FindsForwardAndBackwardAcrossParagraphsInEditorPositions)
{
    edit.setText(QStringLiteral("kůň\r\n\r\nkoně a KŮŇ\r\nkůň"));
    // Editor positions: "kůň" 0, paragraph ends at 3 and 4, "KŮŇ" at 12, last "kůň" at 16.
    const TextMatcher anyCase(QStringLiteral("kůň"), {});
    EXPECT_EQ(findInDocument(edit, anyCase, 0, false), 0);
    EXPECT_EQ(findInDocument(edit, anyCase, 1, false), 12);
    EXPECT_EQ(findInDocument(edit, anyCase, 13, false), 16);
    EXPECT_EQ(findInDocument(edit, anyCase, 17, false), -1);
    EXPECT_EQ(findInDocument(edit, anyCase, 1000, false), -1) << "past the end";
    EXPECT_EQ(findInDocument(edit, anyCase, 1000, true), 16) << "backward from past the end";
    EXPECT_EQ(findInDocument(edit, anyCase, 18, true), 12) << "a match must end before the limit";
    EXPECT_EQ(findInDocument(edit, anyCase, 12, true), 0);
    EXPECT_EQ(findInDocument(edit, anyCase, 2, true), -1);

    const TextMatcher exact(QStringLiteral("kůň"), {true, false});
    EXPECT_EQ(findInDocument(edit, exact, 1, false), 16);
    EXPECT_EQ(findAllInDocument(edit, exact).size(), 2);
}

TEST_F(DocumentSearchTest, AllMatchesNeverOverlap)
{
    edit.setText(QStringLiteral("aaaa\r\naa"));
    const QList<RichEdit::TextRange> ranges = findAllInDocument(edit, TextMatcher(QStringLiteral("aa"), {}));
    ASSERT_EQ(ranges.size(), 3);
    EXPECT_EQ(ranges[0].start, 0);
    EXPECT_EQ(ranges[1].start, 2);
    EXPECT_EQ(ranges[2].start, 5);
    EXPECT_EQ(ranges[2].length, 2);
}

TEST_F(DocumentSearchTest, FirstOccurrenceInEachLaidOutLine)
{
    const QString paragraph = longParagraph();
    edit.setText(paragraph + QStringLiteral("\r\nslovo1 a slovo1"));
    const int lines = edit.lineCount();
    ASSERT_GT(lines, 3) << "the first paragraph wraps";

    // "slovo" starts every word: each laid-out line finds its own first word.
    const QList<RichEdit::TextRange> first = firstInEachLine(edit, QStringLiteral("slovo"));
    ASSERT_EQ(first.size(), lines);
    for (int i = 0; i < lines; ++i)
        EXPECT_EQ(first[i].start, edit.lineStart(i)) << "line " << i;

    // Case counts, and only the first occurrence of a line is taken.
    EXPECT_TRUE(firstInEachLine(edit, QStringLiteral("SLOVO")).isEmpty());
    const QList<RichEdit::TextRange> ones = firstInEachLine(edit, QStringLiteral("slovo1 "));
    ASSERT_EQ(ones.size(), 2);
    EXPECT_EQ(ones[1].start, edit.lineStart(lines - 1));

    // Text that a soft wrap splits belongs to no line.
    const int wrap = edit.lineStart(1);
    const QString across = edit.text().mid(wrap - 3, 6);
    ASSERT_EQ(edit.text().count(across), 1);
    EXPECT_TRUE(firstInEachLine(edit, across).isEmpty());
    EXPECT_EQ(findInDocument(edit, TextMatcher(across, {}), 0, false), wrap - 3) << "find itself sees no wrap";

    EXPECT_TRUE(firstInEachLine(edit, QString()).isEmpty());
}
