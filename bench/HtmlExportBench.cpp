// "Jako HTML " on large documents: the copy into the scratch window, the laid-out lines turned into
// HTML and the file written, for generated documents of 1 MB and 10 MB already open in the editor.
// The parts are timed apart too, so a slow one shows.
#include "DocumentGenerator.h"

#include "exchange/TForm3.h"
#include "exchange/TJvRichEditToHtml.h"
#include "richedit/RichEdit.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <map>
#include <memory>

namespace {

constexpr qsizetype kMegabyte = 1024 * 1024;

QTemporaryDir &folder()
{
    static QTemporaryDir dir;
    return dir;
}

// Editors holding generated documents; widgets, so they go before the application does.
std::map<qsizetype, std::unique_ptr<kora::RichEdit>> &editors()
{
    static std::map<qsizetype, std::unique_ptr<kora::RichEdit>> loaded;
    return loaded;
}

// An editor holding a generated RTF document of this many megabytes, loaded once per run.
kora::RichEdit &editorWith(qsizetype megabytes)
{
    std::unique_ptr<kora::RichEdit> &editor = editors()[megabytes];
    if (!editor) {
        const QString path = folder().filePath(QStringLiteral("doc-%1.rtf").arg(megabytes));
        QFile file(path);
        file.open(QIODevice::WriteOnly);
        file.write(kora::bench::generateRtf(megabytes * kMegabyte));
        file.close();
        editor = std::make_unique<kora::RichEdit>();
        editor->loadFromFile(path);
    }
    return *editor;
}

// What the copy replaced goes when the event loop runs; not part of what the user waits for.
void dropOldDocuments()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void BM_ExportHtml(benchmark::State &state)
{
    kora::RichEdit &editor = editorWith(state.range(0));
    kora::TForm3 form;
    kora::TJvRichEditToHtml converter;
    const QString out = folder().filePath(QStringLiteral("out.htm"));
    for (auto _ : state) {
        form.JvRichEdit1()->copyDocumentFrom(editor);
        QString error;
        if (!converter.DocumentToHtmlFile(*form.JvRichEdit1(), out, &error))
            state.SkipWithError(error.toLocal8Bit().constData());
        form.JvRichEdit1()->clearAll();
        state.PauseTiming();
        dropOldDocuments();
        state.ResumeTiming();
    }
    state.counters["document_MB"] = double(state.range(0));
    state.counters["html_MB"] = double(QFile(out).size()) / double(kMegabyte);
    state.counters["s_per_MB"] =
        benchmark::Counter(double(state.iterations()) * double(state.range(0)), benchmark::Counter::kIsRate |
                                                                                     benchmark::Counter::kInvert);
}

void BM_CopyIntoScratch(benchmark::State &state)
{
    kora::RichEdit &editor = editorWith(state.range(0));
    kora::TForm3 form;
    for (auto _ : state) {
        form.JvRichEdit1()->copyDocumentFrom(editor);
        state.PauseTiming();
        form.JvRichEdit1()->clearAll();
        dropOldDocuments();
        state.ResumeTiming();
    }
}

void BM_HtmlLines(benchmark::State &state)
{
    kora::RichEdit &editor = editorWith(state.range(0));
    kora::TForm3 form;
    form.JvRichEdit1()->copyDocumentFrom(editor);
    kora::TJvRichEditToHtml converter;
    QStringList lines;
    for (auto _ : state) {
        converter.DocumentToHtmlLines(*form.JvRichEdit1(), lines);
        benchmark::DoNotOptimize(lines.size());
    }
    state.counters["lines"] = double(lines.size());
}

// Sizes in MB. Seconds: the goal is stated in seconds.
BENCHMARK(BM_ExportHtml)->Arg(1)->Arg(10)->Unit(benchmark::kSecond)->UseRealTime();
BENCHMARK(BM_CopyIntoScratch)->Arg(1)->Arg(10)->Unit(benchmark::kSecond)->UseRealTime();
BENCHMARK(BM_HtmlLines)->Arg(1)->Arg(10)->Unit(benchmark::kSecond)->UseRealTime();

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    editors().clear();
    return 0;
}
