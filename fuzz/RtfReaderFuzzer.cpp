// Feeds arbitrary bytes to the RTF reader: into a sink that only checks the order of events, and
// into a QTextDocument whose RTF is then written and read back. Aborts when the reader breaks its
// contract, the written RTF does not read back to the same text, or saving what was read back
// writes other RTF.
#include "richedit/DocumentSink.h"
#include "richedit/RtfReader.h"
#include "richedit/RtfWriter.h"

#include <QByteArrayView>
#include <QGuiApplication>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

[[noreturn]] void fail(const char *what)
{
    std::fprintf(stderr, "rtf_reader_fuzzer: %s\n", what);
    std::abort();
}

// Counts events and checks that nothing arrives after finish().
class CountingSink : public kora::rtf::Sink
{
public:
    void text(QStringView text, const kora::rtf::RunFormat &) override
    {
        expectOpen();
        characters += text.size();
    }
    void paragraphBreak(const kora::rtf::ParagraphProperties &) override
    {
        expectOpen();
        ++paragraphs;
    }
    void picture(const kora::rtf::Picture &, const kora::rtf::RunFormat &) override
    {
        expectOpen();
        ++pictures;
    }
    void finish(const kora::rtf::ParagraphProperties &) override
    {
        expectOpen();
        finished = true;
    }

    qsizetype characters = 0;
    int paragraphs = 0;
    int pictures = 0;
    bool finished = false;

private:
    void expectOpen() const
    {
        if (finished)
            fail("event after finish()");
    }
};

QString blockText(const QTextDocument &document)
{
    QString text;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        if (block != document.begin())
            text += u'\n';
        text += block.text();
    }
    return text;
}

void readInto(QByteArrayView data, QTextDocument &document, bool *ok)
{
    QTextCursor cursor(&document);
    kora::DocumentSink sink(cursor);
    *ok = kora::rtf::read(data, sink).ok();
}

void quietMessages(QtMsgType, const QMessageLogContext &, const QString &)
{
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR"))
        qputenv("XDG_RUNTIME_DIR", "/tmp");
    // Qt's warnings about broken pictures would drown the fuzzer's own output.
    qInstallMessageHandler(quietMessages);
    // Qt keeps references to argc and argv; libFuzzer's own flags are not for Qt.
    static int argc = 1;
    static char name[] = "rtf_reader_fuzzer";
    static char *argv[] = {name, nullptr};
    static QGuiApplication app(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArrayView input(reinterpret_cast<const char *>(data), qsizetype(size));

    CountingSink counter;
    if (!kora::rtf::read(input, counter).ok()) {
        if (counter.characters || counter.paragraphs || counter.pictures || counter.finished)
            fail("refused data reached the sink");
        return 0;
    }
    if (!counter.finished)
        fail("finish() was not called");

    QTextDocument document;
    bool ok = false;
    readInto(input, document, &ok);
    if (!ok)
        fail("the second read of the same data failed");

    const QByteArray written = kora::rtf::write(document);
    QTextDocument reread;
    readInto(written, reread, &ok);
    if (!ok)
        fail("the written document is not RTF");
    if (blockText(reread) != blockText(document))
        fail("the written document reads back to other text");
    if (kora::rtf::write(reread) != written)
        fail("a second save writes other RTF than the first");
    return 0;
}
