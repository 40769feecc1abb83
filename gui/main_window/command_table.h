// The text, accelerator, toolbar icon and status prompt of every command, and the layout of
// the menu bar and the toolbar.
#pragma once

#include <span>

namespace plicato {

struct CommandInfo {
    int id;
    const char* text;     // menu text with its mnemonic
    const char* shortcut; // key sequence, or nullptr
    const char* icon;     // resource name of its toolbar icon, or nullptr
    const char* prompt;   // shown in the status bar while the item is highlighted
    bool checkable;
};

std::span<const CommandInfo> commandTable();
const CommandInfo* findCommand(int id);

// A menu, as a list of entries: a command id, 0 for a separator, or a submenu.
struct MenuEntry {
    int id;                   // 0: separator (when submenu is null)
    const char* submenuTitle; // non-null: a submenu with the entries that follow
    std::span<const MenuEntry> submenu;
};

struct MenuInfo {
    const char* title;
    std::span<const MenuEntry> entries;
};

std::span<const MenuInfo> menuBarLayout();
// The toolbar's command ids in order, 0 for a separator.
std::span<const int> toolBarLayout();

} // namespace plicato
