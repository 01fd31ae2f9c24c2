#pragma once

#include "richedit/SelectionFormat.h"

#include <QString>

#include <optional>

namespace kora {

class RichEdit;

// The formatting commands' effects on the selection, apart from the windows that start them.
namespace formatting {

// Flips one style flag of the selection as a whole: removed when the whole selection has it,
// otherwise added; the other flags are written back unchanged.
void toggleStyle(RichEdit &edit, StyleFlag flag);

// Replaces the selected text by its upper- or lower-case form (locale-aware, Czech letters
// included); the caret then stands after it. An empty selection changes nothing.
void changeCase(RichEdit &edit, bool upper);

// Moves the first line of the selected paragraphs by `points` (the left indent is relative to
// it, so the whole paragraph moves).
void shiftFirstIndent(RichEdit &edit, int points);

// The size box's text as a whole number: strict, like the platform's integer conversion.
std::optional<int> parseSize(const QString &text);
QString sizeConversionError(const QString &text);

} // namespace formatting
} // namespace kora
