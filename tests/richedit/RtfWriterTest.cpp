#include "DocumentDump.h"

#include "richedit/DocumentProperties.h"
#include "richedit/RtfWriter.h"

#include <QBuffer>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextImageFormat>

#include <gtest/gtest.h>

using namespace kora;

namespace {

// Every attribute the editor knows, in several combinations, with Czech text and characters
// outside code page 1250.
const char kRichDocument[] =
    "{\\rtf1\\ansi\\ansicpg1250{\\fonttbl{\\f0\\fswiss\\fcharset238 Arial;}{\\f1\\froman\\fcharset238 Times New "
    "Roman;}{\\f2\\fmodern Courier New;}}"
    "{\\colortbl;\\red255\\green0\\blue0;\\red0\\green128\\blue0;\\red255\\green255\\blue0;}"
    "\\pard\\qc\\li720\\fi-360\\ri240\\f0\\fs28 P\\'f8\\'ed\\'9e{\\b tu\\'9ae}{\\i k\\'f9\\'f2}\\par"
    "\\pard\\qr{\\ul\\cf1 red underline}{\\strike\\cf2 struck}\\par"
    "\\pard\\qj\\f1\\fs20{\\highlight3 marked}{\\super sup}{\\sub sub}\\u1046?\\u-10179?\\u-8704? \\{x\\}\\\\\\par"
    "\\pard{\\pntext\\'b7\\tab}{\\*\\pn\\pnlvlblt{\\pntxtb\\'b7}}\\li400\\fi-200 bullet one\\par"
    "bullet two\\par"
    "\\pard\\f2\\fs17 tab\\tab line\\line nbsp\\~shy\\-nbh\\_end\\par"
    "\\pard\\par"
    "\\pard last}";

QByteArray roundTrip(const QByteArray &rtf)
{
    const auto document = test::readRtf(rtf);
    return rtf::write(*document);
}

} // namespace

TEST(RtfWriter, RoundTripKeepsTextAndEveryAttributeRunForRun)
{
    const auto original = test::readRtf(kRichDocument);
    const QByteArray written = rtf::write(*original);
    bool ok = false;
    const auto again = test::readRtf(written, nullptr, &ok);
    ASSERT_TRUE(ok);
    EXPECT_EQ(test::dump(*again).toStdString(), test::dump(*original).toStdString()) << written.constData();
    // Writing what was read back gives the same bytes: the writer is stable.
    EXPECT_EQ(rtf::write(*again), written);
}

TEST(RtfWriter, HeaderDeclaresCodePage1250FontsAndColours)
{
    const QByteArray out = roundTrip(kRichDocument);
    EXPECT_TRUE(out.startsWith("{\\rtf1\\ansi\\ansicpg1250\\deff0")) << out.left(80).constData();
    EXPECT_TRUE(out.contains("{\\f0\\fnil\\fcharset238 Times New Roman;}"));
    EXPECT_TRUE(out.contains("\\fcharset238 Arial;}"));
    EXPECT_TRUE(out.contains("\\ftech\\fcharset2 Symbol;}")) << "bullets use the Symbol font";
    EXPECT_TRUE(out.contains("{\\colortbl ;\\red255\\green0\\blue0;"));
    EXPECT_TRUE(out.trimmed().endsWith("}"));
}

TEST(RtfWriter, EncodesCharactersByCodePage)
{
    struct Case
    {
        const char16_t *text;
        const char *expected;
    };
    const Case cases[] = {
        {u"čř", "\\'e8\\'f8"},
        {u"\u0416", "\\u1046?"},
        {u"\U0001F600", "\\u-10179?\\u-8704?"},
        {u"{a}\\", "\\{a\\}\\\\"},
        {u"a\tb", "a\\tab b"},
        {u"a\u00A0b\u00ADc\u2011d", "a\\~b\\-c\\_d"},
        {u"a\u2028b", "a\\line b"},
    };
    for (const Case &c : cases) {
        QTextDocument document;
        QTextCursor(&document).insertText(QString::fromUtf16(c.text));
        const QByteArray out = rtf::write(document);
        EXPECT_TRUE(out.contains(c.expected)) << c.expected << " in " << out.constData();
    }
}

TEST(RtfWriter, BulletsAreWrittenInPnForm)
{
    const QByteArray out = roundTrip("{\\rtf1{\\pntext\\'b7\\tab}{\\*\\pn\\pnlvlblt{\\pntxtb\\'b7}}\\li200 item}");
    EXPECT_TRUE(out.contains("{\\pntext\\f1\\'B7\\tab}{\\*\\pn\\pnlvlblt\\pnf1\\pnindent0{\\pntxtb\\'B7}}"))
        << out.constData();
}

TEST(RtfWriter, NumberedListsGoToTheListTableWithTheirLabelsAsText)
{
    const QByteArray out = roundTrip("{\\rtf1{\\*\\pn\\pnlvlbody\\pndec}one\\par{\\*\\pn\\pnlvlbody\\pndec}two\\par\\pard "
                                     "{\\pntext\\'b7\\tab}{\\*\\pn\\pnlvlblt}dot\\par}");
    EXPECT_TRUE(out.contains("{\\list\\listtemplateid1{\\listlevel\\levelnfc0\\levelnfcn0\\leveljc0\\leveljcn0"
                             "\\levelfollow0\\levelstartat1{\\leveltext\\'02\\'00.;}{\\levelnumbers\\'01;}}\\listid1}"))
        << out.constData();
    EXPECT_TRUE(out.contains("{\\listoverride\\listid1\\listoverridecount0\\ls1}{\\listoverride\\listid2"));
    EXPECT_TRUE(out.contains("\\pard\\ls1\\ilvl0{\\listtext 1.\\tab}one\\par")) << out.constData();
    EXPECT_TRUE(out.contains("\\pard\\ls1\\ilvl0{\\listtext 2.\\tab}two\\par"));
    // Beside numbered lists, bullets are list-table lists too, in their own font.
    EXPECT_TRUE(out.contains("\\levelnfc23")) << out.constData();
    EXPECT_TRUE(out.contains("\\pard\\ls2\\ilvl0{\\listtext\\f1\\'B7\\tab}dot\\par"));
    EXPECT_FALSE(out.contains("\\pnlvlblt"));
}

TEST(RtfWriter, SelectionRangeWritesOnlyThoseCharacters)
{
    const auto document = test::readRtf("{\\rtf1 first\\par {\\b second}\\par third}");
    // "st\nsec": from offset 3 of "first" to offset 3 of "second".
    const QByteArray out = rtf::write(*document, 3, 9);
    const auto part = test::readRtf(out);
    EXPECT_EQ(test::plainText(*part), QString("st\nsec"));
    EXPECT_TRUE(test::dump(*part).contains("\"sec\" face=Times New Roman half=24 b")) << test::dump(*part).toStdString() << out.constData();
}

namespace {

QByteArray imageBytes(const char *format)
{
    QImage image(4, 4, QImage::Format_RGB32);
    image.fill(Qt::blue);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

QTextImageFormat onlyImage(const QTextDocument &document)
{
    for (auto it = document.begin().begin(); !it.atEnd(); ++it) {
        if (it.fragment().charFormat().isImageFormat())
            return it.fragment().charFormat().toImageFormat();
    }
    return {};
}

} // namespace

TEST(RtfWriter, PicturesKeepTheirOriginalBytesAndKind)
{
    struct Case
    {
        const char *control;
        QByteArray bytes;
        const char *written;
    };
    const Case cases[] = {
        {"\\pngblip", imageBytes("PNG"), "\\pngblip"},
        {"\\jpegblip", imageBytes("JPEG"), "\\jpegblip"},
        {"\\wmetafile8", QByteArray::fromHex("010009000003deadbeef"), "\\wmetafile8"},
        {"\\emfblip", QByteArray::fromHex("0100000088000000cafe"), "\\emfblip"},
    };
    for (const Case &c : cases) {
        const QByteArray rtf = QByteArray("{\\rtf1{\\pict") + c.control + "\\picw4\\pich4\\picwgoal600\\pichgoal600 "
                               + c.bytes.toHex() + "}}";
        const QByteArray out = roundTrip(rtf);
        EXPECT_TRUE(out.contains(c.written)) << c.control;
        EXPECT_TRUE(out.contains("\\picwgoal600\\pichgoal600")) << c.control;
        const auto again = test::readRtf(out);
        EXPECT_EQ(onlyImage(*again).property(PropPictureData).toByteArray(), c.bytes) << c.control;
    }
}

TEST(RtfWriter, PictureWithoutOriginalBytesIsWrittenAsPng)
{
    QTextDocument document;
    QImage image(5, 3, QImage::Format_RGB32);
    image.fill(Qt::green);
    document.addResource(QTextDocument::ImageResource, QUrl("kora-picture:1"), image);
    QTextImageFormat format;
    format.setName("kora-picture:1");
    format.setWidth(5);
    format.setHeight(3);
    QTextCursor(&document).insertImage(format);
    const QByteArray out = rtf::write(document);
    EXPECT_TRUE(out.contains("\\pngblip\\picw5\\pich3\\picwgoal75\\pichgoal45")) << out.constData();
    const auto again = test::readRtf(out);
    const QTextImageFormat read = onlyImage(*again);
    EXPECT_EQ(again->resource(QTextDocument::ImageResource, QUrl(read.name())).value<QImage>().size(), QSize(5, 3));
}

TEST(RtfWriter, EmptyDocumentRoundTripsToOneEmptyParagraph)
{
    QTextDocument document;
    const auto again = test::readRtf(rtf::write(document));
    EXPECT_EQ(again->blockCount(), 1);
    EXPECT_TRUE(test::plainText(*again).isEmpty());
}
