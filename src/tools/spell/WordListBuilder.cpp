#include "tools/spell/WordListBuilder.h"

#include "tools/spell/SpellWords.h"

#include <QStringDecoder>

#include <algorithm>

namespace kora::spell {

void WordListBuilder::addForm(QStringView form)
{
    const qsizetype slash = form.indexOf(u'/');
    const QStringView word = (slash >= 0 ? form.first(slash) : form).trimmed();
    if (word.isEmpty() || !std::all_of(word.begin(), word.end(), isLetter))
        return;
    if (const std::optional<QByteArray> lower = lowerWindows1250(word))
        m_words.push_back(lower->toStdString());
}

QByteArray WordListBuilder::bytes()
{
    std::sort(m_words.begin(), m_words.end(), [](const std::string &a, const std::string &b) {
        return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                            [](char x, char y) { return uchar(x) < uchar(y); });
    });
    m_words.erase(std::unique(m_words.begin(), m_words.end()), m_words.end());
    QByteArray out;
    size_t total = 0;
    for (const std::string &word : m_words)
        total += word.size() + 2;
    out.reserve(qsizetype(total));
    for (const std::string &word : m_words) {
        out.append(word.data(), qsizetype(word.size()));
        out.append("\r\n");
    }
    return out;
}

AffixInfo readAffixInfo(const QByteArray &affixes)
{
    AffixInfo info;
    QByteArrayList flagNames;
    for (const QByteArray &raw : affixes.split('\n')) {
        const QByteArrayList fields = raw.simplified().split(' ');
        if (fields.size() < 2)
            continue;
        if (fields[0] == "SET")
            info.encoding = fields[1];
        else if (fields[0] == "FLAG")
            info.flagType = QString::fromLatin1(fields[1]);
        else if (fields[0] == "FORBIDDENWORD" || fields[0] == "ONLYINCOMPOUND")
            flagNames << fields[1];
    }
    QStringDecoder decode(info.encoding.constData());
    for (const QByteArray &name : std::as_const(flagNames))
        info.excludingFlags << (decode.isValid() ? decode.decode(name) : QString::fromLatin1(name));
    return info;
}

namespace {

QStringList flagsOf(const QString &field, const QString &type)
{
    QStringList flags;
    if (type == QLatin1String("num"))
        return field.split(u',', Qt::SkipEmptyParts);
    const qsizetype step = type == QLatin1String("long") ? 2 : 1;
    for (qsizetype i = 0; i < field.size(); i += step)
        flags << field.mid(i, step);
    return flags;
}

} // namespace

QByteArray standaloneEntries(const QByteArray &dictionary, const AffixInfo &info)
{
    QStringDecoder decode(info.encoding.constData());
    QByteArrayList lines = dictionary.split('\n');
    QByteArrayList kept;
    for (qsizetype i = 1; i < lines.size(); ++i) {
        QByteArray &line = lines[i];
        if (line.endsWith('\r'))
            line.chop(1);
        if (line.isEmpty())
            continue;
        // "word/flags", maybe followed by morphological fields; a "\/" belongs to the word.
        const QString entry = decode.isValid() ? decode.decode(line) : QString::fromLatin1(line);
        qsizetype slash = -1;
        for (qsizetype at = entry.indexOf(u'/'); at >= 0; at = entry.indexOf(u'/', at + 1)) {
            if (at == 0 || entry[at - 1] != u'\\') {
                slash = at;
                break;
            }
        }
        if (slash >= 0) {
            qsizetype end = slash + 1;
            while (end < entry.size() && !entry[end].isSpace())
                ++end;
            const QString field = entry.mid(slash + 1, end - slash - 1);
            const QStringList flags = flagsOf(field, info.flagType);
            if (std::any_of(flags.begin(), flags.end(),
                            [&info](const QString &flag) { return info.excludingFlags.contains(flag); }))
                continue;
        }
        kept << line;
    }
    return QByteArray::number(kept.size()) + '\n' + kept.join('\n') + '\n';
}

} // namespace kora::spell
