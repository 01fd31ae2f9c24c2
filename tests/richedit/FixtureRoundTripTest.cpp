// Documents written by other word processors that one save and reopen used to change: each reads
// to the expected text and formatting, and two saves in a row write the same bytes and read back
// to the same document.
#include "DocumentDump.h"

#include "richedit/DocumentCodec.h"
#include "richedit/RtfWriter.h"

#include <gtest/gtest.h>

#include <vector>

using namespace kora;

namespace {

struct Fixture
{
    const char *file;
    const char16_t *text;            // paragraphs joined by '\n'
    std::vector<const char *> dump;  // lines of test::dump() the document must have
    unsigned dropped;
};

void PrintTo(const Fixture &f, std::ostream *os)
{
    *os << f.file;
}

const Fixture kFixtures[] = {
    {"font-names-outside-1250.rtf",
     u"宋体\nПривет\nメイリオ\nčšř",
     {"  \"宋体\" face=宋体 half=24 fg=auto bg=auto", "  \"Привет\" face=Ариал half=24 fg=auto bg=auto",
      "  \"メイリオ\" face=メイリオ half=24 fg=auto bg=auto", "  \"čšř\" face=Times New Roman half=24 fg=auto bg=auto"},
     0},
    {"symbol-font-with-bullets.rtf",
     u"čšř in a font named Symbol\nbullet ř\nPříliš",
     {"  \"čšř in a font named Symbol\" face=Symbol half=24 fg=auto bg=auto", "P align=0 li=720 fi=-360 ri=0 bullet",
      "  \"Příliš\" face=Symbol half=24 fg=auto bg=auto"},
     0},
    {"bom-and-blanks-before-rtf.rtf", u"Příliš", {}, 0},
    {"numbered-list-table.rtf",
     u"Jablka\nHrušky\nzelené\nžluté\nMezi položkami.\nŠvestky\nKonec.",
     {"P align=0 li=720 fi=-360 ri=0 number=1 level=0", "P align=0 li=720 fi=-360 ri=0 number=2 level=0",
      "P align=0 li=1440 fi=-360 ri=0 number=1 level=1", "P align=0 li=1440 fi=-360 ri=0 number=2 level=1",
      "P align=0 li=720 fi=-360 ri=0 number=3 level=0", "P align=0 li=0 fi=0 ri=0"},
     0},
    {"numbered-pn.rtf", u"První\nDruhý\nTřetí\nKonec.",
     {"P align=0 li=720 fi=-360 ri=0 number=1 level=0", "P align=0 li=720 fi=-360 ri=0 number=3 level=0"}, 0},
    {"text-box-word.rtf", u"Před polem \nText v poli\nשלום\n za polem.\nTvar bez textu a konec.",
     {"P align=1 li=0 fi=0 ri=0", "  \"שלום\" face=Times New Roman (Hebrew) half=24 fg=auto bg=auto"},
     rtf::DroppedTextBoxes | rtf::DroppedDrawings},
    {"text-box-libreoffice.rtf", u"Slova v obdélníku\nשלום\nText kotvy.",
     {"  \"שלום\" face=David half=24 fg=auto bg=auto"}, rtf::DroppedTextBoxes},
    {"text-box-drawing-object.rtf", u"Starý dokument\nSlova v kresbe\n a další text.\nKonec.",
     {"  \"Slova v kresbe\" face=Times New Roman half=20 fg=auto bg=auto"}, rtf::DroppedTextBoxes | rtf::DroppedDrawings},
    {"footnotes-word.rtf",
     u"Text s poznámkou1 a hebrejskou2 a vysvětlivkou3.\nKonec.\n\n1 Poznámka pod čarou.\nJejí druhý odstavec.\n"
     u"2 שלום\n3 Vysvětlivka.",
     {"  \"1\" face=Times New Roman half=24 super fg=auto bg=auto", "  \"1\" face=Times New Roman half=20 super fg=auto bg=auto",
      "  \"שלום\" face=Times New Roman (Hebrew) half=20 fg=auto bg=auto"},
     rtf::DroppedFootnotes},
    {"footnotes-libreoffice.rtf", u"První věta1 a druhá.\nDalší odstavec2\n\n1 Poznámka z jiného editoru.\n2 שלום",
     {"  \" שלום\" face=David half=20 fg=auto bg=auto"}, rtf::DroppedFootnotes},
    {"packaged-objects.rtf", u"před \uFFFC za \uFFFC", {}, 0},
};

class FixtureRoundTrip : public ::testing::TestWithParam<Fixture>
{
};

std::string fixtureName(const ::testing::TestParamInfo<Fixture> &info)
{
    std::string name = info.param.file;
    name = name.substr(0, name.find('.'));
    for (char &c : name) {
        if (!std::isalnum(static_cast<unsigned char>(c)))
            c = '_';
    }
    return name;
}

} // namespace

TEST_P(FixtureRoundTrip, ReadsRightAndTwoSavesAreStable)
{
    const Fixture &f = GetParam();
    const QByteArray data = test::readFile(QStringLiteral(KORA_TEST_DATA_DIR "/") + QLatin1String(f.file));
    ASSERT_FALSE(data.isEmpty()) << f.file;
    rtf::ReadReport report;
    bool ok = false;
    const auto opened = test::readRtf(data, &report, &ok);
    ASSERT_TRUE(ok);
    EXPECT_EQ(test::plainText(*opened), QString::fromUtf16(f.text));
    const QStringList lines = test::dump(*opened).split(u'\n');
    for (const char *line : f.dump)
        EXPECT_TRUE(lines.contains(QString::fromUtf8(line))) << line << "\nin:\n" << test::dump(*opened).toStdString();
    EXPECT_EQ(report.dropped, f.dropped);

    const QByteArray firstSave = rtf::write(*opened);
    const auto reopened = test::readRtf(firstSave, &report);
    EXPECT_EQ(report.dropped, 0u) << "what the editor wrote is all ordinary content";
    EXPECT_EQ(test::plainText(*reopened), test::plainText(*opened)) << firstSave.constData();
    for (const char *line : f.dump) {
        EXPECT_TRUE(test::dump(*reopened).split(u'\n').contains(QString::fromUtf8(line)))
            << line << "\nafter a save:\n" << test::dump(*reopened).toStdString();
    }
    const QByteArray secondSave = rtf::write(*reopened);
    EXPECT_EQ(secondSave, firstSave);
    EXPECT_EQ(test::dump(*test::readRtf(secondSave)), test::dump(*reopened));
}

INSTANTIATE_TEST_SUITE_P(Fixtures, FixtureRoundTrip, ::testing::ValuesIn(kFixtures), fixtureName);

TEST(FixtureRoundTrip, PlainTextExportNumbersListsAndTheDocumentTextDoesNot)
{
    const auto document = test::readRtf(test::readFile(KORA_TEST_DATA_DIR "/numbered-list-table.rtf"));
    EXPECT_EQ(documentcodec::exportText(*document),
              "    1. Jablka\n    2. Hrušky\n        1. zelené\n        2. žluté\nMezi položkami.\n    3. Švestky\nKonec.");
    EXPECT_EQ(documentcodec::plainText(*document), test::plainText(*document)) << "the document's own characters";
    // From the middle of an item its label is not written.
    EXPECT_EQ(documentcodec::exportText(*document, 2, 12), "blka\n    2. Hrušk");
}
