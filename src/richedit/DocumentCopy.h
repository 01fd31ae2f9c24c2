#pragma once

class QTextDocument;

namespace kora {

// Copies [from, to) of `source` (to = -1: the end) into the empty `target`: text, character and
// paragraph formats, bullets and pictures. Every character keeps the font it shows in the source:
// properties it leaves to the source's default font are written out, so the copy looks the same
// whatever default font the target has. The target gets no undo history from the copy.
void copyDocument(const QTextDocument &source, QTextDocument &target, int from = 0, int to = -1);

} // namespace kora
