#pragma once

#include <QByteArray>

class QTextDocument;

namespace kora::rtf {

// Writes the document, or the characters in [from, to), as RTF in code page 1250 with \u for
// everything else. A paragraph end inside the range is written as \par.
QByteArray write(const QTextDocument &document, int from = 0, int to = -1);

} // namespace kora::rtf
