#pragma once

#include "tools/spell/HunspellSuggester.h"
#include "tools/spell/SpellCheck.h"
#include "tools/spell/TjanSpeller.h"

#include <QObject>
#include <QString>
#include <QStringList>

class QWidget;

namespace kora {

class Prompter;
class RichEdit;

namespace spell {

// Where the spell checker finds its word lists.
struct SpellSettings
{
    QString mainDictionary;             // "slovník.dic"
    QString userDictionary;             // "englishuser.dic"; empty: words cannot be added
    QStringList suggestionDictionaries; // see HunspellSuggester

    // The two lists and the system's installed suggestion dictionaries.
    static SpellSettings standard(const QString &mainDictionary, const QString &userDictionary);
};

// "Nástroje" › "Kontrola pravopisu": checks the document's words against the word lists and
// walks the user through the unknown ones. The lists are read at the first check, so start-up
// does not wait for them.
class SpellCommands : public QObject
{
    Q_OBJECT

public:
    SpellCommands(RichEdit &editor, Prompter &prompter, SpellSettings settings, QWidget *dialogParent,
                  QObject *parent = nullptr);

    TjanSpeller &speller();

public slots:
    // The whole check: an accepted check replaces the corrected words in the document (each
    // keeps the format of its first character; all in one undo step) and writes the user list;
    // a cancelled one changes nothing. The completion message follows in every case.
    void mPravopisClick();

private:
    void applyCorrections(const QString &checkedText, const QList<Correction> &corrections);

    RichEdit &m_editor;
    Prompter &m_prompter;
    SpellSettings m_settings;
    QWidget *m_dialogParent;
    bool m_loaded = false;
    TjanSpeller m_speller;
    HunspellSuggester m_suggester;
};

} // namespace spell
} // namespace kora
