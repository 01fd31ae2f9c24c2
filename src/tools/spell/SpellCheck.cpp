#include "tools/spell/SpellCheck.h"

#include "tools/spell/TjanSpeller.h"

namespace kora::spell {

SpellCheck::SpellCheck(TjanSpeller &speller, QString text)
    : m_speller(speller)
    , m_text(std::move(text))
{
}

bool SpellCheck::findNextUnknown()
{
    while (const std::optional<WordSpan> word = nextWord(m_text, m_scan)) {
        m_scan = word->start + word->length;
        if (!m_speller.isKnown(QStringView(m_text).sliced(word->start, word->length))) {
            m_word = *word;
            return true;
        }
    }
    m_scan = m_text.size();
    return false;
}

QString SpellCheck::word() const
{
    return m_text.sliced(m_word.start, m_word.length);
}

QString SpellCheck::context() const
{
    return m_text.mid(m_word.start, kContextLength);
}

bool SpellCheck::change(const QString &replacement)
{
    if (replacement.isEmpty())
        return false;
    if (replacement != word()) {
        m_corrections.append({m_word.start - m_shift, m_word.length, replacement});
        m_text.replace(m_word.start, m_word.length, replacement);
        m_shift += replacement.size() - m_word.length;
    }
    m_scan = m_word.start + replacement.size();
    return true;
}

bool SpellCheck::add(const QString &typed)
{
    return m_speller.addWord(typed);
}

bool SpellCheck::canAddWords() const
{
    return m_speller.canAddWords();
}

} // namespace kora::spell
