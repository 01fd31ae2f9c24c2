#pragma once

#include "tools/spell/UserWordList.h"
#include "tools/spell/WordList.h"

#include <QString>
#include <QStringView>

namespace kora::spell {

// The spell checker's word lists: the main list and the user's own list, which the user adds
// to while checking. A word is known when either list has it in lower case.
class TjanSpeller
{
public:
    // A missing file leaves the main list empty; no message at load.
    void loadMainDictionary(const QString &path);
    // The path becomes the user list's file even when it does not exist yet.
    void loadUserDictionary(const QString &path);

    bool hasMainDictionary() const { return !m_main.isEmpty(); }
    // Words can be added only when the user list has a file.
    bool canAddWords() const { return !m_user.path().isEmpty(); }
    bool isKnown(QStringView word) const;
    // See UserWordList::add.
    bool addWord(QStringView typed);

    // After an accepted check: writes the user list when it was modified and has words.
    bool saveUserDictionary(QString *error) const;
    const UserWordList &userDictionary() const { return m_user; }

private:
    WordList m_main;
    UserWordList m_user;
};

} // namespace kora::spell
