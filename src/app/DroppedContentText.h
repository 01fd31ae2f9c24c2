#pragma once

#include "richedit/RtfSink.h"

#include <QStringList>

namespace kora {

// One Czech line per kind of content the reader left out or kept only as text, for telling the
// user before a save.
QStringList describeDropped(const rtf::ReadReport &report);

} // namespace kora
