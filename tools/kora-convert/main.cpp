// Converts documents between RTF (.rtf, .kora) and plain text (.txt) by the editor's own rules,
// writes them as HTML or PDF as the editor exports them, or prints a document's statistics.
#include "exchange/PdfExport.h"
#include "exchange/TForm3.h"
#include "exchange/TJvRichEditToHtml.h"
#include "richedit/DocumentCodec.h"
#include "richedit/RichEdit.h"
#include "text/TextStatistics.h"

#include <QApplication>
#include <QFileInfo>
#include <QTextBlock>
#include <QTextDocument>

#include <cstdio>
#include <cstdlib>

namespace {

// Qt's own notes (a missing runtime folder, a picture it cannot decode) are no business of a
// command-line tool's user: the tool reports its own failures.
void quietQtMessages(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (type == QtFatalMsg) {
        std::fprintf(stderr, "kora-convert: %s\n", message.toLocal8Bit().constData());
        std::abort();
    }
}

int fail(const QString &message)
{
    std::fprintf(stderr, "kora-convert: %s\n", message.toLocal8Bit().constData());
    return 1;
}

// The counts as the editor's statistics show them for an unwrapped document: one line per
// paragraph (a final empty paragraph is no line), paragraphs separated by CR LF.
void printStatistics(const QTextDocument &document)
{
    QString text = kora::documentcodec::plainText(document);
    text.replace(u'\n', QStringLiteral("\r\n"));
    qint64 lines = document.blockCount();
    if (document.lastBlock().text().isEmpty())
        --lines;
    const kora::TextStatistics statistics = kora::countStatistics(text, lines);
    const QString report = QStringLiteral("Počet znaků: %1\nPočet řádku: %2\nPočet mezer: %3\nPočet slov : %4\n")
                               .arg(statistics.characters)
                               .arg(statistics.lines)
                               .arg(statistics.spaces)
                               .arg(statistics.words);
    const QByteArray bytes = report.toUtf8();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout);
}

// HTML and PDF go through the editor's own export: the document loaded into an editor that is
// never shown, then the HTML export's scratch window or the printing path.
int exportDocument(const QString &in, const QString &out, bool pdf)
{
    kora::RichEdit editor;
    QString error;
    if (!editor.loadFromFile(in, &error))
        return fail(error);
    if (pdf) {
        if (!kora::writePdf(editor, out, &error))
            return fail(error);
        return 0;
    }
    kora::TForm3 scratch;
    scratch.JvRichEdit1()->copyDocumentFrom(editor);
    kora::TJvRichEditToHtml converter;
    if (!converter.DocumentToHtmlFile(*scratch.JvRichEdit1(), out, &error))
        return fail(error);
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    // Fonts, layout and the export's windows need an application, but never a display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(quietQtMessages);
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 3) {
        std::fprintf(stderr, "Použití: kora-convert VSTUP VÝSTUP\n"
                             "        kora-convert --stats SOUBOR\n"
                             "Převádí dokumenty mezi RTF (.rtf, .kora) a prostým textem (.txt),\n"
                             "do HTML (.htm, .html) a do PDF (.pdf);\n"
                             "s --stats vypíše počet znaků, řádků, mezer a slov souboru.\n");
        return 2;
    }
    const bool stats = args.at(1) == QLatin1String("--stats");
    const QString in = args.at(stats ? 2 : 1);
    const QString out = args.at(2);
    const QString suffix = QFileInfo(out).suffix().toLower();
    if (!stats && (suffix == QLatin1String("htm") || suffix == QLatin1String("html") || suffix == QLatin1String("pdf")))
        return exportDocument(in, out, suffix == QLatin1String("pdf"));

    QTextDocument document;
    QFont font(QStringLiteral("Times New Roman"));
    font.setPointSize(12);
    document.setDefaultFont(font);
    kora::LoadInfo info;
    QString error;
    if (!kora::documentcodec::loadFile(in, document, &info, &error))
        return fail(error);
    if (stats) {
        printStatistics(document);
        return 0;
    }
    const kora::DocumentKind kind = kora::documentcodec::saveKindForPath(out, info);
    const QByteArray bytes = kora::documentcodec::encode(document, kind, info.textFormat);
    if (!kora::documentcodec::saveFile(out, bytes, &error))
        return fail(error);
    return 0;
}
