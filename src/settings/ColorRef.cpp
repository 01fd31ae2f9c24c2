#include "settings/ColorRef.h"

#include <QPalette>

#include <array>

namespace kora::ColorRef {

namespace {

struct SystemColor
{
    QPalette::ColorGroup group;
    QPalette::ColorRole role;
};

// The system colours by number, each taken from the palette entry that plays its part: the
// face of buttons and dialogs is the window background, the inside of edit boxes the base.
constexpr std::array<std::optional<SystemColor>, 31> kSystemColors = {{
    SystemColor{QPalette::Active, QPalette::Button},            // 0 scroll bar
    SystemColor{QPalette::Active, QPalette::Dark},              // 1 desktop
    SystemColor{QPalette::Active, QPalette::Highlight},         // 2 active caption
    SystemColor{QPalette::Inactive, QPalette::Highlight},       // 3 inactive caption
    SystemColor{QPalette::Active, QPalette::Window},            // 4 menu
    SystemColor{QPalette::Active, QPalette::Base},              // 5 window
    SystemColor{QPalette::Active, QPalette::Shadow},            // 6 window frame
    SystemColor{QPalette::Active, QPalette::WindowText},        // 7 menu text
    SystemColor{QPalette::Active, QPalette::Text},              // 8 window text
    SystemColor{QPalette::Active, QPalette::HighlightedText},   // 9 caption text
    SystemColor{QPalette::Active, QPalette::Button},            // 10 active border
    SystemColor{QPalette::Inactive, QPalette::Button},          // 11 inactive border
    SystemColor{QPalette::Active, QPalette::Mid},               // 12 application workspace
    SystemColor{QPalette::Active, QPalette::Highlight},         // 13 highlight
    SystemColor{QPalette::Active, QPalette::HighlightedText},   // 14 highlighted text
    SystemColor{QPalette::Active, QPalette::Window},            // 15 button face
    SystemColor{QPalette::Active, QPalette::Dark},              // 16 button shadow
    SystemColor{QPalette::Disabled, QPalette::Text},            // 17 grey text
    SystemColor{QPalette::Active, QPalette::ButtonText},        // 18 button text
    SystemColor{QPalette::Inactive, QPalette::HighlightedText}, // 19 inactive caption text
    SystemColor{QPalette::Active, QPalette::Light},             // 20 button highlight
    SystemColor{QPalette::Active, QPalette::Shadow},            // 21 3-D dark shadow
    SystemColor{QPalette::Active, QPalette::Midlight},          // 22 3-D light
    SystemColor{QPalette::Active, QPalette::ToolTipText},       // 23 tooltip text
    SystemColor{QPalette::Active, QPalette::ToolTipBase},       // 24 tooltip background
    std::nullopt,                                               // 25 not a colour
    SystemColor{QPalette::Active, QPalette::Link},              // 26 hot-tracked item
    SystemColor{QPalette::Active, QPalette::Highlight},         // 27 active caption gradient
    SystemColor{QPalette::Inactive, QPalette::Highlight},       // 28 inactive caption gradient
    SystemColor{QPalette::Active, QPalette::Highlight},         // 29 highlighted menu item
    SystemColor{QPalette::Active, QPalette::Window},            // 30 menu bar
}};

} // namespace

std::optional<QColor> resolve(quint32 ref, const QPalette &palette)
{
    if ((ref & 0xff000000u) == 0)
        return QColor(int(ref & 0xff), int((ref >> 8) & 0xff), int((ref >> 16) & 0xff));
    if (!isSystem(ref))
        return std::nullopt;
    const quint32 index = ref & 0x00ffffffu;
    if (index >= kSystemColors.size() || !kSystemColors[index])
        return std::nullopt;
    return palette.color(kSystemColors[index]->group, kSystemColors[index]->role);
}

quint32 fromColor(const QColor &color)
{
    const QColor rgb = color.toRgb();
    return quint32(rgb.red()) | quint32(rgb.green()) << 8 | quint32(rgb.blue()) << 16;
}

quint32 describe(const QColor &color, quint32 preferred, const QPalette &palette)
{
    const quint32 own = fromColor(color);
    if (isSystem(preferred)) {
        const std::optional<QColor> system = resolve(preferred, palette);
        if (system && fromColor(*system) == own)
            return preferred;
    }
    return own;
}

} // namespace kora::ColorRef
