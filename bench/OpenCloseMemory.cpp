// Opens a generated document in a shown editor and closes it (a new document) again and again,
// and prints the resident memory before the first open, after the first close and after each
// tenth close: what a long session of opening large files leaves behind. Each open and each close
// is its own event, as in the running program, so a replaced document goes when the event loop
// deletes it. The first document of a run also sets up what the process keeps for good (its fonts
// and their caches); a small document of the same kind opened and closed first shows that part
// apart, and the figures after each close are given against both.
// Usage: kora_open_close_memory MEGABYTES TIMES
#include "DocumentGenerator.h"

#include "richedit/RichEdit.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>

#include <functional>

#include <cstdio>
#include <cstdlib>
#include <unistd.h>

namespace {

double residentMegabytes()
{
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> fields = statm.readAll().split(' ');
    return fields.size() > 1 ? double(fields[1].toLongLong()) * double(sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0) : 0;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 3 || std::atoi(argv[1]) <= 0 || std::atoi(argv[2]) <= 0) {
        std::fprintf(stderr, "usage: kora_open_close_memory MEGABYTES TIMES\n");
        return 2;
    }
    const int megabytes = std::atoi(argv[1]);
    const int times = std::atoi(argv[2]);
    qputenv("QT_QPA_PLATFORM", "offscreen");
    int qtArgc = 1;
    QApplication app(qtArgc, argv);

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("large.rtf"));
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || !file.write(kora::bench::generateRtf(qsizetype(megabytes) << 20)))
            return 1;
    }
    kora::RichEdit editor;
    editor.resize(800, 600);
    editor.show();
    QApplication::processEvents();

    const double start = residentMegabytes();
    std::printf("open and close %d MB %d times: resident at start %.1f MB\n", megabytes, times, start);
    {
        const QString small = dir.filePath(QStringLiteral("small.rtf"));
        QFile file(small);
        if (!file.open(QIODevice::WriteOnly) || !file.write(kora::bench::generateRtf(64 << 10)))
            return 1;
        file.close();
        if (!editor.loadFromFile(small))
            return 1;
        editor.ensureLayout();
        editor.clearAll();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QApplication::processEvents();
    }
    const double warm = residentMegabytes();
    std::printf("after a 64 KB document of the same kind: %.1f MB (%+.1f %%)\n", warm, (warm - start) * 100.0 / start);
    int opened = 0;
    int status = 0;
    std::function<void()> open;
    std::function<void()> close = [&] {
        editor.clearAll();
        QTimer::singleShot(0, &app, open);
    };
    open = [&] {
        if (opened == 1 || (opened > 0 && (opened % 10 == 0 || opened == times))) {
            // What is left once the loop has nothing more to do about the closed document.
            QApplication::processEvents();
            const double now = residentMegabytes();
            std::printf("after %2d: %.1f MB (%+.1f %% over the 64 KB document's, %+.1f %% over the start)\n", opened,
                        now, (now - warm) * 100.0 / warm, (now - start) * 100.0 / start);
        }
        if (opened == times) {
            QApplication::quit();
            return;
        }
        QString error;
        if (!editor.loadFromFile(path, &error)) {
            std::fprintf(stderr, "%s\n", qPrintable(error));
            status = 1;
            QApplication::quit();
            return;
        }
        editor.ensureLayout();
        ++opened;
        QTimer::singleShot(0, &app, close);
    };
    QTimer::singleShot(0, &app, open);
    QApplication::exec();
    return status;
}
