#pragma once

#include <QByteArray>
#include <QString>

namespace kora::plaintext {

enum class Encoding { Utf8, Utf8Bom, Utf16LeBom, Utf16BeBom, Utf16Le, Utf16Be, Windows1250 };
enum class LineBreak { CrLf, Lf, Cr };

// How a text file was written, so that saving it keeps its form.
struct Format
{
    Encoding encoding = Encoding::Utf8;
    LineBreak lineBreak = LineBreak::CrLf;
    bool operator==(const Format &) const = default;
};

struct Decoded
{
    QString text; // paragraphs separated by '\n'
    Format format;
};

// Byte-order marks first, then UTF-16 without a mark (told by where its NUL bytes stand), then
// valid UTF-8, else Windows-1250. Control characters other than tab and line breaks are dropped;
// every line-break style, U+2028 and U+2029 included, becomes '\n'.
Decoded decode(const QByteArray &bytes);

// Writes '\n'-separated text in the given form, changed only where decode() would read other
// text back: a Windows-1250 file whose text has characters outside that code page, or whose bytes
// would begin like a byte-order mark or pass for UTF-8, is written as UTF-8 with a byte-order mark; UTF-16 without a mark whose
// NUL bytes would no longer tell its byte order gets the mark. `written` tells which form was used.
QByteArray encode(const QString &text, const Format &format, Format *written = nullptr);

// Removes characters that must not enter a document: C0 controls other than tab, LF and CR.
QString withoutControlCharacters(const QString &text);

} // namespace kora::plaintext
