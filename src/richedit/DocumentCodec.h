#pragma once

#include "richedit/PlainTextCodec.h"
#include "richedit/RtfSink.h"
#include "text/FileStamp.h"

#include <QString>

#include <optional>

class QTextDocument;

namespace kora {

enum class DocumentKind { Rtf, PlainText };

// What a load found out about the file.
struct LoadInfo
{
    DocumentKind readAs = DocumentKind::Rtf;
    bool fellBack = false; // read in the other format than its extension asked for
    plaintext::Format textFormat;
    rtf::ReadReport report;
    FileStamp file; // the file as it was read
};

namespace documentcodec {

inline const QString kSaveFailed = QStringLiteral("Failed to Save Stream");

// "txt" (in any case) is plain text; every other extension is RTF.
DocumentKind kindForPath(const QString &path);

// The format for saving: ".txt" as text, every other extension as RTF, except that a document
// read as text through the fall-back (an ".ini" that is not RTF) stays text under such a name.
DocumentKind saveKindForPath(const QString &path, const LoadInfo &loaded);

// Replaces the document's content with the bytes, read in the format of `kind`; RTF that is not
// RTF is read as plain text, which takes any bytes, so loading bytes never fails.
LoadInfo loadBytes(const QByteArray &bytes, DocumentKind kind, QTextDocument &document);

// Loads a file by its extension; false, with a message naming the file, only when it cannot be read.
bool loadFile(const QString &path, QTextDocument &document, LoadInfo *info, QString *error);

// The text of [from, to) with '\n' between paragraphs (to = -1: the end).
QString plainText(const QTextDocument &document, int from = 0, int to = -1);

// The text a plain-text file gets: plainText() with the generated number of each numbered list
// item written before it.
QString exportText(const QTextDocument &document, int from = 0, int to = -1);

// Encodes the document (or [from, to)) in the given kind.
QByteArray encode(const QTextDocument &document, DocumentKind kind, const plaintext::Format &textFormat, int from = 0,
                  int to = -1, plaintext::Format *written = nullptr);

// What a save must know of how a file was read (the kind it was read as, whether that was the
// fall-back, a text file's encoding and line breaks) as one short name such as "text:utf-8:crlf",
// and back; nothing for a name that is not one of these.
QString formatName(const LoadInfo &info);
std::optional<LoadInfo> formatFromName(const QString &name);

// Saves safely (temporary file and rename); false with a message.
bool saveFile(const QString &path, const QByteArray &bytes, QString *error);

} // namespace documentcodec
} // namespace kora
