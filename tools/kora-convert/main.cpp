// Converts documents between RTF (.rtf, .kora) and plain text (.txt) by the editor's own rules,
// or prints a document's statistics.
#include "richedit/DocumentCodec.h"
#include "text/TextStatistics.h"

#include <QGuiApplication>
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

} // namespace

int main(int argc, char *argv[])
{
    // Fonts and layout need a GUI application, but never a display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(quietQtMessages);
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 3) {
        std::fprintf(stderr, "Použití: kora-convert VSTUP VÝSTUP\n"
                             "        kora-convert --stats SOUBOR\n"
                             "Převádí dokumenty mezi RTF (.rtf, .kora) a prostým textem (.txt);\n"
                             "s --stats vypíše počet znaků, řádků, mezer a slov souboru.\n");
        return 2;
    }
    const bool stats = args.at(1) == QLatin1String("--stats");
    const QString in = args.at(stats ? 2 : 1);
    const QString out = args.at(2);

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
