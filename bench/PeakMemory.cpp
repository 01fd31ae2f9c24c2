// Loads one generated document once and prints the peak resident memory against the file size,
// which the benchmark's repeated iterations blur. Usage: kora_peak_memory rtf|txt MEGABYTES
#include "DocumentGenerator.h"

#include "richedit/DocumentCodec.h"
#include "richedit/RtfWriter.h"

#include <QApplication>
#include <QTextDocument>

#include <sys/resource.h>

#include <cstdio>
#include <cstring>

namespace {

double peakMegabytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_maxrss) / 1024.0;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 3 || (std::strcmp(argv[1], "rtf") != 0 && std::strcmp(argv[1], "txt") != 0) || std::atoi(argv[2]) <= 0) {
        std::fprintf(stderr, "usage: kora_peak_memory rtf|txt MEGABYTES\n");
        return 2;
    }
    const bool rtf = std::strcmp(argv[1], "rtf") == 0;
    const qsizetype bytes = qsizetype(std::atoi(argv[2])) * 1024 * 1024;

    qputenv("QT_QPA_PLATFORM", "offscreen");
    int qtArgc = 1;
    QApplication app(qtArgc, argv);
    const QByteArray file = rtf ? kora::bench::generateRtf(bytes) : kora::bench::generatePlainText(bytes);
    const double fileMegabytes = double(file.size()) / (1024.0 * 1024.0);

    QTextDocument document;
    QFont font(QStringLiteral("Times New Roman"));
    font.setPointSize(12);
    document.setDefaultFont(font);
    const double before = peakMegabytes();
    kora::documentcodec::loadBytes(file, rtf ? kora::DocumentKind::Rtf : kora::DocumentKind::PlainText, document);
    const double loaded = peakMegabytes();
    std::printf("%s %.2f MB: peak before load %.1f MB, after load %.1f MB (%.1f x file, growth %.1f x file)\n",
                argv[1], fileMegabytes, before, loaded, loaded / fileMegabytes, (loaded - before) / fileMegabytes);
    if (rtf) {
        const QByteArray out = kora::rtf::write(document);
        const double saved = peakMegabytes();
        std::printf("%s %.2f MB: peak after save %.1f MB (%.1f x file), wrote %.2f MB\n", argv[1], fileMegabytes,
                    saved, saved / fileMegabytes, double(out.size()) / (1024.0 * 1024.0));
    }
    return 0;
}
