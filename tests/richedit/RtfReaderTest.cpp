#include "DocumentDump.h"

#include "richedit/DocumentProperties.h"
#include "richedit/RtfReader.h"

#include <QBuffer>
#include <QTextBlock>
#include <QTextImageFormat>

#include <gtest/gtest.h>

using namespace kora;

namespace {

struct TextCase
{
    const char *name;
    const char *rtf;
    const char16_t *text;
};

class RtfReaderText : public ::testing::TestWithParam<TextCase>
{
};

void PrintTo(const TextCase &c, std::ostream *os)
{
    *os << c.rtf;
}

std::string caseName(const ::testing::TestParamInfo<TextCase> &info)
{
    return info.param.name;
}

} // namespace

TEST_P(RtfReaderText, ExtractsTheText)
{
    const TextCase &c = GetParam();
    bool ok = false;
    const auto document = test::readRtf(QByteArray(c.rtf), nullptr, &ok);
    EXPECT_TRUE(ok);
    EXPECT_EQ(test::plainText(*document), QString::fromUtf16(c.text));
}

INSTANTIATE_TEST_SUITE_P(
    Snippets, RtfReaderText,
    ::testing::Values(
        TextCase{"PlainWords", "{\\rtf1 Hello world}", u"Hello world"},
        TextCase{"NoVersionNumber", "{\\rtf Hello}", u"Hello"},
        TextCase{"AnsiCodePage1250", "{\\rtf1\\ansi\\ansicpg1250 \\'e8\\'9a\\'ed}", u"čší"},
        TextCase{"AnsiWithoutCodePageIs1252", "{\\rtf1\\ansi \\'e9\\'f9}", u"éù"},
        TextCase{"FontCharsetOverridesDocumentCodePage",
                 "{\\rtf1\\ansi\\ansicpg1250{\\fonttbl{\\f0\\fcharset238 Arial;}{\\f1\\fcharset0 Arial;}"
                 "{\\f2\\fcharset1 Arial;}}\\f0 \\'e8\\f1 \\'e8\\f2 \\'e8}",
                 u"čèč"},
        TextCase{"CyrillicFontCharset", "{\\rtf1\\ansi{\\fonttbl{\\f0\\fcharset204 Arial;}}\\f0 \\'cf\\'f0\\'e8}",
                 u"При"},
        TextCase{"DoubleBytePairsAcrossEscapes",
                 "{\\rtf1\\ansi\\ansicpg932{\\fonttbl{\\f0\\fcharset128 MS;}}\\f0 \\'82\\'a0\\'82\\'a2}", u"あい"},
        TextCase{"UnicodeSkipsOneFallbackByDefault", "{\\rtf1 a\\u269?b}", u"ačb"},
        TextCase{"UnicodeSkipsHexFallback", "{\\rtf1 \\u345\\'f8x}", u"řx"},
        TextCase{"UcTwoSkipsTwo", "{\\rtf1\\uc2 \\u269??b}", u"čb"},
        TextCase{"UcZeroSkipsNothing", "{\\rtf1\\uc0 \\u269 b}", u"čb"},
        TextCase{"UcIsScopedToItsGroup", "{\\rtf1 {\\uc0 \\u269}\\u269?b}", u"ččb"},
        TextCase{"NegativeUnicode", "{\\rtf1 \\u-3913?}", u"\uF0B7"},
        TextCase{"SurrogatePairFromNegativeValues", "{\\rtf1 \\u-10179?\\u-8704?}", u"\U0001F600"},
        TextCase{"SurrogatePairFromPositiveValues", "{\\rtf1 \\u55357\\u56835}", u"\U0001F603"},
        TextCase{"UnpairedSurrogateBecomesReplacement", "{\\rtf1 a\\u-10179?b}", u"a\uFFFDb"},
        TextCase{"SpecialSymbols", "{\\rtf1 a\\~b\\-c\\_d\\tab e\\line f}", u"a\u00A0b\u00ADc\u2011d\te\u2028f"},
        TextCase{"NamedCharacters", "{\\rtf1 \\ldblquote x\\rdblquote \\emdash \\bullet}", u"\u201Cx\u201D\u2014\u2022"},
        TextCase{"EscapedBracesAndBackslash", "{\\rtf1 \\{a\\}\\\\}", u"{a}\\"},
        TextCase{"LineBreaksInSourceAreIgnored", "{\\rtf1 ab\r\ncd\ref}", u"abcdef"},
        TextCase{"BackslashNewlineIsParagraph", "{\\rtf1 ab\\\ncd}", u"ab\ncd"},
        TextCase{"ParagraphsAndFinalParIsTheLastMark", "{\\rtf1 one\\par two\\par }", u"one\ntwo"},
        TextCase{"EmptyParagraphsAreKept", "{\\rtf1 one\\par\\par two\\par\\par }", u"one\n\ntwo\n"},
        TextCase{"ControlCharactersAreDropped", "{\\rtf1 a\\'00b\\'07c\x01" "d}", u"abcd"},
        TextCase{"HiddenTextIsNotShown", "{\\rtf1 a{\\v hidden}b}", u"ab"},
        TextCase{"HeadersAndFootersDoNotLeak", "{\\rtf1 {\\header H}{\\footer F}a{\\headerf G}b{\\info{\\title T}}}",
                 u"ab"},
        TextCase{"FootnotesFollowTheBodyWithTheirNumbers",
                 "{\\rtf1 a{\\super\\chftn}{\\footnote{\\super\\chftn} one}b{\\super\\chftn{\\*\\footnote\\chftn two\\par "
                 "more}}c\\par}",
                 u"a1b2c\n\n1 one\n2two\nmore"},
        TextCase{"EmptyFootnoteLeavesNoNotesSection", "{\\rtf1 a{\\footnote }b}", u"ab"},
        TextCase{"FootnoteInsideAFootnoteIsNotRead", "{\\rtf1 a{\\footnote n{\\footnote inner}}}", u"a\n\nn"},
        TextCase{"TextBoxStandsInParagraphsOfItsOwn",
                 "{\\rtf1 before{\\shp{\\*\\shpinst{\\sp{\\sn shapeType}{\\sv 202}}{\\shptxt box\\par two}}"
                 "{\\shprslt{\\*\\do\\dptxbx{\\dptxbxtext box\\par two}}}}after}",
                 u"before\nbox\ntwo\nafter"},
        TextCase{"ShapeWithoutTextShowsItsResult", "{\\rtf1 a{\\shp{\\*\\shpinst{\\sp{\\sn shapeType}{\\sv 1}}}"
                 "{\\shprslt shown}}b}", u"ashownb"},
        TextCase{"DrawingObjectTextBox", "{\\rtf1 a{\\*\\do\\dptxbx{\\dptxbxtext in box}\\dpx0}b}", u"a\nin box\nb"},
        TextCase{"ByteOrderMarkAndBlanksBeforeTheDocument", "\xEF\xBB\xBF \r\n\t{\\rtf1 a}", u"a"},
        TextCase{"UnknownOptionalDestinationIsSkipped", "{\\rtf1 a{\\*\\foo secret}b}", u"ab"},
        TextCase{"UnknownPlainControlWordIsIgnored", "{\\rtf1 a\\foo b}", u"ab"},
        TextCase{"StyleReferencesInTheBodyAreNotDestinations",
                 "{\\rtf1 a{\\cs15\\b b}\\trowd\\ts15\\cellx100\\pard\\intbl c\\cell\\row\\htmlrtf d\\htmlrtf0 e}",
                 u"abc\nde"},
        TextCase{"HyperlinkFieldKeepsItsResult",
                 "{\\rtf1 see {\\field{\\*\\fldinst HYPERLINK \"http://a.cz\"}{\\fldrslt here}} now}",
                 u"see here now"},
        TextCase{"ObjectKeepsItsResult", "{\\rtf1 {\\object\\objemb{\\*\\objdata 0102}{\\result shown}}}", u"shown"},
        TextCase{"UprUsesItsUnicodeHalf", "{\\rtf1 {\\upr{ansi}{\\*\\ud{uni\\u269?}}}}", u"uni\u010D"},
        TextCase{"TableCellsBecomeTabsAndRowsParagraphs",
                 "{\\rtf1 \\trowd\\cellx1000\\cellx2000\\pard\\intbl a\\cell b\\cell\\row"
                 "\\trowd\\pard\\intbl \\cell d\\cell\\row\\pard after\\par}",
                 u"a\tb\n\td\nafter"},
        TextCase{"NumbersTheListGeneratesAreNotText",
                 "{\\rtf1{\\pntext 1.\\tab}{\\*\\pn\\pnlvlbody\\pndec}first\\par{\\pntext 2.\\tab}second}",
                 u"first\nsecond"},
        TextCase{"LabelsTheListCannotGenerateStayText",
                 "{\\rtf1{\\pntext 5.\\tab}{\\*\\pn\\pnlvlbody\\pndec}five\\par{\\pntext a)\\tab}{\\*\\pn\\pnlvlbody"
                 "\\pnlcltr}letter\\par{\\listtext 1.1.\\tab}\\ls1 nested}",
                 u"5.\tfive\na)\tletter\n1.1.\tnested"},
        TextCase{"BulletTextIsNotDuplicated",
                 "{\\rtf1{\\pntext\\'b7\\tab}{\\*\\pn\\pnlvlblt{\\pntxtb\\'b7}}item}", u"item"},
        TextCase{"PageAndSectionBreaksEndAParagraphOnce", "{\\rtf1 a\\par\\sect b\\page c}", u"a\nb\nc"},
        TextCase{"ExtraClosingBraceEndsTheDocument", "{\\rtf1 a}}b", u"a"},
        TextCase{"TruncatedDocumentKeepsItsText", "{\\rtf1 {\\b bold", u"bold"},
        TextCase{"BadHexKeepsWhatFollows", "{\\rtf1 \\u345\\'3?x}", u"ř?x"},
        TextCase{"BinDataIsNotText", "{\\rtf1 {\\*\\shprslt\\bin5 }{x}}b}", u"b"}),
    caseName);

TEST(RtfReader, RejectsWhatIsNotRtf)
{
    for (const char *data : {"", "foobar", "\\foobar", "/{\\rtf1 a}", "{\\rt"}) {
        bool ok = true;
        test::readRtf(QByteArray(data), nullptr, &ok);
        EXPECT_FALSE(ok) << data;
    }
    EXPECT_TRUE(rtf::looksLikeRtf(" \r\n{\\rtf1}"));
}

TEST(RtfReader, CharacterFormattingRunByRun)
{
    const auto document = test::readRtf(
        "{\\rtf1\\ansi{\\fonttbl{\\f0\\fswiss Arial;}{\\f1\\froman Times New Roman;}}"
        "{\\colortbl;\\red255\\green0\\blue0;\\red0\\green0\\blue255;}"
        "\\f0\\fs20 plain {\\b bold}{\\i\\ul ital}{\\strike gone}\\cf1 red\\highlight2 blue\\plain "
        "x{\\super 2}{\\sub 3}{\\fs25 half}}");
    EXPECT_EQ(test::dump(*document).toStdString(),
              "P align=0 li=0 fi=0 ri=0\n"
              "  \"plain \" face=Arial half=20 fg=auto bg=auto\n"
              "  \"bold\" face=Arial half=20 b fg=auto bg=auto\n"
              "  \"ital\" face=Arial half=20 iu fg=auto bg=auto\n"
              "  \"gone\" face=Arial half=20 s fg=auto bg=auto\n"
              "  \"red\" face=Arial half=20 fg=#ff0000 bg=auto\n"
              "  \"blue\" face=Arial half=20 fg=#ff0000 bg=#0000ff\n"
              "  \"x\" face=Arial half=24 fg=auto bg=auto\n"
              "  \"2\" face=Arial half=24 super fg=auto bg=auto\n"
              "  \"3\" face=Arial half=24 sub fg=auto bg=auto\n"
              "  \"half\" face=Arial half=25 fg=auto bg=auto");
}

TEST(RtfReader, ToggleWordsWithZeroTurnOff)
{
    const auto document = test::readRtf("{\\rtf1\\b\\i\\ul\\strike a\\b0\\i0\\ulnone\\strike0 b\\ul c\\ul0 d}");
    const QString dump = test::dump(*document);
    EXPECT_TRUE(dump.contains("\"a\" face=- half=24 bius")) << dump.toStdString();
    EXPECT_TRUE(dump.contains("\"b\" face=- half=24 fg")) << dump.toStdString();
    EXPECT_TRUE(dump.contains("\"c\" face=- half=24 u fg")) << dump.toStdString();
    EXPECT_TRUE(dump.contains("\"d\" face=- half=24 fg")) << dump.toStdString();
}

TEST(RtfReader, ParagraphFormattingAndPardReset)
{
    const auto document = test::readRtf("{\\rtf1\\pard\\qc\\fi-200\\li400\\ri100 centre\\par "
                                        "right\\qr\\par\\pard justified\\qj\\par\\pard plain\\par}");
    EXPECT_EQ(test::dump(*document).toStdString(),
              "P align=2 li=400 fi=-200 ri=100\n"
              "  \"centre\" face=- half=24 fg=auto bg=auto\n"
              "P align=1 li=400 fi=-200 ri=100\n"
              "  \"right\" face=- half=24 fg=auto bg=auto\n"
              "P align=3 li=0 fi=0 ri=0\n"
              "  \"justified\" face=- half=24 fg=auto bg=auto\n"
              "P align=0 li=0 fi=0 ri=0\n"
              "  \"plain\" face=- half=24 fg=auto bg=auto");
}

TEST(RtfReader, BulletsFromPnAndFromListTables)
{
    const auto document = test::readRtf(
        "{\\rtf1{\\*\\listtable{\\list\\listtemplateid1{\\listlevel\\levelnfc23{\\leveltext\\'01\\u-3913 ?;}}"
        "\\listid10}{\\list{\\listlevel\\levelnfc0{\\leveltext\\'02\\'00.;}}\\listid20}}"
        "{\\*\\listoverridetable{\\listoverride\\listid10\\ls1}{\\listoverride\\listid20\\ls2}}"
        "{\\pntext\\'b7\\tab}{\\*\\pn\\pnlvlblt{\\pntxtb\\'b7}}pnbullet\\par"
        "\\pard{\\listtext\\'b7\\tab}\\ls1 listed\\par"
        "\\pard{\\listtext 1.\\tab}\\ls2 numbered\\par"
        "\\pard\\ls7 missing list\\par}");
    const QTextDocument &d = *document;
    ASSERT_EQ(d.blockCount(), 4);
    EXPECT_NE(d.findBlockByNumber(0).textList(), nullptr);
    EXPECT_EQ(d.findBlockByNumber(0).text(), "pnbullet");
    EXPECT_NE(d.findBlockByNumber(1).textList(), nullptr);
    EXPECT_EQ(d.findBlockByNumber(1).text(), "listed");
    EXPECT_TRUE(test::dump(d).contains("P align=0 li=0 fi=0 ri=0 number=1 level=0\n  \"numbered\""))
        << test::dump(d).toStdString();
    EXPECT_EQ(d.findBlockByNumber(3).textList(), nullptr) << "a list that does not exist is no bullet";
}

TEST(RtfReader, ListNumberingRunsOnOverFootnotesAndRestartsBelowAHigherLevel)
{
    const auto document = test::readRtf(
        R"({\rtf1{\*\listtable{\list{\listlevel\levelnfc0}{\listlevel\levelnfc0}\listid5}})"
        R"({\*\listoverridetable{\listoverride\listid5\ls3}})"
        R"({\*\pn\pnlvlbody\pndec}a{\footnote{\*\pn\pnlvlbody\pndec}note}\par{\*\pn\pnlvlbody\pndec}b\par)"
        R"(\pard\ls3 c\par\ls3\ilvl1 c1\par\ls3\ilvl1 c2\par\pard\ls3 d\par\ls3\ilvl1 d1\par})");
    QStringList numbers;
    for (const QString &line : test::dump(*document).split(u'\n')) {
        if (line.startsWith(u'P'))
            numbers << line.section(u' ', 5);
    }
    EXPECT_EQ(numbers, QStringList({"number=1 level=0", "number=2 level=0", "number=1 level=0", "number=1 level=1",
                                    "number=2 level=1", "number=2 level=0", "number=1 level=1", "",
                                    "number=1 level=0"}))
        << test::dump(*document).toStdString();
}

TEST(RtfReader, ReportsWhatItDropped)
{
    struct Case
    {
        std::string rtf;
        unsigned expected;
    };
    const Case cases[] = {
        {"{\\rtf1 a}", 0},
        {"{\\rtf1 {\\header head}a}", rtf::DroppedHeaders},
        {"{\\rtf1 {\\header}a}", 0},
        {"{\\rtf1 {\\footerr foot}a}", rtf::DroppedFooters},
        {"{\\rtf1 a{\\footnote note}}", rtf::DroppedFootnotes},
        {"{\\rtf1 a{\\footnote }}", 0},
        {"{\\rtf1 a{\\*\\annotation note}}", rtf::DroppedComments},
        {"{\\rtf1 a\\cell b\\row}", rtf::DroppedTables},
        {"{\\rtf1 {\\field{\\*\\fldinst PAGE}{\\fldrslt 3}}}", rtf::DroppedFields},
        {"{\\rtf1 {\\field{\\*\\fldinst HYPERLINK \"x\"}{\\fldrslt x}}}", 0},
        {"{\\rtf1 {\\shp{\\*\\shpinst{\\shptxt box}}}a}", rtf::DroppedTextBoxes},
        {"{\\rtf1 {\\shp{\\*\\shpinst{\\sp{\\sn shapeType}{\\sv 1}}}}a}", rtf::DroppedDrawings},
        {"{\\rtf1 {\\*\\do\\dptxbx{\\dptxbxtext t}}{\\*\\do\\dpline\\dpx0}a}", rtf::DroppedTextBoxes | rtf::DroppedDrawings},
        {"{\\rtf1 a" + std::string(1200, '{') + "b" + std::string(1200, '}') + "}", rtf::DroppedDeepGroups},
        {"{\\rtf1 {\\object{\\result r}}}", rtf::DroppedObjects},
        {"{\\rtf1 a{\\v secret}}", rtf::DroppedHidden},
        {"{\\rtf1 {\\*\\mystery visible words}a}", rtf::DroppedUnknown},
        {"{\\rtf1 {\\*\\generator Some Writer 1.0;}{\\*\\themedata 0102}a}", 0},
    };
    for (const Case &c : cases) {
        rtf::ReadReport report;
        test::readRtf(QByteArray::fromStdString(c.rtf), &report);
        EXPECT_EQ(report.dropped, c.expected) << c.rtf.substr(0, 80);
    }
}

namespace {

QByteArray hex(const QByteArray &bytes)
{
    return bytes.toHex();
}

QByteArray tinyPng()
{
    QImage image(3, 2, QImage::Format_RGB32);
    image.fill(Qt::red);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return png;
}

QTextImageFormat firstImage(const QTextDocument &document)
{
    for (QTextBlock b = document.begin(); b.isValid(); b = b.next()) {
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            if (it.fragment().charFormat().isImageFormat())
                return it.fragment().charFormat().toImageFormat();
        }
    }
    return {};
}

int imageCount(const QTextDocument &document)
{
    return int(test::plainText(document).count(QChar::ObjectReplacementCharacter));
}

} // namespace

TEST(RtfReader, PngPictureIsDecodedAtItsGoalSize)
{
    const QByteArray rtf = "{\\rtf1 a{\\pict\\pngblip\\picw3\\pich2\\picwgoal1440\\pichgoal720 " + hex(tinyPng())
                           + "}b}";
    const auto document = test::readRtf(rtf);
    EXPECT_EQ(test::plainText(*document), QString("a\uFFFCb"));
    const QTextImageFormat image = firstImage(*document);
    EXPECT_DOUBLE_EQ(image.width(), 96.0);
    EXPECT_DOUBLE_EQ(image.height(), 48.0);
    const QImage shown = document->resource(QTextDocument::ImageResource, QUrl(image.name())).value<QImage>();
    EXPECT_EQ(shown.size(), QSize(3, 2));
    EXPECT_EQ(shown.pixel(0, 0), qRgb(255, 0, 0));
}

TEST(RtfReader, RawBinaryPictureData)
{
    const QByteArray png = tinyPng();
    const QByteArray rtf = "{\\rtf1{\\pict\\pngblip {\\bin" + QByteArray::number(png.size()) + " " + png + "}}}";
    const auto document = test::readRtf(rtf);
    EXPECT_EQ(firstImage(*document).property(PropPictureData).toByteArray(), png);
}

TEST(RtfReader, UndecodablePictureKeepsItsBytesAndPlace)
{
    const QByteArray wmf = QByteArray::fromHex("0100090000034e00000000000000");
    const auto document =
        test::readRtf("{\\rtf1 x{\\pict\\wmetafile8\\picw100\\pich50\\picwgoal600\\pichgoal300 " + hex(wmf) + "}y}");
    const QTextImageFormat image = firstImage(*document);
    EXPECT_EQ(image.property(PropPictureData).toByteArray(), wmf);
    EXPECT_EQ(image.intProperty(PropPictureKind), int(rtf::PictureKind::Wmf));
    EXPECT_EQ(image.intProperty(PropPictureMetafileMode), 8);
    EXPECT_DOUBLE_EQ(image.width(), 40.0);
    EXPECT_FALSE(document->resource(QTextDocument::ImageResource, QUrl(image.name())).value<QImage>().isNull())
        << "a placeholder is shown";
}

TEST(RtfReader, PictureStoredTwiceIsKeptOnce)
{
    const QByteArray rtf = "{\\rtf1{\\*\\shppict{\\pict\\pngblip " + hex(tinyPng())
                           + "}}{\\nonshppict{\\pict\\wmetafile8 0100}}}";
    const auto document = test::readRtf(rtf);
    EXPECT_EQ(imageCount(*document), 1);
    EXPECT_EQ(firstImage(*document).intProperty(PropPictureKind), int(rtf::PictureKind::Png));
}

TEST(RtfReader, DibPictureIsDecoded)
{
    // 2x1 pixels, 24 bits, bottom-up rows padded to 4 bytes.
    QByteArray dib = QByteArray::fromHex("28000000020000000100000001001800000000000800000000000000000000000000000000000000");
    dib += QByteArray::fromHex("0000ffff000000");
    dib += '\0';
    const auto document = test::readRtf("{\\rtf1{\\pict\\dibitmap0\\picw2\\pich1 " + hex(dib) + "}}");
    const QTextImageFormat image = firstImage(*document);
    const QImage shown = document->resource(QTextDocument::ImageResource, QUrl(image.name())).value<QImage>();
    ASSERT_EQ(shown.size(), QSize(2, 1));
    EXPECT_EQ(shown.pixel(0, 0), qRgb(255, 0, 0));
    EXPECT_EQ(shown.pixel(1, 0), qRgb(0, 0, 255));
}

TEST(RtfReader, SurvivesHostileInputAndKeepsWhatItCan)
{
    const QByteArray deep = "{\\rtf1 a" + QByteArray(200000, '{') + "b" + QByteArray(200000, '}') + "c}";
    // Past the depth limit groups are flattened: their text stays, a destination among them is
    // skipped, and their formatting lasts until the last of them closes.
    const QByteArray deepFormatted = "{\\rtf1 " + QByteArray(1100, '{') + "{\\b bold}plain{\\*\\x gone}{\\footnote n}end"
                                     + QByteArray(1100, '}') + " after}";
    struct Case
    {
        QByteArray rtf;
        QString text;
    };
    const Case cases[] = {
        {deep, "abc"},
        {deepFormatted, "boldplainend after"},
        {"{\\rtf1 \\bin2147483647 abc}", ""},
        {"{\\rtf1 \\bin-5 abc}", "abc"},
        {"{\\rtf1 \\fs99999999999999999999 big\\li-99999999999 \\u99999999999 x y}", "big y"},
        {"{\\rtf1 a" + QByteArray(100000, '}'), "a"},
        {"{\\rtf1 {\\pict\\pngblip 89504e470d0a1a0a0000000d4948445200ffffff00ffffff0806}}", "\uFFFC"},
        {"{\\rtf1 {\\pict\\wbitmap0\\picw100000\\pich100000\\wbmwidthbytes1 00}}", "\uFFFC"},
        {"{\\rtf1 {\\pict\\dibitmap0 28000000ffffff7fffffff7f01002000}}", "\uFFFC"},
        {"{\\rtf1 a\\'", "a"},
        {"{\\rtf1 a\\", "a"},
        {"{\\rtf1 {\\colortbl" + QByteArray(100000, ';') + "}\\cf99999 x}", "x"},
        {"{\\rtf1 {\\fonttbl{\\f0 \\u-1?\\u55357?;}}\\f0 x}", "x"},
        {"{\\rtf1 a{\\footnote n{\\shp{\\*\\shpinst{\\shptxt t" + QByteArray(2000, '{'), "a\n\nn\nt"},
    };
    for (const Case &c : cases) {
        bool ok = false;
        const auto document = test::readRtf(c.rtf, nullptr, &ok);
        EXPECT_TRUE(ok) << c.rtf.left(60).constData();
        EXPECT_EQ(test::plainText(*document), c.text) << c.rtf.left(60).constData();
    }
    const auto formatted = test::readRtf(deepFormatted);
    EXPECT_EQ(test::dump(*formatted).toStdString(), "P align=0 li=0 fi=0 ri=0\n"
                                                    "  \"boldplainend\" face=- half=24 b fg=auto bg=auto\n"
                                                    "  \" after\" face=- half=24 fg=auto bg=auto");
}

TEST(RtfReader, FontNamesOutsideTheDocumentCodePage)
{
    const auto document = test::readRtf(
        "{\\rtf1\\ansi\\ansicpg1250{\\fonttbl{\\f0\\fnil\\fcharset134 \\'cb\\'ce\\'cc\\'e5;}"
        "{\\f1\\fnil\\fcharset238 \\u1040?\\u1088?\\'e8\\u12513?;}{\\f2\\fcharset204 \\'c0\\'f0{\\*\\falt Ar};}}"
        "\\f0 a\\f1 b\\f2 c}");
    const QString dump = test::dump(*document);
    EXPECT_TRUE(dump.contains("\"a\" face=宋体 ")) << dump.toStdString();
    EXPECT_TRUE(dump.contains("\"b\" face=Арčメ ")) << dump.toStdString();
    EXPECT_TRUE(dump.contains("\"c\" face=Ар ")) << dump.toStdString();
}
