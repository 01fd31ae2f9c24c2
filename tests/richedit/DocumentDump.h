#pragma once

#include "richedit/RtfSink.h"
#include "support/QtPrinters.h"

#include <QString>
#include <QTextDocument>

#include <memory>

namespace kora::test {

// Reads RTF into a fresh document with the editor's default font.
std::unique_ptr<QTextDocument> readRtf(const QByteArray &rtf, rtf::ReadReport *report = nullptr, bool *ok = nullptr);

// One line per paragraph ("P" with its format) and per run (text and character format), so that
// a test compares a whole document's text and formatting at a glance.
QString dump(const QTextDocument &document);

// The same as the reader sees it: a run without a named face or size shows the document's default font,
// and neighbouring runs that look alike are one run however the document stores them.
QString seenDump(const QTextDocument &document);

// Paragraph texts joined with '\n'.
QString plainText(const QTextDocument &document);

QByteArray readFile(const QString &path);

} // namespace kora::test
