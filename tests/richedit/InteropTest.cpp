// Checks that another word processor reads what we write with the same text and formatting.
#include "DocumentDump.h"

#include "richedit/DocumentCodec.h"
#include "richedit/RichEdit.h"
#include "richedit/RtfWriter.h"

#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QMimeData>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace kora;

namespace {

const char kDocument[] =
    "{\\rtf1\\ansi{\\fonttbl{\\f0\\fcharset238 Arial;}}{\\colortbl;\\red255\\green0\\blue0;}"
    "\\f0 P\\'f8\\'edli\\'9a {\\b bold} {\\i ital} {\\ul under} {\\strike gone} {\\cf1 red} {\\super up}\\par"
    "\\pard\\qc centre\\par\\pard\\qr right\\par\\pard\\fs40 big\\par"
    "\\pard{\\i \\u1046?\\u1080?\\u1079?\\u1085?\\u1100?} \\{x\\}\\par"
    "{\\*\\pn\\pnlvlbody\\pndec}\\li720\\fi-360 first\\par{\\*\\pn\\pnlvlbody\\pndec}second\\par"
    "\\pard{\\pntext\\'b7\\tab}{\\*\\pn\\pnlvlblt}\\li400\\fi-200 item\\par}";

class Interop : public ::testing::Test
{
protected:
    void SetUp() override
    {
        soffice = QStandardPaths::findExecutable("soffice");
        if (soffice.isEmpty())
            GTEST_SKIP() << "soffice is not installed";
        document = test::readRtf(kDocument);
        QFile rtf(dir.filePath("ours.rtf"));
        ASSERT_TRUE(rtf.open(QIODevice::WriteOnly));
        rtf.write(rtf::write(*document));
    }

    // Converts our file with the office suite and returns the result as text.
    QString convert(const QString &filter, const QString &extension)
    {
        QProcess process;
        process.setWorkingDirectory(dir.path());
        process.start(soffice, {"--headless", "-env:UserInstallation=file://" + dir.filePath("profile"),
                                "--convert-to", filter, "--outdir", dir.path(), dir.filePath("ours.rtf")});
        EXPECT_TRUE(process.waitForFinished(180000));
        QFile out(dir.filePath("ours." + extension));
        if (!out.open(QIODevice::ReadOnly))
            return {};
        QString text = QString::fromUtf8(out.readAll());
        text.remove(QChar(0xFEFF));
        return text;
    }

    QString soffice;
    QTemporaryDir dir;
    std::unique_ptr<QTextDocument> document;
};

QStringList words(const QString &text)
{
    QStringList list = text.split(QRegularExpression("\\s+"), Qt::SkipEmptyParts);
    // Bullets are list decoration, not text.
    list.removeIf([](const QString &w) { return w == QChar(0x2022) || w == QChar(0xF0B7) || w == QChar(0xB7); });
    return list;
}

// True when `word` in the HTML stands inside an element opened with `open` and closed with `close`.
bool inside(const QString &html, const QString &word, const QString &open, const QString &close)
{
    const qsizetype at = html.indexOf(QRegularExpression(">\\s*" + QRegularExpression::escape(word) + "\\s*<"));
    if (at < 0)
        return false;
    return html.lastIndexOf(open, at) > html.lastIndexOf(close, at);
}

} // namespace

TEST_F(Interop, OfficeSuiteReadsOurTextWordForWordAndNumbersOurLists)
{
    // Its text export is what ours does: numbered items get their numbers again.
    const QString converted = convert("txt:Text (encoded):UTF8", "txt");
    EXPECT_EQ(words(converted), words(documentcodec::exportText(*document))) << converted.toStdString();
    EXPECT_TRUE(converted.contains("    2. second")) << converted.toStdString();
}

TEST_F(Interop, OfficeSuiteReadsOurFormatting)
{
    const QString html = convert("html", "html");
    ASSERT_FALSE(html.isEmpty());
    struct Case
    {
        const char *word;
        const char *open;
        const char *close;
    };
    const Case cases[] = {
        {"bold", "<b>", "</b>"},
        {"ital", "<i>", "</i>"},
        {"under", "<u>", "</u>"},
        {"gone", "<strike>", "</strike>"},
        {"red", "<font color=\"#ff0000\"", "</font>"},
        {"up", "<sup>", "</sup>"},
        {"centre", "<p align=\"center\"", "</p>"},
        {"right", "<p align=\"right\"", "</p>"},
        {"big", "font-size: 20pt", "</font>"},
        {"item", "<li>", "</li>"},
        {"Příliš", "<font face=\"Arial", "</font>"},
    };
    for (const Case &c : cases)
        EXPECT_TRUE(inside(html, c.word, c.open, c.close)) << c.word << " within " << c.open;
    EXPECT_FALSE(inside(html, "Příliš", "<b>", "</b>"));
}

// Copying part of a document puts RTF on the clipboard that the office suite reads with its formatting.
TEST_F(Interop, OfficeSuiteReadsWhatWeCopy)
{
    RichEdit editor;
    editor.insertRtf(kDocument);
    const QString text = editor.text();
    const qsizetype from = text.indexOf(QStringLiteral("bold"));
    const qsizetype to = text.indexOf(QStringLiteral("big")) + 3;
    editor.setSelStart(int(from));
    editor.setSelLength(int(to - from - text.mid(from, to - from).count(QStringLiteral("\r\n"))));
    editor.copy();
    const QMimeData *copied = QGuiApplication::clipboard()->mimeData();
    ASSERT_TRUE(copied && copied->hasFormat("text/rtf"));
    QFile rtf(dir.filePath("ours.rtf"));
    ASSERT_TRUE(rtf.open(QIODevice::WriteOnly | QIODevice::Truncate));
    rtf.write(copied->data("text/rtf"));
    rtf.close();

    const QString html = convert("html", "html");
    for (const auto &[word, open, close] : {std::tuple{"bold", "<b>", "</b>"}, {"red", "<font color=\"#ff0000\"", "</font>"},
                                            {"big", "font-size: 20pt", "</font>"}, {"centre", "<p align=\"center\"", "</p>"}})
        EXPECT_TRUE(inside(html, word, open, close)) << word << " within " << open;
    EXPECT_FALSE(html.contains("Příliš")) << "only the selection is copied";
}

namespace {

// The character properties the second word processor gave to `word`, from its native format.
QString abiwordProps(const QString &abw, const QString &word)
{
    const QRegularExpression run("<c props=\"([^\"]*)\">\\s*" + QRegularExpression::escape(word) + "\\s*<");
    return run.match(abw).captured(1);
}

} // namespace

TEST_F(Interop, SecondWordProcessorReadsOurTextAndFormatting)
{
    const QString abiword = QStandardPaths::findExecutable("abiword");
    if (abiword.isEmpty())
        GTEST_SKIP() << "abiword is not installed";
    auto run = [&](const QString &target, const QString &name) {
        QProcess process;
        process.start(abiword, {"--to=" + target, "--to-name=" + dir.filePath(name), dir.filePath("ours.rtf")});
        EXPECT_TRUE(process.waitForFinished(120000));
        QFile out(dir.filePath(name));
        return out.open(QIODevice::ReadOnly) ? QString::fromUtf8(out.readAll()) : QString();
    };
    EXPECT_EQ(words(run("txt", "ours.txt")), words(test::plainText(*document)));

    const QString abw = run("abw", "ours.abw");
    struct Case
    {
        const char *word;
        const char *property;
    };
    const Case cases[] = {
        {"bold", "font-weight:bold"},         {"ital", "font-style:italic"},
        {"under", "text-decoration:underline"}, {"gone", "text-decoration:line-through"},
        {"red", "color:ff0000"},              {"up", "text-position:superscript"},
        {"centre", "text-position:normal"},   {"big", "font-size:20pt"},
        {"Příliš", "font-family:Arial"},
    };
    for (const Case &c : cases)
        EXPECT_TRUE(abiwordProps(abw, c.word).contains(c.property)) << c.word << ": " << abiwordProps(abw, c.word).toStdString();
    EXPECT_TRUE(abw.contains(QRegularExpression("text-align:center[^>]*>\\s*<c[^>]*>centre")));
    for (const char *item : {"first", "second"}) {
        EXPECT_TRUE(abw.contains(QRegularExpression("<p [^>]*list-style:Numbered List[^>]*>.*" + QString(item) + "</c></p>")))
            << item << " is a numbered list item";
    }
}
