#include "editing/insertion/DialogHistory.h"

#include "platform/AppDirs.h"

#include <algorithm>

namespace kora {

namespace {

bool isTypedText(const QString &entry)
{
    if (entry.size() > DialogHistory::kMaxEntryLength)
        return false;
    return std::none_of(entry.begin(), entry.end(), [](QChar ch) {
        return (ch.unicode() < 0x20 && ch != u'\t') || ch == QChar::ReplacementCharacter;
    });
}

} // namespace

DialogHistory::DialogHistory(const QString &fileName)
    : m_file(AppDirs::filePath(fileName))
{
}

QStringList DialogHistory::load()
{
    m_readable = m_file.load();
    QStringList entries = m_file.entries();
    entries.removeIf([](const QString &entry) { return !isTypedText(entry); });
    return entries;
}

bool DialogHistory::save(const QStringList &entries, QString *error)
{
    if (!m_readable)
        return true;
    m_file.setEntries(entries);
    return m_file.save(error);
}

} // namespace kora
