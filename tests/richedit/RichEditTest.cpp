#include "richedit/RichEdit.h"

#include "richedit/DocumentCodec.h"
#include "richedit/RtfWriter.h"
#include "text/TextStatistics.h"

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QMimeData>
#include <QPrinter>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextLayout>
#include <QTextList>

#include "support/Poppler.h"
#include "support/QtPrinters.h"

#include <gtest/gtest.h>

using namespace kora;

namespace {

class RichEditTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        edit.resize(400, 300);
        edit.show();
        QApplication::processEvents();
    }

    void select(int start, int length)
    {
        edit.setSelStart(start);
        edit.setSelLength(length);
    }

    QString writeFile(const QString &name, const QByteArray &data)
    {
        const QString path = dir.filePath(name);
        QFile f(path);
        f.open(QIODevice::WriteOnly);
        f.write(data);
        return path;
    }

    QByteArray readBack(const QString &name)
    {
        QFile f(dir.filePath(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    RichEdit edit;
    QTemporaryDir dir;
};

} // namespace

TEST_F(RichEditTest, WholeTextUsesCrLfBetweenParagraphs)
{
    edit.setText("one\r\ntwo\nthree\rfour");
    EXPECT_EQ(edit.text(), "one\r\ntwo\r\nthree\r\nfour");
    EXPECT_EQ(edit.document()->blockCount(), 4);
    edit.clearAll();
    EXPECT_EQ(edit.text(), "");
}

TEST_F(RichEditTest, LineCountFollowsLayout)
{
    struct Case
    {
        const char *text;
        int lines;
    };
    const Case cases[] = {{"", 0}, {"a", 1}, {"a\r\n", 1}, {"a\r\nb", 2}, {"a\r\n\r\nb", 3}, {"a\r\nb\r\n", 2}};
    for (const Case &c : cases) {
        edit.setText(c.text);
        EXPECT_EQ(edit.lineCount(), c.lines) << c.text;
    }
    // A long paragraph wraps into several lines at this width.
    edit.setText(QString("word ").repeated(200));
    EXPECT_GT(edit.lineCount(), 5);
    edit.setWordWrap(false);
    EXPECT_EQ(edit.lineCount(), 1);
}

TEST_F(RichEditTest, LineTextAndLineStart)
{
    edit.setText("first\r\nsecond line\r\nthird");
    EXPECT_EQ(edit.lineText(1), "second line");
    EXPECT_EQ(edit.lineStart(0), 0);
    EXPECT_EQ(edit.lineStart(1), 6);
    EXPECT_EQ(edit.lineStart(2), 18);
    EXPECT_EQ(edit.lineStart(3), -1) << "a line that does not exist";
    EXPECT_EQ(edit.lineText(7), "");
    edit.setSelStart(20);
    EXPECT_EQ(edit.caretLine(), 2);
    EXPECT_EQ(edit.lineStart(-1), 18) << "-1 is the caret's line";

    edit.setText(QString(5000, 'x'));
    edit.setWordWrap(false);
    EXPECT_EQ(edit.lineText(0).size(), 4096) << "line text is cut at 4096 characters";

    edit.setWordWrap(true);
    edit.setText(QString("abcdefgh ").repeated(100));
    ASSERT_GT(edit.lineCount(), 2);
    const int second = edit.lineStart(1);
    EXPECT_GT(second, 0);
    EXPECT_TRUE(edit.text().mid(second).startsWith(edit.lineText(1)));
}

TEST_F(RichEditTest, VisitingLinesAndParagraphs)
{
    edit.setText(QString("abcdefgh ").repeated(100) + "\r\n\r\nlast");
    const int lines = edit.lineCount();
    ASSERT_GT(lines, 4);
    QList<int> starts;
    QStringList texts;
    edit.visitLines([&](int start, QStringView text) {
        starts << start;
        texts << text.toString();
        return true;
    });
    ASSERT_EQ(starts.size(), lines);
    for (int i = 0; i < lines; ++i) {
        EXPECT_EQ(starts[i], edit.lineStart(i)) << "line " << i;
        EXPECT_EQ(texts[i], edit.lineText(i)) << "line " << i;
    }
    int visited = 0;
    edit.visitLines([&](int, QStringView) { return ++visited < 2; });
    EXPECT_EQ(visited, 2) << "visiting stops when asked";

    QList<int> forward;
    edit.visitParagraphs(901, false, [&](int start, QStringView) {
        forward << start;
        return true;
    });
    EXPECT_EQ(forward, QList<int>({901, 902})) << "from the paragraph that holds the position";
    QStringList backward;
    edit.visitParagraphs(1000, true, [&](int, QStringView text) {
        backward << text.toString();
        return true;
    });
    ASSERT_EQ(backward.size(), 3);
    EXPECT_EQ(backward[0], "last");
    EXPECT_EQ(backward[1], "");
    EXPECT_EQ(backward[2].size(), 900);
}

TEST_F(RichEditTest, RangesTakeColourAndSizeInOneUndoStep)
{
    edit.setText("one two three");
    select(4, 0);
    edit.setRangesFormat({{0, 3}, {8, 5}}, Qt::red, 20);
    EXPECT_EQ(edit.selStart(), 4) << "the selection stays";
    select(0, 3);
    EXPECT_EQ(edit.selColor(), QColor(Qt::red));
    EXPECT_EQ(edit.selSize(), 20);
    select(4, 3);
    EXPECT_EQ(edit.selSize(), 12);
    select(8, 5);
    EXPECT_EQ(edit.selSize(), 20);
    edit.setRangesFormat({{4, 3}}, Qt::blue, std::nullopt);
    select(4, 3);
    EXPECT_EQ(edit.selColor(), QColor(Qt::blue));
    EXPECT_EQ(edit.selSize(), 12) << "no size leaves the size";
    edit.undoStep();
    select(4, 3);
    EXPECT_NE(edit.selColor(), QColor(Qt::blue));
    edit.undoStep();
    select(0, 13);
    EXPECT_EQ(edit.selSize(), 12) << "one undo takes back every range";
    EXPECT_EQ(edit.text(), "one two three");
}

TEST_F(RichEditTest, SelectionClampsAndReplaces)
{
    edit.setText("hello\r\nworld");
    edit.setSelStart(1000);
    EXPECT_EQ(edit.selStart(), 11) << "a start past the end clamps to the end";
    select(3, 5);
    EXPECT_EQ(edit.selText(), "lo\r\nwo");
    EXPECT_EQ(edit.selLength(), 5);
    edit.select(8, 100);
    EXPECT_EQ(edit.selStart(), 8);
    EXPECT_EQ(edit.selLength(), 3) << "the length clamps to the end";
    EXPECT_EQ(edit.textCursor().position(), 11) << "the caret at the selection's end";
    select(3, 5);
    edit.setSelText("P");
    EXPECT_EQ(edit.text(), "helPrld");
    EXPECT_EQ(edit.selStart(), 4) << "the caret stands after the new text";
    EXPECT_EQ(edit.selLength(), 0);
    edit.setSelText(QString::fromLatin1("a\0b\x07" "c\td\r\ne", 10));
    EXPECT_EQ(edit.text(), "helPabc\td\r\nerld") << "control characters never enter the document";
}

TEST_F(RichEditTest, ReplacedRangesTakeTheFormatOfTheirFirstCharacterInOneUndoStep)
{
    edit.setText("one twoo\r\nthre four");
    select(0, 2);
    edit.setSelStyle(StyleBold);
    select(4, 4);
    edit.setSelStyle(StyleItalic);
    select(9, 1);
    edit.setSelSize(20);
    const bool undoBefore = edit.canUndo();
    edit.replaceRanges({{4, 4, "two"}, {0, 3, "ONE!"}, {9, 4, "three"}});
    EXPECT_EQ(edit.text(), "ONE! two\r\nthree four") << "positions are those before any replacement";
    select(0, 4);
    EXPECT_EQ(edit.selStyle(), StyleBold) << "the format of the first character, not of the rest";
    select(4, 1);
    EXPECT_EQ(edit.selStyle(), 0) << "the text between ranges keeps its own format";
    select(5, 3);
    EXPECT_EQ(edit.selStyle(), StyleItalic);
    select(9, 5);
    EXPECT_EQ(edit.selSize(), 20);
    select(14, 5);
    EXPECT_EQ(edit.selSize(), 12);
    edit.undoStep();
    EXPECT_EQ(edit.text(), "one twoo\r\nthre four");
    EXPECT_EQ(edit.canUndo(), undoBefore);
}

TEST_F(RichEditTest, CharacterFormatOfAMixedSelection)
{
    edit.setText("bold plain");
    select(0, 4);
    edit.setSelStyle(StyleBold | StyleUnderline);
    edit.setSelFaceName("Liberation Sans");
    edit.setSelSize(20);
    edit.setSelColor(Qt::red);
    select(0, 10);
    EXPECT_EQ(edit.selStyle(), 0) << "a flag reads set only when the whole selection has it";
    EXPECT_EQ(edit.selFaceName(), "Liberation Sans") << "face of the first character";
    EXPECT_EQ(edit.selSize(), 20);
    EXPECT_EQ(edit.selColor(), QColor(Qt::red));
    select(1, 2);
    EXPECT_EQ(edit.selStyle(), StyleBold | StyleUnderline);
    select(6, 2);
    EXPECT_EQ(edit.selSize(), 12);
    EXPECT_EQ(edit.selFaceName(), "Times New Roman") << "the editor's default font";
}

TEST_F(RichEditTest, ColoursAutomaticAndSizesInWholePoints)
{
    edit.setText("abc");
    select(0, 3);
    const QColor windowText = edit.palette().color(QPalette::WindowText);
    EXPECT_EQ(edit.selColor(), windowText) << "automatic reads as the window-text colour";
    EXPECT_EQ(edit.selHighlight(), edit.palette().color(QPalette::Base));
    edit.setSelColor(Qt::blue);
    edit.setSelHighlight(Qt::yellow);
    EXPECT_TRUE(rtf::write(*edit.document()).contains("\\cf1"));
    edit.setSelColor(windowText);
    edit.setSelHighlight(edit.palette().color(QPalette::Base));
    const QByteArray rtf = rtf::write(*edit.document());
    EXPECT_FALSE(rtf.contains("\\cf1")) << "writing the window-text colour selects automatic";
    EXPECT_FALSE(rtf.contains("\\highlight1"));

    edit.setSelFaceName(QString(40, 'F'));
    EXPECT_EQ(edit.selFaceName().size(), 31);
    QTextCharFormat half;
    half.setFontPointSize(12.5);
    edit.textCursor().mergeCharFormat(half);
    EXPECT_EQ(edit.selSize(), 12) << "read back rounded down";
    edit.setSelSubscript(Superscript);
    EXPECT_EQ(edit.selSubscript(), Superscript);
    edit.setSelSubscript(SubscriptNone);
    EXPECT_EQ(edit.selSubscript(), SubscriptNone);
}

TEST_F(RichEditTest, ParagraphFormatInPoints)
{
    edit.setText("one\r\ntwo");
    select(0, 5);
    edit.setParaAlignment(AlignCenter);
    edit.setParaFirstIndent(20);
    edit.setParaLeftIndent(15);
    edit.setParaRightIndent(7);
    ParaFormat p = edit.selParaFormat();
    EXPECT_EQ(p.alignment, AlignCenter);
    EXPECT_EQ(p.firstIndent, 20);
    EXPECT_EQ(p.leftIndent, 15);
    EXPECT_EQ(p.rightIndent, 7);
    edit.setSelStart(6);
    EXPECT_EQ(edit.selParaFormat().firstIndent, 20) << "both paragraphs of the selection changed";
    edit.setParaAlignment(AlignJustify);
    EXPECT_EQ(edit.selParaFormat().alignment, AlignJustify);

    // Bullets raise a left indent below 10 points to 10, and turning them off sets it to 0.
    edit.setParaLeftIndent(4);
    edit.setParaNumbering(NumberingBullet);
    p = edit.selParaFormat();
    EXPECT_EQ(p.numbering, NumberingBullet);
    EXPECT_EQ(p.leftIndent, 10);
    EXPECT_EQ(p.firstIndent, 20);
    edit.setParaLeftIndent(30);
    edit.setParaNumbering(NumberingBullet);
    EXPECT_EQ(edit.selParaFormat().leftIndent, 30);
    edit.setParaNumbering(NumberingNone);
    p = edit.selParaFormat();
    EXPECT_EQ(p.numbering, NumberingNone);
    EXPECT_EQ(p.leftIndent, 0);
}

TEST_F(RichEditTest, UndoDepthBoundsTheSteps)
{
    QString error;
    EXPECT_FALSE(edit.setUndoDepth(0, &error));
    EXPECT_FALSE(error.isEmpty());
    ASSERT_TRUE(edit.setUndoDepth(3));
    EXPECT_FALSE(edit.canUndo());
    for (int i = 0; i < 8; ++i) {
        edit.setSelStart(1000);
        edit.setSelText(QString::number(i));
    }
    int undone = 0;
    while (edit.canUndo()) {
        edit.undoStep();
        ++undone;
    }
    EXPECT_EQ(undone, 3);
    EXPECT_EQ(edit.text(), "01234");
    EXPECT_TRUE(edit.canRedo());
    edit.redoStep();
    EXPECT_EQ(edit.text(), "012345");
    EXPECT_TRUE(edit.canUndo());
}

TEST_F(RichEditTest, ChangeSignalAndModifiedFlag)
{
    QSignalSpy changed(&edit, &RichEdit::changed);
    edit.setText("abc");
    EXPECT_GE(changed.count(), 1);
    EXPECT_TRUE(edit.isModified());
    edit.setModified(false);
    changed.clear();
    select(0, 1);
    edit.setSelStyle(StyleBold);
    EXPECT_GE(changed.count(), 1) << "a formatting change is a change of the content";
    changed.clear();
    edit.undoStep();
    EXPECT_GE(changed.count(), 1) << "undo is a change too";
    changed.clear();
    edit.setSelStart(2);
    EXPECT_EQ(changed.count(), 0) << "moving the caret changes nothing";
}

TEST_F(RichEditTest, LinksShowWithoutChangingTheDocument)
{
    const QString path = writeFile("links.txt", "see http://example.com/a?b=c, or www.kora.cz.\r\n");
    ASSERT_TRUE(edit.loadFromFile(path));
    QApplication::processEvents();
    EXPECT_FALSE(edit.isModified());
    EXPECT_FALSE(edit.canUndo());
    EXPECT_EQ(edit.text(), "see http://example.com/a?b=c, or www.kora.cz.\r\n");

    QSignalSpy clicked(&edit, &RichEdit::urlClicked);
    QTextCursor at(edit.document());
    at.setPosition(10);
    const QPoint onLink = edit.cursorRect(at).center();
    QTest::mouseClick(edit.viewport(), Qt::LeftButton, {}, onLink);
    ASSERT_EQ(clicked.count(), 1);
    EXPECT_EQ(clicked.at(0).at(0).toString(), "http://example.com/a?b=c");

    at.setPosition(36);
    QTest::mouseClick(edit.viewport(), Qt::RightButton, {}, edit.cursorRect(at).center());
    ASSERT_EQ(clicked.count(), 2) << "the right button reports a link too";
    EXPECT_EQ(clicked.at(1).at(0).toString(), "www.kora.cz");

    // Pressed on the link, released elsewhere: no click.
    at.setPosition(1);
    QTest::mousePress(edit.viewport(), Qt::LeftButton, {}, onLink);
    QTest::mouseRelease(edit.viewport(), Qt::LeftButton, {}, edit.cursorRect(at).center());
    EXPECT_EQ(clicked.count(), 2);
    EXPECT_FALSE(edit.isModified());
}

namespace {

// The links painted in a paragraph, as (start, length) pairs.
std::vector<std::pair<int, int>> paintedLinks(const QTextBlock &block)
{
    std::vector<std::pair<int, int>> links;
    for (const QTextLayout::FormatRange &range : block.layout()->formats()) {
        if (range.format.fontUnderline() && range.format.foreground().color() == QColor(0, 0, 255))
            links.emplace_back(range.start, range.length);
    }
    return links;
}

} // namespace

TEST_F(RichEditTest, LinksArePaintedAsTheyAreTypedAndRemoved)
{
    edit.setFocus();
    QTest::keyClicks(&edit, QStringLiteral("viz www.kora.cz"));
    QApplication::processEvents();
    const QTextBlock first = edit.document()->firstBlock();
    EXPECT_EQ(paintedLinks(first), (std::vector<std::pair<int, int>>{{4, 11}}));

    QTest::keyClick(&edit, Qt::Key_Return);
    QTest::keyClicks(&edit, QStringLiteral("a mailto:x@y.cz."));
    EXPECT_EQ(paintedLinks(edit.document()->lastBlock()), (std::vector<std::pair<int, int>>{{2, 13}}));

    edit.setSelStart(5);
    QTest::keyClick(&edit, Qt::Key_Delete); // "www." becomes "ww.": no address any more
    EXPECT_TRUE(paintedLinks(edit.document()->firstBlock()).empty());
    edit.undoStep();
    EXPECT_EQ(paintedLinks(edit.document()->firstBlock()), (std::vector<std::pair<int, int>>{{4, 11}}));
    EXPECT_FALSE(edit.document()->firstBlock().layout()->lineCount() == 0) << "shown paragraphs stay laid out";
}

// A link far below the window must not make the editor lay out everything before it at once.
TEST_F(RichEditTest, ALinkAtTheEndOfALongDocumentLeavesTheLayoutForLater)
{
    QByteArray text;
    for (int i = 0; i < 5000; ++i)
        text += "Odstavec textu, který je dost dlouhý na jeden celý řádek okna.\r\n";
    text += "Konec: www.kora.cz\r\n";
    ASSERT_TRUE(edit.loadFromFile(writeFile("long.txt", text)));
    QApplication::processEvents();

    const QTextBlock last = edit.document()->lastBlock().previous();
    EXPECT_EQ(paintedLinks(last), (std::vector<std::pair<int, int>>{{7, 11}}));
    EXPECT_EQ(last.layout()->lineCount(), 0);
    EXPECT_GT(edit.document()->firstBlock().layout()->lineCount(), 0);
}

// Each load or New replaces the document; the replaced ones go at the next turn of the event loop,
// as they do between a user's commands, and links must still show in the newest.
TEST_F(RichEditTest, DocumentsReplacedOneAfterAnotherKeepLinkDetection)
{
    const QString path = writeFile("link.txt", "www.kora.cz\r\n");
    for (int i = 0; i < 4; ++i) {
        if (i % 2)
            edit.clearAll();
        ASSERT_TRUE(edit.loadFromFile(path));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QApplication::processEvents();
    }
    QSignalSpy clicked(&edit, &RichEdit::urlClicked);
    QTextCursor at(edit.document());
    at.setPosition(3);
    QTest::mouseClick(edit.viewport(), Qt::LeftButton, {}, edit.cursorRect(at).center());
    EXPECT_EQ(clicked.count(), 1);
}

// The status counts follow the document's changes paragraph by paragraph; after each step of a
// user's editing they equal a full recount of the whole text.
TEST_F(RichEditTest, StatisticsFollowingEditsEqualAFullRecount)
{
    const QString path = writeFile("stats.rtf", "{\\rtf1\\ansi\\ansicpg1250 {\\b P\\'f8\\'edli\\'9a} "
                                                "\\'9elu\\'9dou\\'e8k\\'fd k\\'f9\\'f2\\par "
                                                "second\\tline with-hyphen and_under\\line soft break\\par\\par "
                                                "last 42 words.}");
    const auto expectFullRecount = [this](const char *step) {
        QApplication::processEvents();
        const TextStatistics full = countStatistics(edit.text(), edit.lineCount());
        const TextStatistics counted = edit.statistics();
        EXPECT_EQ(counted.characters, full.characters) << step;
        EXPECT_EQ(counted.spaces, full.spaces) << step;
        EXPECT_EQ(counted.words, full.words) << step;
        EXPECT_EQ(counted.lines, full.lines) << step;
    };
    const auto typeText = [this](const QString &text) {
        for (const QChar ch : text)
            QTest::sendKeyEvent(QTest::Click, &edit, Qt::Key(ch.toUpper().unicode()), QString(ch), {});
    };
    ASSERT_TRUE(edit.loadFromFile(path));
    edit.setFocus();
    expectFullRecount("loaded");

    edit.setSelStart(3);
    typeText(QStringLiteral("ž č"));
    expectFullRecount("typing Czech letters and a space");
    QTest::keyClick(&edit, Qt::Key_Return);
    QTest::keyClick(&edit, Qt::Key_Tab);
    expectFullRecount("a new paragraph and a tab");

    edit.setSelStart(2);
    edit.setSelLength(40);
    QTest::keyClick(&edit, Qt::Key_Delete);
    expectFullRecount("deleting across paragraphs");
    QTest::keyClick(&edit, Qt::Key_Backspace);
    QTest::keyClick(&edit, Qt::Key_Backspace);
    expectFullRecount("backspace joining words");

    QApplication::clipboard()->setText(QStringLiteral("pasted one\nand two\n\nthree"));
    edit.setSelStart(1 << 30);
    edit.paste();
    expectFullRecount("pasting paragraphs");

    edit.undoStep();
    expectFullRecount("undo of the paste");
    edit.undoStep();
    edit.undoStep();
    expectFullRecount("more undo");
    edit.redoStep();
    expectFullRecount("redo");

    edit.setText(QStringLiteral("a b\r\nc"));
    expectFullRecount("text set");
    edit.clearAll();
    expectFullRecount("new document");
    ASSERT_TRUE(edit.loadFromFile(path));
    expectFullRecount("loaded again");
}

TEST_F(RichEditTest, LoadPicksFormatByExtensionAndFallsBack)
{
    const QByteArray rtf = "{\\rtf1 {\\b rich}}";
    struct Case
    {
        const char *name;
        QByteArray data;
        const char *text;
        DocumentKind readAs;
    };
    const Case cases[] = {
        {"a.rtf", rtf, "rich", DocumentKind::Rtf},
        {"a.kora", rtf, "rich", DocumentKind::Rtf},
        {"a.TXT", rtf, "{\\rtf1 {\\b rich}}", DocumentKind::PlainText},
        {"plain.kora", "just text", "just text", DocumentKind::PlainText},
        {"settings.ini", "[a]\r\nb=1", "[a]\r\nb=1", DocumentKind::PlainText},
        {"noextension", rtf, "rich", DocumentKind::Rtf},
    };
    for (const Case &c : cases) {
        QString error;
        ASSERT_TRUE(edit.loadFromFile(writeFile(c.name, c.data), &error)) << error.toStdString();
        EXPECT_EQ(edit.text(), c.text) << c.name;
        EXPECT_EQ(edit.lastLoad().readAs, c.readAs) << c.name;
        EXPECT_FALSE(edit.isModified());
    }
    QString error;
    edit.setText("kept");
    EXPECT_FALSE(edit.loadFromFile(dir.filePath("missing.rtf"), &error));
    EXPECT_TRUE(error.contains("missing.rtf")) << error.toStdString();
    EXPECT_EQ(edit.text(), "kept") << "a failed load leaves the document as it was";
}

TEST_F(RichEditTest, SaveByExtensionKeepsPlainFilesPlain)
{
    ASSERT_TRUE(edit.loadFromFile(writeFile("config.ini", "\xe8\x61\nb\n")));
    ASSERT_TRUE(edit.saveToFile(dir.filePath("config.ini")));
    EXPECT_EQ(readBack("config.ini"), "\xe8\x61\nb\n") << "same encoding and line breaks";
    ASSERT_TRUE(edit.saveToFile(dir.filePath("copy.rtf")));
    EXPECT_TRUE(readBack("copy.rtf").startsWith("{\\rtf1"));

    edit.setText("x");
    ASSERT_TRUE(edit.saveToFile(dir.filePath("new.kora")));
    EXPECT_TRUE(readBack("new.kora").startsWith("{\\rtf1"));
    ASSERT_TRUE(edit.saveToFile(dir.filePath("new.txt")));
    EXPECT_EQ(readBack("new.txt"), "x");

    QString error;
    EXPECT_FALSE(edit.saveToFile(dir.filePath("no/such/folder/x.rtf"), &error));
    EXPECT_TRUE(error.contains("x.rtf")) << error.toStdString();
}

TEST_F(RichEditTest, TypedTextReopensInTheFontAndSizeItShowedBeforeSaving)
{
    edit.setFocus();
    QTest::keyClicks(&edit, "ab c");
    select(1, 2);
    edit.setSelStyle(StyleBold);
    edit.setSelSize(20);
    const QString path = dir.filePath("typed.rtf");
    ASSERT_TRUE(edit.saveToFile(path));

    RichEdit reopened;
    ASSERT_TRUE(reopened.loadFromFile(path));
    ASSERT_EQ(reopened.text(), edit.text());
    for (int i = 0; i < 4; ++i) {
        select(i, 1);
        reopened.setSelStart(i);
        reopened.setSelLength(1);
        EXPECT_EQ(reopened.selFaceName(), edit.selFaceName()) << "character " << i;
        EXPECT_EQ(reopened.selSize(), edit.selSize()) << "character " << i;
        EXPECT_EQ(reopened.selStyle(), edit.selStyle()) << "character " << i;
    }
    EXPECT_EQ(reopened.selFaceName(), "Times New Roman");
}

TEST_F(RichEditTest, ADocumentKeptAsRtfComesBackWithItsFormatsAndItsFilesFormat)
{
    const QString path = writeFile("config.ini", "\xe8\x61\nb c\n");
    ASSERT_TRUE(edit.loadFromFile(path));
    EXPECT_EQ(edit.fileStamp(), FileStamp::read(path));
    select(3, 1);
    edit.setSelStyle(StyleBold);
    const QByteArray rtf = edit.documentRtf();
    const QString format = documentcodec::formatName(edit.lastLoad());
    EXPECT_EQ(format, "fallback-text:windows-1250:lf");

    RichEdit restored;
    const std::optional<LoadInfo> origin = documentcodec::formatFromName(format);
    ASSERT_TRUE(origin);
    restored.loadDocumentRtf(rtf, *origin);
    EXPECT_EQ(restored.text(), edit.text());
    restored.select(3, 1);
    EXPECT_EQ(restored.selStyle(), StyleFlags(StyleBold));
    restored.select(0, 2);
    EXPECT_EQ(restored.selStyle(), StyleFlags());
    EXPECT_FALSE(restored.canUndo());
    EXPECT_EQ(restored.documentRtf(), rtf) << "kept again, the same copy";
    ASSERT_TRUE(restored.saveToFile(path));
    EXPECT_EQ(readBack("config.ini"), "\xe8\x61\nb c\n") << "written as the file was read";
    EXPECT_EQ(restored.fileStamp(), FileStamp::read(path));

    for (const char *name :
         {"", "rtf", "rtf:utf-8", "text:utf-8:lf:x", "html:utf-8:lf", "text:latin1:lf", "text:utf-8:nl"})
        EXPECT_FALSE(documentcodec::formatFromName(QString::fromLatin1(name))) << name;
    const LoadInfo kinds[] = {
        {DocumentKind::Rtf, false, {}, {}, {}},
        {DocumentKind::PlainText, false, {plaintext::Encoding::Utf16BeBom, plaintext::LineBreak::Cr}, {}, {}},
        {DocumentKind::PlainText, true, {plaintext::Encoding::Utf8Bom, plaintext::LineBreak::CrLf}, {}, {}}};
    for (const LoadInfo &info : kinds) {
        const std::optional<LoadInfo> back = documentcodec::formatFromName(documentcodec::formatName(info));
        ASSERT_TRUE(back) << documentcodec::formatName(info).toStdString();
        EXPECT_EQ(back->readAs, info.readAs);
        EXPECT_EQ(back->fellBack, info.fellBack);
        EXPECT_EQ(back->textFormat, info.textFormat);
    }
}

TEST_F(RichEditTest, NumberedListsShowNumbersThatAreNoTextOfTheDocument)
{
    ASSERT_TRUE(edit.loadFromFile(writeFile("list.rtf", "{\\rtf1\\ansi\\ansicpg1250{\\*\\listtable{\\list{\\listlevel"
                                                       "\\levelnfc0}\\listid7}}{\\*\\listoverridetable{\\listoverride"
                                                       "\\listid7\\ls1}}\\pard\\ls1 jedna\\par\\ls1 dv\\'ec\\par\\pard "
                                                       "konec\\par}")));
    EXPECT_EQ(edit.text(), "jedna\r\ndvě\r\nkonec") << "the counts see the document's own characters";
    const QTextBlock second = edit.document()->findBlockByNumber(1);
    ASSERT_NE(second.textList(), nullptr);
    EXPECT_EQ(second.textList()->itemText(second), "2.") << "the editor shows the number";
    edit.setSelStart(7);
    EXPECT_EQ(edit.selParaFormat().numbering, NumberingNone) << "a number is no bullet";

    ASSERT_TRUE(edit.saveToFile(dir.filePath("list.txt")));
    EXPECT_EQ(readBack("list.txt"), QString("    1. jedna\r\n    2. dvě\r\nkonec").toUtf8());
    ASSERT_TRUE(edit.saveToFile(dir.filePath("again.rtf")));
    RichEdit reopened;
    ASSERT_TRUE(reopened.loadFromFile(dir.filePath("again.rtf")));
    EXPECT_EQ(reopened.text(), edit.text());
    EXPECT_EQ(reopened.document()->findBlockByNumber(1).textList()->itemText(reopened.document()->findBlockByNumber(1)),
              "2.");

    // Bullets replace the numbering of the paragraphs they are given to, and only theirs.
    edit.setParaNumbering(NumberingBullet);
    EXPECT_EQ(edit.selParaFormat().numbering, NumberingBullet);
    const QTextBlock first = edit.document()->findBlockByNumber(0);
    EXPECT_EQ(first.textList()->itemText(first), "1.");
    ASSERT_TRUE(edit.saveToFile(dir.filePath("mixed.txt")));
    EXPECT_EQ(readBack("mixed.txt"), QString("    1. jedna\r\ndvě\r\nkonec").toUtf8());
}

TEST_F(RichEditTest, SelectionOnlyStreamingSavesTheSelection)
{
    edit.setText("alpha beta gamma");
    select(6, 4);
    edit.setSelectionOnly(true);
    ASSERT_TRUE(edit.saveToFile(dir.filePath("part.txt")));
    EXPECT_EQ(readBack("part.txt"), "beta");
    ASSERT_TRUE(edit.saveToFile(dir.filePath("part.rtf")));
    RichEdit other;
    ASSERT_TRUE(other.loadFromFile(dir.filePath("part.rtf")));
    EXPECT_EQ(other.text(), "beta");
    edit.setSelectionOnly(false);
    ASSERT_TRUE(edit.saveToFile(dir.filePath("all.txt")));
    EXPECT_EQ(readBack("all.txt"), "alpha beta gamma");
}

TEST_F(RichEditTest, FindWithOptions)
{
    edit.setText("Kora kora korab\r\nKORA");
    struct Case
    {
        const char *what;
        int start;
        int length;
        int options;
        int expected;
    };
    const Case cases[] = {
        {"kora", 0, -1, 0, 0},
        {"kora", 0, -1, RichEdit::FindMatchCase, 5},
        {"kora", 6, -1, RichEdit::FindWholeWord, 16},
        {"kora", 6, -1, 0, 10},
        {"kora", 0, 8, RichEdit::FindMatchCase, -1},
        {"kora", 0, 20, RichEdit::FindBackward, 16},
        {"kora", 0, 15, RichEdit::FindBackward | RichEdit::FindWholeWord, 5},
        {"missing", 0, -1, 0, -1},
        {"", 0, -1, 0, -1},
    };
    for (const Case &c : cases)
        EXPECT_EQ(edit.find(c.what, c.start, c.length, c.options), c.expected)
            << c.what << " from " << c.start << " options " << c.options;
    EXPECT_EQ(edit.find("korab", 0, -1, RichEdit::FindSelect), 10);
    EXPECT_EQ(edit.selStart(), 10);
    EXPECT_EQ(edit.selLength(), 5);
}

TEST_F(RichEditTest, PasteNeverInsertsControlCharacters)
{
    edit.setText("[]");
    edit.setSelStart(1);
    auto *text = new QMimeData;
    text->setText(QString::fromLatin1("a\0b\x1b" "c", 5));
    QApplication::clipboard()->setMimeData(text);
    edit.paste();
    EXPECT_EQ(edit.text(), "[abc]");

    auto *rich = new QMimeData;
    rich->setData("text/rtf", "{\\rtf1 {\\b bold}\\'00}");
    QApplication::clipboard()->setMimeData(rich);
    edit.paste();
    EXPECT_EQ(edit.text(), "[abcbold]");
    select(4, 2);
    EXPECT_EQ(edit.selStyle(), StyleBold);
}

TEST_F(RichEditTest, WordWrapDecidesTheScrollBars)
{
    edit.setWordWrap(false);
    EXPECT_EQ(edit.horizontalScrollBarPolicy(), Qt::ScrollBarAsNeeded);
    edit.setWordWrap(true);
    EXPECT_EQ(edit.horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    EXPECT_NE(edit.verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    edit.setBackgroundColor(QColor(1, 2, 3));
    EXPECT_EQ(edit.backgroundColor(), QColor(1, 2, 3));
}

namespace {

int pdfPageCount(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray pdf = f.readAll();
    return int(pdf.count("/Type /Page\n") + pdf.count("/Type /Page\r") + pdf.count("/Type /Page ")
               + pdf.count("/Type /Page>"));
}

} // namespace

TEST_F(RichEditTest, PrintsEveryPageAndNoEmptyPageAfterTheText)
{
    const QString pdf = dir.filePath("out.pdf");
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    printer.setPageSize(QPageSize(QPageSize::A4));
    edit.setText("one page");
    edit.print(&printer, "Test");
    EXPECT_EQ(pdfPageCount(pdf), 1);

    // Exactly enough lines for more than one page, then empty paragraphs that fit on the last.
    QString lines;
    for (int i = 0; i < 120; ++i)
        lines += QString("line %1\r\n").arg(i);
    edit.setText(lines);
    QPrinter second(QPrinter::HighResolution);
    second.setOutputFormat(QPrinter::PdfFormat);
    second.setOutputFileName(dir.filePath("long.pdf"));
    second.setPageSize(QPageSize(QPageSize::A4));
    edit.print(&second, "Long");
    const int pages = pdfPageCount(dir.filePath("long.pdf"));
    EXPECT_GE(pages, 2);
    EXPECT_LE(pages, 3);
}

TEST_F(RichEditTest, PrintsTheSelectionAloneAndReportsAJobThatCannotStart)
{
    edit.setText("první řádek\r\nvybraný text\r\nposlední");
    select(12, 12);
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dir.filePath("selection.pdf"));
    ASSERT_TRUE(edit.print(&printer, "Výběr", RichEdit::PrintSelection));
    EXPECT_EQ(test::wordsOf(test::pdfText(dir.filePath("selection.pdf"))), QStringList({"vybraný", "text"}));
    EXPECT_EQ(test::pdfInfo(dir.filePath("selection.pdf"), "Title"), "Výběr");
    EXPECT_EQ(edit.selText(), "vybraný text") << "the selection stays";

    QPrinter nowhere(QPrinter::HighResolution);
    nowhere.setOutputFormat(QPrinter::PdfFormat);
    nowhere.setOutputFileName(dir.filePath("missing/folder/x.pdf"));
    EXPECT_FALSE(edit.print(&nowhere, "x"));
}

TEST_F(RichEditTest, PrintFillsThePrintableAreaOfThePage)
{
    edit.setText("Levý horní roh");
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dir.filePath("corner.pdf"));
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageMargins(QMarginsF(20, 30, 20, 20), QPageLayout::Point);
    ASSERT_TRUE(edit.print(&printer, "Roh"));
    // The first word starts just inside the top left margin, not at the edge of the sheet.
    const QString bbox = test::runPoppler("pdftotext", {"-bbox", dir.filePath("corner.pdf"), "-"});
    const QRegularExpression word("<word xMin=\"([0-9.]+)\" yMin=\"([0-9.]+)\"[^>]*>Levý</word>");
    const QRegularExpressionMatch m = word.match(bbox);
    ASSERT_TRUE(m.hasMatch()) << bbox.toStdString();
    EXPECT_NEAR(m.captured(1).toDouble(), 20, 3);
    EXPECT_NEAR(m.captured(2).toDouble(), 30, 6);
}

namespace {

bool sameFormat(const CharFormat &a, const CharFormat &b)
{
    return a.style == b.style && a.color == b.color && a.highlight == b.highlight && a.face == b.face
           && a.size == b.size && a.subscript == b.subscript;
}

} // namespace

TEST_F(RichEditTest, CopyKeepsTextFormatsAndTheFontEveryCharacterShows)
{
    edit.setText("bold plain\r\ncentre\r\nitem\r\n");
    select(0, 4);
    edit.setSelStyle(StyleBold | StyleItalic);
    edit.setSelColor(Qt::red);
    select(5, 5);
    edit.setSelFaceName("Liberation Sans");
    edit.setSelSize(20);
    edit.setSelHighlight(Qt::yellow);
    select(11, 1);
    edit.setParaAlignment(AlignCenter);
    select(18, 1);
    edit.setParaNumbering(NumberingBullet);
    edit.setParaLeftIndent(30);
    QImage picture(10, 10, QImage::Format_RGB32);
    picture.fill(Qt::blue);
    edit.setSelStart(22);
    edit.insertImage(picture);
    select(2, 3);
    QApplication::clipboard()->setText("mine");

    RichEdit scratch;
    QFont scratchFont("MS Sans Serif");
    scratchFont.setPointSize(8);
    scratchFont.setBold(true);
    scratch.setDefaultCharFont(scratchFont);
    scratch.copyDocumentFrom(edit);

    ASSERT_EQ(scratch.text(), edit.text());
    const int length = int(edit.document()->characterCount()) - 1;
    for (int i = 0; i < length; ++i) {
        select(i, 1);
        scratch.setSelStart(i);
        scratch.setSelLength(1);
        EXPECT_TRUE(sameFormat(scratch.selCharFormat(), edit.selCharFormat())) << "character " << i;
        const ParaFormat a = scratch.selParaFormat();
        const ParaFormat b = edit.selParaFormat();
        EXPECT_EQ(std::tie(a.alignment, a.numbering, a.firstIndent, a.leftIndent, a.rightIndent),
                  std::tie(b.alignment, b.numbering, b.firstIndent, b.leftIndent, b.rightIndent))
            << "paragraph at " << i;
    }
    scratch.setSelStart(12);
    scratch.setSelLength(1);
    EXPECT_EQ(scratch.selFaceName(), "Times New Roman") << "text in the default font keeps that font";
    EXPECT_EQ(scratch.selStyle(), 0) << "and is not made bold by the copy's bold default";
    QString pictureName;
    for (auto it = edit.document()->lastBlock().previous().begin(); !it.atEnd(); ++it) {
        if (it.fragment().charFormat().isImageFormat())
            pictureName = it.fragment().charFormat().toImageFormat().name();
    }
    ASSERT_FALSE(pictureName.isEmpty());
    EXPECT_FALSE(scratch.document()->resource(QTextDocument::ImageResource, QUrl(pictureName)).isNull());

    const CharFormat frame = scratch.defaultCharFormat();
    EXPECT_EQ(frame.face, "MS Sans Serif");
    EXPECT_EQ(frame.size, 8);
    EXPECT_EQ(frame.style, StyleBold);
    EXPECT_FALSE(scratch.canUndo()) << "the copy is no undo step";
    select(2, 3);
    EXPECT_EQ(edit.selStart(), 2);
    EXPECT_EQ(QApplication::clipboard()->text(), "mine") << "the clipboard is not used";
}

namespace {

struct Line
{
    QString text;
    int runs = 0;
    int alignment = AlignLeft;
    int numbering = NumberingNone;
};

std::vector<Line> linesOf(const RichEdit &edit)
{
    std::vector<Line> lines;
    edit.walkLines([&lines](const LaidOutLine &laidOut) {
        Line line{QString(), int(laidOut.runs.size()), laidOut.alignment, laidOut.numbering};
        for (const LineRun &run : laidOut.runs)
            line.text += run.text;
        lines.push_back(line);
    });
    return lines;
}

QStringList textsOf(const std::vector<Line> &lines)
{
    QStringList texts;
    for (const Line &line : lines)
        texts << line.text;
    return texts;
}

} // namespace

TEST_F(RichEditTest, LinesAsTheLineBreakerLaysThemOut)
{
    struct Case
    {
        const char *name;
        const char *text;
        QStringList lines;
    };
    const Case cases[] = {
        {"an empty document has no line", "", {}},
        {"one paragraph", "a", {"a"}},
        {"a last empty paragraph is no line", "a\r\n", {"a"}},
        {"an empty paragraph between is a line", "a\r\n\r\nb", {"a", "", "b"}},
    };
    RichEdit hidden;
    for (const Case &c : cases) {
        hidden.setText(c.text);
        EXPECT_EQ(textsOf(linesOf(hidden)), c.lines) << c.name;
    }

    hidden.clearAll();
    QTextCursor cursor(hidden.document());
    cursor.insertText(QString("a") + QChar::LineSeparator + "b");
    EXPECT_EQ(textsOf(linesOf(hidden)), QStringList({"a", "b"})) << "a line separator ends a line";
}

TEST_F(RichEditTest, LinesWrapAtTheFixedWidthWithoutBeingShown)
{
    RichEdit hidden;
    hidden.setLineWrapMode(QTextEdit::FixedPixelWidth);
    hidden.setLineWrapColumnOrWidth(300);
    const QString paragraph = QString("slovo ").repeated(100) + "konec";
    hidden.setText(paragraph + "\r\n" + QString(400, 'x') + "\r\nkrátký");
    const std::vector<Line> lines = linesOf(hidden);
    ASSERT_GT(lines.size(), 8u);

    const QFontMetricsF metrics(QFont("Times New Roman", 12));
    const qreal width = 300 - 2 * hidden.document()->documentMargin();
    QString joined;
    size_t i = 0;
    for (; i < lines.size() && !joined.endsWith("konec"); ++i) {
        joined += lines[i].text;
        if (!lines[i].text.endsWith("konec")) {
            EXPECT_TRUE(lines[i].text.endsWith(' ')) << "words wrap whole: " << lines[i].text.toStdString();
            EXPECT_LE(metrics.horizontalAdvance(lines[i].text.trimmed()), width);
            EXPECT_GT(metrics.horizontalAdvance(lines[i].text + "slovo"), width) << "the next word did not fit";
        }
    }
    EXPECT_EQ(joined, paragraph);
    QString word;
    for (; i + 1 < lines.size(); ++i) {
        EXPECT_FALSE(lines[i].text.isEmpty());
        word += lines[i].text;
    }
    EXPECT_EQ(word, QString(400, 'x')) << "a word longer than a line breaks where it overflows";
    EXPECT_EQ(lines.back().text, "krátký");
}

TEST_F(RichEditTest, LineRunsCarryTheirFormats)
{
    edit.setText("plain bold\r\nitem");
    select(6, 4);
    edit.setSelStyle(StyleBold);
    edit.setSelColor(Qt::red);
    edit.setParaAlignment(AlignRight);
    select(11, 1);
    edit.setParaNumbering(NumberingBullet);
    std::vector<std::vector<std::pair<QString, CharFormat>>> runs;
    std::vector<std::pair<int, int>> paragraphs;
    edit.walkLines([&](const LaidOutLine &line) {
        runs.emplace_back();
        for (const LineRun &run : line.runs)
            runs.back().emplace_back(run.text.toString(), run.format);
        paragraphs.emplace_back(line.alignment, line.numbering);
    });
    ASSERT_EQ(runs.size(), 2u);
    ASSERT_EQ(runs[0].size(), 2u);
    EXPECT_EQ(runs[0][0].first, "plain ");
    EXPECT_EQ(runs[0][0].second.style, 0);
    EXPECT_EQ(runs[0][0].second.color, edit.palette().color(QPalette::Active, QPalette::WindowText))
        << "automatic colour reads as the window-text colour";
    EXPECT_EQ(runs[0][0].second.face, "Times New Roman");
    EXPECT_EQ(runs[0][0].second.size, 12);
    EXPECT_EQ(runs[0][1].first, "bold");
    EXPECT_EQ(runs[0][1].second.style, StyleBold);
    EXPECT_EQ(runs[0][1].second.color, QColor(Qt::red));
    EXPECT_EQ(paragraphs[0], std::make_pair(int(AlignRight), int(NumberingNone)));
    EXPECT_EQ(paragraphs[1], std::make_pair(int(AlignLeft), int(NumberingBullet)));
}
