#include "tools/spell/SpellCommands.h"

#include "platform/Prompter.h"
#include "richedit/RichEdit.h"
#include "tools/spell/SpellCheck.h"
#include "tools/spell/TjanSpellerF.h"

namespace kora::spell {

SpellSettings SpellSettings::standard(const QString &mainDictionary, const QString &userDictionary)
{
    return {mainDictionary, userDictionary, HunspellSuggester::installedDictionaries()};
}

SpellCommands::SpellCommands(RichEdit &editor, Prompter &prompter, SpellSettings settings, QWidget *dialogParent,
                             QObject *parent)
    : QObject(parent)
    , m_editor(editor)
    , m_prompter(prompter)
    , m_settings(std::move(settings))
    , m_dialogParent(dialogParent)
    , m_suggester(m_settings.suggestionDictionaries)
{
}

TjanSpeller &SpellCommands::speller()
{
    if (!m_loaded) {
        m_loaded = true;
        m_speller.loadMainDictionary(m_settings.mainDictionary);
        m_speller.loadUserDictionary(m_settings.userDictionary);
    }
    return m_speller;
}

void SpellCommands::mPravopisClick()
{
    if (m_editor.isReadOnly())
        return;
    TjanSpeller &speller = this->speller();
    if (!speller.hasMainDictionary()) {
        m_prompter.ask(MessageKind::Plain, QStringLiteral("no dictionary loaded"), ButtonOk);
    } else {
        const QString text = m_editor.text();
        SpellCheck check(speller, text);
        if (check.findNextUnknown()) {
            TjanSpellerF dialog(check, &m_suggester, m_dialogParent);
            if (m_prompter.execDialog(&dialog) == QDialog::Accepted) {
                applyCorrections(text, check.corrections());
                QString error;
                if (!speller.saveUserDictionary(&error))
                    m_prompter.showError(error);
            }
        }
    }
    m_prompter.ask(MessageKind::Information, QStringLiteral("Kontrola pravopisu byla dokončna"), ButtonOk);
}

void SpellCommands::applyCorrections(const QString &checkedText, const QList<Correction> &corrections)
{
    // The checked text ends paragraphs with CR LF; the document counts a paragraph end as one.
    QList<RichEdit::TextReplacement> replacements;
    qsizetype scanned = 0;
    qsizetype breaks = 0;
    for (const Correction &c : corrections) {
        for (; scanned + 1 < c.start; ++scanned) {
            if (checkedText[scanned] == u'\r' && checkedText[scanned + 1] == u'\n')
                ++breaks;
        }
        replacements.append({int(c.start - breaks), int(c.length), c.replacement});
    }
    m_editor.replaceRanges(replacements);
}

} // namespace kora::spell
