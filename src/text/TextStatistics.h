#pragma once

#include <QChar>
#include <QStringView>

namespace kora {

// The counts the statistics dialog shows.
struct TextStatistics
{
    qint64 characters = 0; // every UTF-16 unit as given; a CR LF paragraph break counts two
    qint64 lines = 0;
    qint64 spaces = 0; // spaces and tabs
    qint64 words = 0;  // maximal runs of word characters
};

// Counts `crlfText` (paragraphs separated by CR LF) in one pass without allocating. Lines come
// from the caller, who knows how the text is laid out.
TextStatistics countStatistics(QStringView crlfText, qint64 lineCount);

// '-', '_', and the characters whose Windows-1250 byte (33..255) is a letter or digit there.
// Characters that Windows-1250 cannot represent are never word characters.
bool isWordCharacter(QChar ch);

} // namespace kora
