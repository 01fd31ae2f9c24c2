#include "tools/spell/UserWordList.h"

#include "text/SafeSave.h"
#include "tools/spell/SpellWords.h"

#include <QCollator>
#include <QFile>
#include <QLocale>

#include <algorithm>

namespace kora::spell {

void UserWordList::load(const QString &path)
{
    m_path = path;
    m_modified = false;
    m_lines.clear();
    m_words.clear();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return;
    for (QByteArray line : file.readAll().split('\n')) {
        if (line.endsWith('\r'))
            line.chop(1);
        if (line.isEmpty())
            continue;
        m_lines.append(line);
        m_words.insert(line);
    }
}

bool UserWordList::add(QStringView typed)
{
    const std::optional<QByteArray> word = lowerWindows1250(typed.trimmed());
    if (!word || word->isEmpty())
        return false;
    if (m_words.contains(*word))
        return true;
    m_lines.append(*word);
    m_words.insert(*word);
    m_modified = true;

    QCollator collator(QLocale(QLocale::Czech, QLocale::CzechRepublic));
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    QList<std::pair<QString, QByteArray>> keyed;
    keyed.reserve(m_lines.size());
    for (const QByteArray &line : std::as_const(m_lines))
        keyed.append({fromWindows1250(line), line});
    std::stable_sort(keyed.begin(), keyed.end(),
                     [&collator](const auto &a, const auto &b) { return collator.compare(a.first, b.first) < 0; });
    for (qsizetype i = 0; i < keyed.size(); ++i)
        m_lines[i] = keyed[i].second;
    return true;
}

QByteArray UserWordList::bytes() const
{
    QByteArray data;
    for (const QByteArray &line : m_lines)
        data += line + "\r\n";
    return data;
}

bool UserWordList::save(QString *error) const
{
    return saveFileSafely(m_path, bytes(), QStringLiteral("Uživatelský slovník „%1“ se nepodařilo zapsat.").arg(m_path),
                          error);
}

} // namespace kora::spell
