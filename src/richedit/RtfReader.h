#pragma once

#include "richedit/RtfSink.h"

#include <QByteArrayView>

namespace kora::rtf {

enum class ReadError {
    None,
    NotRtf, // the data does not start with "{\rtf"
};

struct ReadResult
{
    ReadError error = ReadError::None;
    ReadReport report;
    bool ok() const { return error == ReadError::None; }
};

// True when the data starts with "{\rtf", after blanks and a UTF-8 byte-order mark.
bool looksLikeRtf(QByteArrayView data);

// Decodes RTF into `sink`. Malformed input is read as far as it makes sense; only data
// that is not RTF at all is refused, before anything reaches the sink.
ReadResult read(QByteArrayView data, Sink &sink);

} // namespace kora::rtf
