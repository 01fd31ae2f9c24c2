#pragma once

#include <QByteArray>
#include <QChar>
#include <QStringView>

#include <optional>

// Words as the spell checker sees them: maximal runs of the letters of Windows-1250, so Czech
// and Slovak words with diacritics stay whole, compared in lower case by that code page's case
// mapping. Word lists hold them as Windows-1250 bytes.
namespace kora::spell {

// A letter of Windows-1250 (modifier marks such as the spacing caron are not letters).
bool isLetter(QChar ch);

// The Windows-1250 bytes of `text` with its letters in lower case; nothing when a character
// has no byte in Windows-1250.
std::optional<QByteArray> lowerWindows1250(QStringView text);

// The Windows-1250 text of list bytes.
QString fromWindows1250(QByteArrayView bytes);

struct WordSpan
{
    qsizetype start = 0;
    qsizetype length = 0;
};

// The first word starting at or after `from`; nothing when no letter is left.
std::optional<WordSpan> nextWord(QStringView text, qsizetype from);

} // namespace kora::spell
