// The main menu, its accelerators, the status-bar hint texts and the tool
// bar, as data for the window layer. The texts are English; the window
// layer shows them in the user's language.
#pragma once

#include <string>
#include <vector>

namespace vantrel {

/// One menu item; a separator has id 0.
struct MenuItemTemplate {
    int id;
    std::string text;  ///< with "&" mnemonic and, after a tab, the shortcut shown
    bool initiallyEnabled;
};

struct MenuTemplate {
    std::string title;
    std::vector<MenuItemTemplate> items;
};

/// Keys of the accelerator table.
enum class AccelKey { Delete, Insert, Backspace, F3 };

struct AcceleratorTemplate {
    bool shift, ctrl, alt;
    AccelKey key;
    int command;
};

/// One tool bar entry; a separator has command 0.
struct ToolTemplate {
    int command;
    int glyph;  ///< number of the glyph bitmap
};

/// Menu 100: File, Edit, Options, Help.
const std::vector<MenuTemplate>& mainMenu();
/// Accelerator table 100.
const std::vector<AcceleratorTemplate>& accelerators();
/// Tool bar buttons left to right.
const std::vector<ToolTemplate>& toolBar();
/// Status-bar hint of a command, or an empty text when it has none.
std::string hintText(int command);
/// The text of menu item `id`, or an empty text.
std::string menuText(int id);

}  // namespace vantrel
