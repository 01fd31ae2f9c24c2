// The HTML export: colour and character conversion, font and paragraph sections, and whole
// documents against golden files.
#include "exchange/TForm3.h"
#include "exchange/TJvRgbToHtml.h"
#include "exchange/TJvRichEditToHtml.h"
#include "exchange/TJvStrToHtml.h"
#include "richedit/RichEdit.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QHash>
#include <QRegularExpression>
#include <QTemporaryDir>

#include "support/Poppler.h"
#include "support/QtPrinters.h"

#include <gtest/gtest.h>

using namespace kora;

namespace {

CharFormat fontOf(const QString &face, int size, StyleFlags style = {}, QColor color = Qt::black)
{
    CharFormat f;
    f.face = face;
    f.size = size;
    f.style = style;
    f.color = color;
    return f;
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

TEST(TJvRgbToHtml, RedGreenBlueAsUpperCaseHexadecimal)
{
    TJvRgbToHtml rgb;
    EXPECT_EQ(rgb.HtmlColor(), "000000");
    rgb.setRgbColor(QColor(255, 0, 0));
    EXPECT_EQ(rgb.HtmlColor(), "FF0000");
    rgb.setRgbColor(QColor(0x0a, 0xbc, 0x0d));
    EXPECT_EQ(rgb.HtmlColor(), "0ABC0D");
    QPalette palette = QApplication::palette();
    const QPalette saved = palette;
    palette.setColor(QPalette::WindowText, QColor(0x12, 0x34, 0x56));
    QApplication::setPalette(palette);
    rgb.setRgbColor(QColor());
    EXPECT_EQ(rgb.HtmlColor(), "123456") << "no colour of its own: the system's window-text colour";
    QApplication::setPalette(saved);
}

TEST(TJvStrToHtml, EveryCharacterReadsTheSameInEveryBrowser)
{
    struct Case
    {
        char32_t ch;
        const char *html;
    };
    const Case cases[] = {
        {U'a', "a"},           {U'&', "&amp;"},         {U'"', "&quot;"},       {U'<', "&lt;"},
        {U'>', "&gt;"},        {U'^', "^"},             {U'~', "~"},            {U'\t', "\t"},
        {U'è', "&egrave;"},    {U'é', "&eacute;"},      {U'à', "&agrave;"},     {U'ç', "&ccedil;"},
        {U'ê', "&ecirc;"},     {U'ë', "&euml;"},        {U'ù', "&ugrave;"},     {U'č', "&#269;"},
        {U'ě', "&#283;"},      {U'š', "&#353;"},        {U'ř', "&#345;"},       {U'ž', "&#382;"},
        {U'£', "&#163;"},      {U'\u00A0', "&#160;"},   {U'€', "&#8364;"},      {U'\U0001F600', "&#128512;"},
        {U'\uFFFC', ""},
    };
    for (const Case &c : cases)
        EXPECT_EQ(TJvStrToHtml::CharToHtml(c.ch), QString::fromLatin1(c.html)) << "U+" << std::hex << uint(c.ch);

    TJvStrToHtml converter;
    converter.setText(QString::fromUtf8("Žluťoučký kůň <b> & 😀"));
    EXPECT_EQ(converter.Text(), QString::fromUtf8("Žluťoučký kůň <b> & 😀"));
    EXPECT_EQ(converter.Html(), "&#381;lu&#357;ou&#269;k&#253; k&#367;&#328; &lt;b&gt; &amp; &#128512;");
}

TEST(TJvRichEditToHtml, FontSectionsOpenAndOweTheirClosingTags)
{
    TJvRichEditToHtml converter;
    struct SizeCase
    {
        int points;
        int size;
    };
    for (const SizeCase c : {SizeCase{8, 2}, {10, 4}, {12, 6}, {14, 8}, {16, 2}, {20, 6}, {7, 9}}) {
        EXPECT_EQ(converter.FontToHtml(fontOf("Arial", c.points)),
                  QString("<FONT COLOR=#000000 SIZE=%1 FACE=\"Arial\">").arg(c.size))
            << c.points << " points";
        EXPECT_EQ(converter.FontCloseTags(), "</FONT>");
    }
    EXPECT_EQ(converter.FontToHtml(fontOf("Arial", 12, StyleBold | StyleItalic | StyleUnderline | StyleStrikeOut,
                                          QColor(0, 128, 255))),
              "<FONT COLOR=#0080FF SIZE=6 FACE=\"Arial\"><B><I><STRIKE><U>");
    EXPECT_EQ(converter.FontCloseTags(), "</U></STRIKE></I></B></FONT>");
    EXPECT_EQ(converter.FontToHtml(fontOf("Arial", 12, StyleItalic | StyleUnderline)),
              "<FONT COLOR=#000000 SIZE=6 FACE=\"Arial\"><I><U>");
    EXPECT_EQ(converter.FontCloseTags(), "</U></I></FONT>");
    EXPECT_EQ(converter.FontToHtml(fontOf("Q\"><SCRIPT>Ž", 12)),
              "<FONT COLOR=#000000 SIZE=6 FACE=\"Q&quot;&gt;&lt;SCRIPT&gt;&#381;\">")
        << "a face name never breaks the tag";
}

TEST(TJvRichEditToHtml, ParagraphTagsByAlignmentAndBullet)
{
    TJvRichEditToHtml converter;
    struct Case
    {
        int alignment;
        int numbering;
        const char *open;
        const char *close;
    };
    const Case cases[] = {
        {AlignLeft, NumberingNone, "<P ALIGN=\"LEFT\">", "</P>"},
        {AlignRight, NumberingNone, "<P ALIGN=\"RIGHT\">", "</P>"},
        {AlignCenter, NumberingNone, "<P ALIGN=\"CENTER\">", "</P>"},
        {AlignJustify, NumberingNone, "<P ALIGN=\"JUSTIFY\">", "</P>"},
        {AlignLeft, NumberingBullet, "<LI><P ALIGN=\"LEFT\">", "</P></LI>"},
        {AlignCenter, NumberingBullet, "<LI><P ALIGN=\"CENTER\">", "</P></LI>"},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(converter.ParagraphToHtml(c.alignment, c.numbering), c.open);
        EXPECT_EQ(converter.ParagraphCloseTags(), c.close);
    }
}

TEST(TJvRichEditToHtml, FontsDifferOnlyInColourStyleFaceAndSize)
{
    const CharFormat base = fontOf("Arial", 12, StyleBold, Qt::red);
    CharFormat other = base;
    other.highlight = Qt::yellow;
    other.subscript = Superscript;
    EXPECT_FALSE(TJvRichEditToHtml::FontsDiffer(base, other));
    for (auto change : std::initializer_list<std::function<void(CharFormat &)>>{
             [](CharFormat &f) { f.color = Qt::blue; }, [](CharFormat &f) { f.style = StyleItalic; },
             [](CharFormat &f) { f.face = "arial"; }, [](CharFormat &f) { f.size = 13; }}) {
        CharFormat changed = base;
        change(changed);
        EXPECT_TRUE(TJvRichEditToHtml::FontsDiffer(base, changed));
    }
}

namespace {

// A document loaded into the editor, copied into the export's scratch window and converted.
class HtmlExport : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_saved = QApplication::palette();
        QPalette palette = m_saved;
        palette.setColor(QPalette::WindowText, Qt::black);
        QApplication::setPalette(palette);
    }
    void TearDown() override { QApplication::setPalette(m_saved); }

    QByteArray convert(const QString &rtfPath)
    {
        QString error;
        EXPECT_TRUE(editor.loadFromFile(rtfPath, &error)) << error.toStdString();
        form.JvRichEdit1()->copyDocumentFrom(editor);
        const QString out = dir.filePath("out.htm");
        EXPECT_TRUE(converter.DocumentToHtmlFile(*form.JvRichEdit1(), out, &error)) << error.toStdString();
        return readFile(out);
    }

    RichEdit editor;
    TForm3 form;
    TJvRichEditToHtml converter;
    QTemporaryDir dir;
    QPalette m_saved;
};

class HtmlGolden : public HtmlExport, public ::testing::WithParamInterface<const char *>
{
};

} // namespace

TEST_P(HtmlGolden, WritesTheExpectedFile)
{
    const QString base = QDir(KORA_TEST_DATA_DIR).filePath(GetParam());
    const QByteArray expected = readFile(base + ".htm");
    ASSERT_FALSE(expected.isEmpty());
    EXPECT_EQ(convert(base + ".rtf"), expected);
}

INSTANTIATE_TEST_SUITE_P(Documents, HtmlGolden,
                         ::testing::Values("less-than-in-times", "empty-document", "charset-only-change",
                                           "centred-line-between-left-lines", "two-bullets-after-plain-text",
                                           "czech-and-markup-characters", "justified-paragraph",
                                           "styles-colour-and-sizes"),
                         [](const ::testing::TestParamInfo<const char *> &info) {
                             return QString::fromLatin1(info.param).replace('-', '_').toStdString();
                         });

TEST_F(HtmlExport, ALongParagraphGivesALineForEveryWrap)
{
    const QString paragraph = QString("Příliš žluťoučký kůň úpěl ďábelské ódy. ").repeated(40).trimmed();
    QFile rtf(dir.filePath("long.txt"));
    ASSERT_TRUE(rtf.open(QIODevice::WriteOnly));
    rtf.write(paragraph.toUtf8());
    rtf.close();
    const QList<QByteArray> lines = convert(rtf.fileName()).split('\n');
    QStringList wrapped;
    for (const QByteArray &line : lines) {
        if (line.startsWith("<BR>"))
            wrapped << QString::fromLatin1(line.endsWith('\r') ? line.chopped(1) : line);
    }
    ASSERT_GT(wrapped.size(), 3) << "a paragraph wider than 1024 pixels wraps";
    EXPECT_TRUE(wrapped.first().startsWith("<BR><FONT COLOR=#000000 SIZE=6 FACE=\"Times New Roman\">P&#345;"));
    QString text;
    for (const QString &line : std::as_const(wrapped))
        text += QString(line).remove(QRegularExpression("<[^>]*>"));
    TJvStrToHtml html;
    html.setText(paragraph);
    EXPECT_EQ(text, html.Html().trimmed()) << "the lines together are the paragraph";
}

TEST_F(HtmlExport, TheScratchWindowIsNeverShownAndTheEditorKeepsItsSelection)
{
    editor.setText("jedna dva tři");
    editor.setSelStart(6);
    editor.setSelLength(3);
    form.JvRichEdit1()->copyDocumentFrom(editor);
    QString error;
    ASSERT_TRUE(converter.DocumentToHtmlFile(*form.JvRichEdit1(), dir.filePath("x.htm"), &error));
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(form.objectName(), "Form3");
    EXPECT_EQ(form.windowTitle(), "Písmo");
    EXPECT_EQ(editor.selText(), "dva");
    EXPECT_TRUE(readFile(dir.filePath("x.htm")).contains("jedna dva t&#345;i"));
}

TEST_F(HtmlExport, AFileThatCannotBeWrittenIsReportedAndNothingIsLeft)
{
    editor.setText("text");
    form.JvRichEdit1()->copyDocumentFrom(editor);
    QString error;
    EXPECT_FALSE(converter.DocumentToHtmlFile(*form.JvRichEdit1(), dir.filePath("chybí/x.htm"), &error));
    EXPECT_TRUE(error.contains("chybí")) << error.toStdString();
    EXPECT_FALSE(QFile::exists(dir.filePath("chybí/x.htm")));
}

namespace {

// The text of our HTML's <BR> lines: tags dropped, references read back.
QString textOfHtml(const QStringList &lines)
{
    static const QRegularExpression tag("<[^>]*>");
    static const QRegularExpression reference("&(#(\\d+)|[a-z]+);");
    static const QHash<QString, QString> named = {
        {"amp", "&"}, {"lt", "<"}, {"gt", ">"}, {"quot", "\""}, {"agrave", "à"}, {"ccedil", "ç"},
        {"egrave", "è"}, {"eacute", "é"}, {"ecirc", "ê"}, {"euml", "ë"}, {"ugrave", "ù"},
    };
    QString text;
    for (const QString &line : lines) {
        if (!line.startsWith("<BR>"))
            continue;
        const QString bare = QString(line).remove(tag);
        qsizetype at = 0;
        for (QRegularExpressionMatchIterator it = reference.globalMatch(bare); it.hasNext();) {
            const QRegularExpressionMatch m = it.next();
            text += bare.mid(at, m.capturedStart() - at);
            if (m.captured(2).isEmpty()) {
                text += named.value(m.captured(1), "?");
            } else {
                // Not QString::fromUcs4, which drops a U+FEFF as a byte-order mark.
                text += QStringView(QChar::fromUcs4(m.captured(2).toUInt()));
            }
            at = m.capturedEnd();
        }
        text += bare.mid(at) + ' ';
    }
    return text;
}

} // namespace

TEST_F(HtmlExport, RealDocumentsKeepEveryWord)
{
    QStringList files;
    for (const QFileInfo &file : QDir(KORA_CORPUS_DIR).entryInfoList({"*.rtf"}, QDir::Files, QDir::Name))
        files << file.filePath();
    ASSERT_FALSE(files.isEmpty()) << "no documents in " << KORA_CORPUS_DIR;
    for (const QString &path : std::as_const(files)) {
        if (!editor.loadFromFile(path))
            continue;
        form.JvRichEdit1()->copyDocumentFrom(editor);
        QStringList lines;
        converter.DocumentToHtmlLines(*form.JvRichEdit1(), lines);
        ASSERT_GE(lines.size(), 9) << "the frame";
        EXPECT_EQ(lines.first(), "<HTML>");
        EXPECT_EQ(lines.last(), "</HTML>");
        QString text = editor.text();
        text.remove(QChar::ObjectReplacementCharacter);
        EXPECT_EQ(test::wordsOf(textOfHtml(lines)), test::wordsOf(text)) << path.toStdString();
        for (const QString &line : std::as_const(lines)) {
            const bool ascii = std::all_of(line.begin(), line.end(), [](QChar ch) { return ch.unicode() < 0x80; });
            EXPECT_TRUE(ascii) << path.toStdString() << ": " << line.toStdString();
        }
    }
}
