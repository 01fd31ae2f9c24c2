#pragma once

#include "tools/spell/SpellWords.h"

#include <QList>
#include <QString>

namespace kora::spell {

class TjanSpeller;

// A replaced word: where it stood in the text handed to the check, and what replaces it.
struct Correction
{
    qsizetype start = 0;
    qsizetype length = 0;
    QString replacement;

    bool operator==(const Correction &) const = default;
};

// One check over a text: walks its unknown words in order and records what the user does with
// each. A replacement is not checked again; the scan goes on after it.
class SpellCheck
{
public:
    static constexpr qsizetype kContextLength = 75;

    SpellCheck(TjanSpeller &speller, QString text);

    // Moves to the next unknown word; false when the text has none left.
    bool findNextUnknown();
    // The current unknown word as written, and up to 75 characters of the text from its start.
    QString word() const;
    QString context() const;

    // Replaces the current word; false, changing nothing, when `replacement` is empty.
    bool change(const QString &replacement);
    // Adds `typed` to the user list (see TjanSpeller::addWord); the text stays as it is.
    bool add(const QString &typed);
    bool canAddWords() const;

    // The text with the replacements made so far.
    const QString &text() const { return m_text; }
    // The replacements in order, positioned in the text as it was handed in.
    const QList<Correction> &corrections() const { return m_corrections; }

private:
    TjanSpeller &m_speller;
    QString m_text;
    qsizetype m_scan = 0;
    WordSpan m_word;
    qsizetype m_shift = 0; // how much longer the text has grown by the replacements
    QList<Correction> m_corrections;
};

} // namespace kora::spell
