#pragma once

#include <span>

namespace kora {

// One button of a toolbar; a row with no name is a separator. A button with `runs` triggers that
// menu item instead of having a handler of its own.
struct ToolButtonRow
{
    const char *name;
    const char *icon; // icon theme name; empty: a small picture of our own
    const char *tooltip;
    const char *statusText;
    const char *runs;
    bool checkable = false;
};

// The standard toolbar, left to right.
std::span<const ToolButtonRow> standardToolbarRows();
// The toggle buttons of the formatting toolbar, after its boxes and colour buttons.
std::span<const ToolButtonRow> formattingToolbarRows();

} // namespace kora
