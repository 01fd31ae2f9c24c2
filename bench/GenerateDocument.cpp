// Writes a generated benchmark document to a file. Usage: kora_generate_document rtf|txt MEGABYTES FILE
#include "DocumentGenerator.h"

#include <QFile>

#include <cstdio>
#include <cstdlib>
#include <cstring>

int main(int argc, char **argv)
{
    const bool rtf = argc == 4 && std::strcmp(argv[1], "rtf") == 0;
    const bool text = argc == 4 && std::strcmp(argv[1], "txt") == 0;
    if ((!rtf && !text) || std::atoi(argv[2]) <= 0) {
        std::fprintf(stderr, "usage: kora_generate_document rtf|txt MEGABYTES FILE\n");
        return 2;
    }
    const qsizetype bytes = qsizetype(std::atoi(argv[2])) * 1024 * 1024;
    QFile file(QString::fromLocal8Bit(argv[3]));
    if (!file.open(QIODevice::WriteOnly)
        || file.write(rtf ? kora::bench::generateRtf(bytes) : kora::bench::generatePlainText(bytes)) < 0) {
        std::fprintf(stderr, "kora_generate_document: %s\n", qPrintable(file.errorString()));
        return 1;
    }
    return 0;
}
