#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include "support/Poppler.h"
#include "support/QtPrinters.h"

#include <gtest/gtest.h>

namespace {

struct Conversion
{
    int exitCode = -1;
    QByteArray output;
    QString errors;
};

Conversion convert(const QStringList &arguments, const QProcessEnvironment &environment =
                                                      QProcessEnvironment::systemEnvironment())
{
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(KORA_CONVERT), arguments);
    process.waitForFinished(60000);
    Conversion result;
    result.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    result.output = process.readAllStandardOutput();
    result.errors = QString::fromLocal8Bit(process.readAllStandardError());
    return result;
}

class KoraConvert : public ::testing::Test
{
protected:
    QString file(const QString &name, const QByteArray &data = {})
    {
        const QString path = dir.filePath(name);
        if (!data.isNull()) {
            QFile f(path);
            f.open(QIODevice::WriteOnly);
            f.write(data);
        }
        return path;
    }

    QByteArray read(const QString &name)
    {
        QFile f(dir.filePath(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    QTemporaryDir dir;
};

} // namespace

TEST_F(KoraConvert, RtfToTextAndBack)
{
    const QString in = file("in.rtf", "{\\rtf1\\ansi\\ansicpg1250 P\\'f8\\'edli\\'9a\\par {\\b tu\\'9en\\'fd}\\par}");
    ASSERT_EQ(convert({in, file("out.txt")}).exitCode, 0);
    EXPECT_EQ(read("out.txt"), QString("Příliš\r\ntužný").toUtf8());

    ASSERT_EQ(convert({file("out.txt"), file("again.kora")}).exitCode, 0);
    EXPECT_TRUE(read("again.kora").startsWith("{\\rtf1\\ansi\\ansicpg1250"));
    EXPECT_TRUE(read("again.kora").contains("P\\'f8\\'edli\\'9a"));
}

TEST_F(KoraConvert, TextFallbackStaysTextForOtherExtensions)
{
    const QString in = file("notes.log", "line one\nline two\n");
    ASSERT_EQ(convert({in, file("copy.log")}).exitCode, 0);
    EXPECT_EQ(read("copy.log"), "line one\nline two\n");
}

TEST_F(KoraConvert, FailuresExitNonZeroWithOneLine)
{
    Conversion missing = convert({dir.filePath("missing.rtf"), file("x.txt")});
    EXPECT_NE(missing.exitCode, 0);
    EXPECT_TRUE(missing.errors.contains("missing.rtf")) << missing.errors.toStdString();
    EXPECT_EQ(missing.errors.trimmed().count('\n'), 0) << "one line";

    Conversion unwritable = convert({file("ok.txt", "x"), dir.filePath("no/folder/out.rtf")});
    EXPECT_NE(unwritable.exitCode, 0);
    EXPECT_TRUE(unwritable.errors.contains("out.rtf")) << unwritable.errors.toStdString();

    EXPECT_NE(convert({}).exitCode, 0) << "usage";
}

TEST_F(KoraConvert, StatsPrintsTheFourCounts)
{
    struct Case
    {
        const char *name;
        QByteArray data;
        const char *expected;
    };
    const Case cases[] = {
        {"in.rtf",
         "{\\rtf1\\ansi\\ansicpg1250 P\\'f8\\'edli\\'9a \\'9elu\\'9dou\\'e8k\\'fd k\\'f9\\'f2\\par "
         "{\\b \\'fap\\'ecl}\\tab \\'f3dy-2\\par}",
         "Počet znaků: 32\nPočet řádku: 2\nPočet mezer: 3\nPočet slov : 5\n"},
        {"crlf.txt", QString("jedna dvě\r\n„tři“ – čtyři\r\n\r\npět\r\n").toUtf8(),
         "Počet znaků: 33\nPočet řádku: 4\nPočet mezer: 3\nPočet slov : 5\n"},
        {"lf.txt", "a b\nc", "Počet znaků: 6\nPočet řádku: 2\nPočet mezer: 1\nPočet slov : 3\n"},
        {"empty.txt", "", "Počet znaků: 0\nPočet řádku: 0\nPočet mezer: 0\nPočet slov : 0\n"},
    };
    for (const Case &c : cases) {
        const Conversion stats = convert({QStringLiteral("--stats"), file(c.name, c.data)});
        EXPECT_EQ(stats.exitCode, 0) << c.name << ": " << stats.errors.toStdString();
        EXPECT_EQ(stats.output, QByteArray(c.expected)) << c.name;
        EXPECT_TRUE(stats.errors.isEmpty()) << c.name << ": " << stats.errors.toStdString();
    }
}

TEST_F(KoraConvert, PrintsNothingOnSuccessWhereverItRuns)
{
    // A login without a session has neither a runtime folder nor a display.
    QProcessEnvironment bare = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"XDG_RUNTIME_DIR", "QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
        bare.remove(QString::fromLatin1(name));
    const QString rtf = file("in.rtf", "{\\rtf1 a\\par b\\par}");
    const Conversion toText = convert({rtf, file("out.txt")}, bare);
    EXPECT_EQ(toText.exitCode, 0);
    EXPECT_EQ(toText.errors, QString());
    EXPECT_TRUE(toText.output.isEmpty());
    EXPECT_EQ(read("out.txt"), "a\r\nb");

    const Conversion stats = convert({QStringLiteral("--stats"), rtf}, bare);
    EXPECT_EQ(stats.exitCode, 0);
    EXPECT_EQ(stats.errors, QString());
}

TEST_F(KoraConvert, TextOutputNumbersListsAndStatsCountOnlyTheDocumentsCharacters)
{
    const QString in = file("list.rtf",
                            "{\\rtf1\\ansi\\ansicpg1250{\\*\\pn\\pnlvlbody\\pndec}jedna\\par{\\*\\pn\\pnlvlbody\\pndec}dv\\'ec"
                            "\\par\\pard konec\\par}");
    ASSERT_EQ(convert({in, file("list.txt")}).exitCode, 0);
    EXPECT_EQ(read("list.txt"), QString("    1. jedna\r\n    2. dvě\r\nkonec").toUtf8());
    EXPECT_EQ(convert({QStringLiteral("--stats"), in}).output,
              QByteArray("Počet znaků: 17\nPočet řádku: 3\nPočet mezer: 0\nPočet slov : 3\n"));
}

TEST_F(KoraConvert, StatsOfAMissingFileFailsWithOneLine)
{
    const Conversion missing = convert({QStringLiteral("--stats"), dir.filePath("missing.rtf")});
    EXPECT_NE(missing.exitCode, 0);
    EXPECT_TRUE(missing.output.isEmpty());
    EXPECT_TRUE(missing.errors.contains("missing.rtf")) << missing.errors.toStdString();
    EXPECT_EQ(missing.errors.trimmed().count('\n'), 0) << "one line";
}

TEST_F(KoraConvert, HtmlIsWhatTheEditorExports)
{
    for (const char *name : {"less-than-in-times", "two-bullets-after-plain-text", "czech-and-markup-characters"}) {
        const QString base = QDir(KORA_EXCHANGE_DATA_DIR).filePath(name);
        const Conversion html = convert({base + ".rtf", dir.filePath("out.htm")});
        ASSERT_EQ(html.exitCode, 0) << html.errors.toStdString();
        QFile expected(base + ".htm");
        ASSERT_TRUE(expected.open(QIODevice::ReadOnly));
        EXPECT_EQ(read("out.htm"), expected.readAll()) << name;
    }
    const Conversion missingFolder = convert({file("in.txt", "x"), dir.filePath("no/folder/out.html")});
    EXPECT_NE(missingFolder.exitCode, 0);
    EXPECT_TRUE(missingFolder.errors.contains("out.html")) << missingFolder.errors.toStdString();
}

TEST_F(KoraConvert, PdfHasTheWordsInOrderAsSelectableText)
{
    QString text;
    for (int i = 0; i < 120; ++i)
        text += QString("Řádek %1 se slovy čeřil šťávu\r\n").arg(i);
    const Conversion pdf = convert({file("in.txt", text.toUtf8()), dir.filePath("out.pdf")});
    ASSERT_EQ(pdf.exitCode, 0) << pdf.errors.toStdString();
    EXPECT_EQ(kora::test::wordsOf(kora::test::pdfText(dir.filePath("out.pdf"))), kora::test::wordsOf(text));
    EXPECT_EQ(kora::test::pdfPages(dir.filePath("out.pdf")), 3);
    EXPECT_EQ(kora::test::pdfInfo(dir.filePath("out.pdf"), "Title"), "out");
}
