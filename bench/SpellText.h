#pragma once

#include <QString>

namespace kora::bench {

// Czech text of about `bytes` bytes as UTF-8 whose words all come from the word list at
// `listPath`: words picked at random by a fixed seed, some capitalised, with punctuation and
// paragraph breaks (CR LF) between them. Empty when the list cannot be read.
QString knownCzechText(const QString &listPath, qsizetype bytes);

} // namespace kora::bench
