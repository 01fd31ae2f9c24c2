#include "SpellText.h"

#include "tools/spell/SpellWords.h"

#include <QFile>

#include <algorithm>
#include <cstdint>

namespace kora::bench {

QString knownCzechText(const QString &listPath, qsizetype bytes)
{
    QFile file(listPath);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QList<QByteArray> lines = file.readAll().split('\n');
    // Czech forms only: the lines with a letter beyond ASCII, so the text reads like Czech.
    QList<QString> words;
    for (QByteArray line : lines) {
        line.chop(line.endsWith('\r') ? 1 : 0);
        if (std::any_of(line.begin(), line.end(), [](char c) { return uchar(c) >= 0x80; }))
            words << spell::fromWindows1250(line);
    }
    if (words.isEmpty())
        return {};

    uint64_t state = 1;
    const auto next = [&state] { // splitmix64
        uint64_t z = (state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    };
    static const char *const kAfter[] = {" ", " ", " ", " ", " ", ", ", ". ", "; ", ".\r\n"};
    QString text;
    qsizetype size = 0;
    bool sentenceStart = true;
    while (size < bytes) {
        QString word = words[qsizetype(next() % uint64_t(words.size()))];
        if (sentenceStart)
            word[0] = word[0].toUpper();
        const char *after = kAfter[next() % std::size(kAfter)];
        sentenceStart = after[0] == '.';
        text += word;
        text += QLatin1String(after);
        size += word.toUtf8().size() + qsizetype(qstrlen(after));
    }
    return text;
}

} // namespace kora::bench
