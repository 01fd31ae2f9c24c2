#pragma once

#include <QByteArray>

#include <cstdint>

namespace kora::bench {

// Documents for the benchmarks, made only from the seed: the same seed and size give the same bytes.
// Sizes are those of the whole file; the result ends at a word boundary within a few dozen bytes
// of it.

// Czech RTF in code page 1250 (\'hh escapes) with a change of bold, italic, underline, font, colour
// or size every few words, paragraphs in every alignment, some indented, some bulleted (\pn).
QByteArray generateRtf(qsizetype bytes, uint64_t seed = 1);

// The same kind of Czech text as UTF-8 plain text, paragraphs ending in CR LF.
QByteArray generatePlainText(qsizetype bytes, uint64_t seed = 1);

} // namespace kora::bench
