// An office suite opens the HTML we export with the same words and the formatting we wrote.
#include "exchange/TForm3.h"
#include "exchange/TJvRichEditToHtml.h"
#include "richedit/RichEdit.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "support/Poppler.h"
#include "support/QtPrinters.h"

#include <gtest/gtest.h>

using namespace kora;

namespace {

const char kDocument[] =
    "{\\rtf1\\ansi\\ansicpg1250{\\fonttbl{\\f0\\fcharset238 Arial;}{\\f1\\fcharset2 Symbol;}}"
    "{\\colortbl;\\red255\\green0\\blue0;}\\f0\\fs20 P\\'f8\\'edli\\'9a \\'9elu\\'9dou\\'e8k\\'fd k\\'f9\\'f2 "
    "{\\i kurz\\'edva} {\\ul podtr\\'9een\\'e9} {\\strike p\\'f8e\\'9akrtnut\\'e9} {\\cf1 \\'e8erven\\'e9} "
    "a & b < c > d \"e\" ^ ~\\par"
    "\\pard\\qc uprost\\'f8ed\\par\\pard\\qr vpravo\\par\\pard\\qj zarovn\\'e1no\\par"
    "\\pard{\\pntext\\f1\\'b7\\tab}{\\*\\pn\\pnlvlblt\\pnf1\\pnindent200{\\pntxtb\\'b7}}\\li400\\fi-200 "
    "odr\\'e1\\'9eka\\par}";

class HtmlInterop : public ::testing::Test
{
protected:
    void SetUp() override
    {
        soffice = QStandardPaths::findExecutable("soffice");
        if (soffice.isEmpty())
            GTEST_SKIP() << "soffice is not installed";
        QFile rtf(dir.filePath("dokument.rtf"));
        ASSERT_TRUE(rtf.open(QIODevice::WriteOnly));
        rtf.write(kDocument);
        rtf.close();
        ASSERT_TRUE(editor.loadFromFile(rtf.fileName()));
        form.JvRichEdit1()->copyDocumentFrom(editor);
        QString error;
        ASSERT_TRUE(TJvRichEditToHtml().DocumentToHtmlFile(*form.JvRichEdit1(), dir.filePath("ours.htm"), &error))
            << error.toStdString();
    }

    // Opens our HTML with the office suite and returns what it saves in the given format.
    QString convert(const QString &filter, const QString &extension)
    {
        QProcess process;
        process.setWorkingDirectory(dir.path());
        process.start(soffice, {"--headless", "-env:UserInstallation=file://" + dir.filePath("profile"),
                                "--convert-to", filter, "--outdir", dir.filePath("out"), dir.filePath("ours.htm")});
        EXPECT_TRUE(process.waitForFinished(180000));
        QFile out(dir.filePath("out/ours." + extension));
        if (!out.open(QIODevice::ReadOnly))
            return {};
        QString text = QString::fromUtf8(out.readAll());
        text.remove(QChar(0xFEFF));
        return text;
    }

    QString soffice;
    QTemporaryDir dir;
    RichEdit editor;
    TForm3 form;
};

// True when `word` in the HTML stands inside an element opened with `open` and closed with `close`.
bool inside(const QString &html, const QString &word, const QString &open, const QString &close)
{
    const qsizetype at = html.indexOf(QRegularExpression(">\\s*" + QRegularExpression::escape(word) + "\\s*<"));
    if (at < 0)
        return false;
    return html.lastIndexOf(open, at) > html.lastIndexOf(close, at);
}

} // namespace

TEST_F(HtmlInterop, OfficeSuiteReadsTheCzechWordsOfOurHtml)
{
    const QString text = convert("txt:Text (encoded):UTF8", "txt");
    ASSERT_FALSE(text.isEmpty());
    QStringList words = test::wordsOf(text);
    words.removeAll(QString(QChar(0x2022))); // the list's bullet is decoration, not text
    EXPECT_EQ(words, test::wordsOf(editor.text())) << text.toStdString();
}

TEST_F(HtmlInterop, OfficeSuiteReadsTheFormattingOfOurHtml)
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
        {"kurzíva", "<i>", "</i>"},
        {"podtržené", "<u>", "</u>"},
        {"přeškrtnuté", "<strike>", "</strike>"},
        {"červené", "<font color=\"#ff0000\"", "</font>"},
        {"uprostřed", "<p align=\"center\"", "</p>"},
        {"vpravo", "<p align=\"right\"", "</p>"},
        {"zarovnáno", "<p align=\"justify\"", "</p>"},
        {"odrážka", "<li>", "</li>"},
    };
    for (const Case &c : cases)
        EXPECT_TRUE(inside(html, c.word, c.open, c.close)) << c.word << " within " << c.open;
    EXPECT_FALSE(inside(html, "červené", "<i>", "</i>"));
    EXPECT_TRUE(html.contains("<font face=\"Arial\"")) << "the face of the text";
}
