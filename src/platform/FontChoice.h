#pragma once

#include <QColor>
#include <QFont>

namespace kora {

// The font dialog's font with its effects (underline, strikeout) and colour.
struct FontChoice
{
    QFont font;
    QColor color;
};

} // namespace kora
