#pragma once

#include <span>

namespace kora {

// One row of the main menu tree: depth 0 is a menu of the menu bar, 1 an item of it, 2 an item
// of a submenu. A row with an empty name is a separator.
struct MenuRow
{
    enum Flag : unsigned {
        Submenu = 1,      // opens the rows of the next depth that follow it
        Checkable = 2,
        Checked = 4,
        Disabled = 8,
        Hidden = 16,
        RecentFiles = 32, // the recent files stand right after this separator
        RightEnd = 64,    // drawn at the right end of the menu bar
    };
    int depth;
    const char *name;
    const char *caption;
    const char *shortcut;
    const char *statusText;
    unsigned flags = 0;
};

// The whole menu tree of the main window, in menu order.
std::span<const MenuRow> mainMenuRows();

// One item of the editor's context menu; it triggers the menu item `runs`. No name: a separator.
struct PopupRow
{
    const char *name;
    const char *caption;
    const char *runs;
};

// The editor's context menu, top to bottom.
std::span<const PopupRow> editorPopupRows();

} // namespace kora
