#pragma once

#include <QString>

namespace kora {

class RichEdit;

// Prints the whole document into a PDF file, as printing puts it on paper: the printable area of
// A4 (Letter in inch locales), fonts embedded, text selectable. The file is replaced safely; false
// with a message when it cannot be written.
bool writePdf(const RichEdit &editor, const QString &fileName, QString *error);

} // namespace kora
