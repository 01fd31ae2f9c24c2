// Feeds arbitrary bytes, opened as an RTF document the way the editor opens files, to "Jako HTML ":
// the document is copied into the export's hidden window and written as HTML lines. Every line
// must be ASCII, there must be one <BR> line for every laid-out line, and with its tags taken
// out and its entities read, each such line must give back the text of its laid-out line.
#include "exchange/TForm3.h"
#include "exchange/TJvRichEditToHtml.h"
#include "richedit/RichEdit.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

[[noreturn]] void fail(const char *what, const QString &detail = {})
{
    std::fprintf(stderr, "html_export_fuzzer: %s %s\n", what, qPrintable(detail));
    std::abort();
}

// What a browser shows of one exported line: tags dropped, entities read.
QString shownText(const QString &html)
{
    static const std::pair<const char *, char32_t> kNamed[] = {
        {"quot", U'"'},        {"lt", U'<'},          {"gt", U'>'},          {"amp", U'&'},
        {"agrave", U'\u00E0'}, {"ccedil", U'\u00E7'}, {"egrave", U'\u00E8'}, {"eacute", U'\u00E9'},
        {"ecirc", U'\u00EA'},  {"euml", U'\u00EB'},   {"ugrave", U'\u00F9'},
    };
    QString text;
    for (qsizetype i = 0; i < html.size(); ++i) {
        const QChar ch = html[i];
        if (ch == u'<') {
            const qsizetype close = html.indexOf(u'>', i);
            if (close < 0)
                fail("a tag is not closed", html);
            i = close;
            continue;
        }
        if (ch != u'&') {
            text += ch;
            continue;
        }
        const qsizetype end = html.indexOf(u';', i);
        if (end < 0)
            fail("an entity is not closed", html);
        const QString name = html.mid(i + 1, end - i - 1);
        i = end;
        if (name.startsWith(u'#')) {
            bool ok = false;
            const uint code = name.mid(1).toUInt(&ok);
            if (!ok || code > 0x10FFFF)
                fail("a bad character reference", html);
            // QChar::fromUcs4, not QString::fromUcs4, which drops a leading U+FEFF as a byte-order mark.
            text += QChar::fromUcs4(char32_t(code));
            continue;
        }
        bool known = false;
        for (const auto &[entity, code] : kNamed) {
            if (name == QLatin1String(entity)) {
                text += QChar::fromUcs4(code);
                known = true;
            }
        }
        if (!known)
            fail("an unknown entity", html);
    }
    return text;
}

// The text of a laid-out line as the export must show it.
QString expectedText(const kora::LaidOutLine &line)
{
    QString text;
    for (const kora::LineRun &run : line.runs)
        text += run.text;
    text.remove(QChar::ObjectReplacementCharacter);
    // Lone surrogates become U+FFFD, as the export writes them.
    QString shown;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar ch = text[i];
        if (ch.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            shown += ch;
            shown += text[++i];
        } else {
            shown += ch.isSurrogate() ? QChar(QChar::ReplacementCharacter) : ch;
        }
    }
    return shown;
}

void quietMessages(QtMsgType, const QMessageLogContext &, const QString &) {}

QTemporaryDir *folder = nullptr;
kora::RichEdit *editor = nullptr;
kora::TForm3 *scratchWindow = nullptr;

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR"))
        qputenv("XDG_RUNTIME_DIR", "/tmp");
    qInstallMessageHandler(quietMessages);
    static int argc = 1;
    static char name[] = "html_export_fuzzer";
    static char *argv[] = {name, nullptr};
    static QApplication app(argc, argv);
    folder = new QTemporaryDir;
    editor = new kora::RichEdit;
    scratchWindow = new kora::TForm3;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString path = folder->filePath(QStringLiteral("input.rtf"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(reinterpret_cast<const char *>(data), qint64(size)) != qint64(size)) {
        fail("cannot write the input file");
    }
    file.close();
    QString error;
    if (!editor->loadFromFile(path, &error))
        fail("loading failed", error);

    kora::RichEdit &scratch = *scratchWindow->JvRichEdit1();
    scratch.copyDocumentFrom(*editor);
    QStringList lines;
    kora::TJvRichEditToHtml().DocumentToHtmlLines(scratch, lines);
    for (const QString &line : std::as_const(lines)) {
        for (const QChar ch : line) {
            if (ch.unicode() >= 0x80)
                fail("a line is not ASCII", line);
        }
    }

    QStringList expected;
    scratch.walkLines([&expected](const kora::LaidOutLine &line) { expected << expectedText(line); });
    QStringList shown;
    for (const QString &line : std::as_const(lines)) {
        if (line.startsWith(QLatin1String("<BR>")))
            shown << shownText(line);
    }
    if (shown.size() != expected.size())
        fail("the <BR> lines are not the laid-out lines");
    for (qsizetype i = 0; i < shown.size(); ++i) {
        if (shown[i] != expected[i])
            fail("a line shows other text", shown[i] + QStringLiteral(" / ") + expected[i]);
    }
    scratch.clearAll();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return 0;
}
