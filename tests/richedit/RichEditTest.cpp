#include "richedit/RichEdit.h"

#include "richedit/RtfWriter.h"

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QMimeData>
#include <QPrinter>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>

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
