#pragma once

#include "richedit/EmbeddedFile.h"

#include <QImage>

namespace kora {

// How a packaged file shows in the document: as its own picture when it is one and the user did
// not ask for an icon, otherwise as the icon of its type with its name below.
QImage objectPicture(const EmbeddedFile &file, bool asIcon);

// The icon with the name below.
QImage iconPicture(const QString &label);

} // namespace kora
