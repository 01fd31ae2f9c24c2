#include "tools/spell/TjanSpeller.h"

#include "tools/spell/SpellWords.h"

namespace kora::spell {

void TjanSpeller::loadMainDictionary(const QString &path)
{
    m_main = WordList::fromFile(path);
}

void TjanSpeller::loadUserDictionary(const QString &path)
{
    m_user.load(path);
}

bool TjanSpeller::isKnown(QStringView word) const
{
    const std::optional<QByteArray> lower = lowerWindows1250(word);
    if (!lower || lower->isEmpty())
        return false;
    return m_main.contains(*lower) || m_user.contains(*lower);
}

bool TjanSpeller::addWord(QStringView typed)
{
    return canAddWords() && m_user.add(typed);
}

bool TjanSpeller::saveUserDictionary(QString *error) const
{
    if (!m_user.isModified() || m_user.isEmpty() || m_user.path().isEmpty())
        return true;
    return m_user.save(error);
}

} // namespace kora::spell
