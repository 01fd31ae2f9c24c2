#pragma once

#include "richedit/RichEdit.h"

namespace kora::search {

class TextMatcher;

// Searches of the document, paragraph by paragraph, in editor positions (a paragraph end counts
// one, a soft wrap none). A match never spans paragraphs.

// Forward: the first match that starts at or after `from`. Backward: the last match that ends
// at or before `from`. -1 when there is none.
int findInDocument(const RichEdit &editor, const TextMatcher &matcher, int from, bool backward);

// Every match from the top, left to right, none overlapping the one before.
QList<RichEdit::TextRange> findAllInDocument(const RichEdit &editor, const TextMatcher &matcher);

// The first occurrence of `text` (exact characters) in each laid-out line, the first line
// first. Occurrences that a soft wrap splits belong to no line and are not found.
QList<RichEdit::TextRange> firstInEachLine(const RichEdit &editor, const QString &text);

} // namespace kora::search
