#pragma once

#include <QColor>
#include <QtGlobal>

#include <optional>

class QPalette;

namespace kora {

// A colour as the settings store it: 0x00BBGGRR for a colour of its own, or 0x800000nn for
// system colour nn (window, button face, …), which follows the desktop's palette.
namespace ColorRef {

constexpr quint32 kSystemFlag = 0x80000000u;
constexpr quint32 kWindowText = kSystemFlag | 8;
constexpr quint32 kWindow = kSystemFlag | 5;
constexpr quint32 kButtonFace = kSystemFlag | 15;
constexpr quint32 kBlack = 0x000000u;

constexpr bool isSystem(quint32 ref)
{
    return (ref & 0xff000000u) == kSystemFlag;
}

// The colour `ref` stands for under `palette`; nothing for a value that is no colour (a high
// byte other than 0 or 0x80, or a system colour number that does not exist).
std::optional<QColor> resolve(quint32 ref, const QPalette &palette);

// `color` as 0x00BBGGRR.
quint32 fromColor(const QColor &color);

// `color` as a reference: `preferred` (a system colour) while it stands for exactly this
// colour under `palette`, else the colour itself.
quint32 describe(const QColor &color, quint32 preferred, const QPalette &palette);

} // namespace ColorRef

} // namespace kora
