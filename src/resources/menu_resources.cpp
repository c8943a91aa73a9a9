#include "resources/menu_resources.h"

#include <map>

#include "resources/command_ids.h"

namespace vantrel {

const std::vector<MenuTemplate>& mainMenu() {
    static const std::vector<MenuTemplate> menu{
        {"&File",
         {{cmd::kNew, "&New", true},
          {cmd::kOpen, "&Open...", true},
          {cmd::kImportSchedule, "&Import Schedule...", true},
          {0, "", true},
          {cmd::kSave, "&Save", false},
          {cmd::kSaveAs, "Save &As...", false},
          {0, "", true},
          {cmd::kPrintSetup, "Print S&etup", true},
          {cmd::kPrint, "&Print", true},
          {cmd::kExportPdf, "Export P&DF...", true},
          {0, "", true},
          {cmd::kExit, "E&xit\tAlt+F4", true}}},
        {"&Edit",
         {{cmd::kUndo, "&Undo\tAlt+BkSp", false},
          {0, "", true},
          {cmd::kCut, "Cu&t\tShift+Del", false},
          {cmd::kCopy, "&Copy\tCtrl+Ins", false},
          {cmd::kPaste, "&Paste\tShift+Ins", false},
          {0, "", true},
          {cmd::kClearAll, "Clear &All\tCtrl+Del", false},
          {cmd::kDelete, "&Delete\tDel", false}}},
        {"&Options",
         {{cmd::kClearResults, "&Clear Results", true},
          {cmd::kUnits, "Set to SI Units", true},
          {cmd::kPreferences, "&Preferences...", true},
          {cmd::kLanguage, "&Language...", true}}},
        {"&Help",
         {{cmd::kHelpContents, "&Contents", true},
          {cmd::kHelpUsing, "&Using help", true},
          {0, "", true},
          {cmd::kHelpAbout, "&About...", true}}},
    };
    return menu;
}

const std::vector<AcceleratorTemplate>& accelerators() {
    static const std::vector<AcceleratorTemplate> table{
        {true, false, false, AccelKey::Delete, cmd::kCut},     {false, true, false, AccelKey::Insert, cmd::kCopy},
        {true, false, false, AccelKey::Insert, cmd::kPaste},   {false, true, false, AccelKey::Delete, cmd::kClearAll},
        {false, false, true, AccelKey::Backspace, cmd::kUndo}, {false, false, false, AccelKey::F3, cmd::kFindNext},
    };
    return table;
}

const std::vector<ToolTemplate>& toolBar() {
    static const std::vector<ToolTemplate> tools{
        {cmd::kSave, 24333},
        {0, 0},
        {cmd::kCut, 24322},
        {cmd::kCopy, 24323},
        {cmd::kPaste, 24324},
        {0, 0},
        {cmd::kUndo, 24321},
        {0, 0},
        {cmd::kFind, 24351},
        {cmd::kFindNext, 24353},
        {0, 0},
        {cmd::kPrint, 24360},
        {cmd::kExportPdf, 24361},
        {0, 0},
        {cmd::kHelpContents, 2001},
    };
    return tools;
}

std::string hintText(int command) {
    static const std::map<int, std::string> hints{
        {cmd::kHelpContents, "Help table of contents"},
        {cmd::kHelpUsing, "Help on using online Help"},
        {cmd::kHelpAbout, "About the morvex application"},
        {cmd::kPreferences, "Change selection parameters"},
        {cmd::kLanguage, "Choose the language of menus, dialogs, messages, printouts and help"},
        {cmd::kPrintSetup, "Change printer"},
        {cmd::kPrint, "Print results"},
        {cmd::kClearResults, "Erase all calculated results"},
        {cmd::kExit, "Quits program and prompts to save if changes have been made"},
        {cmd::kUndo, "Reverses the last operation"},
        {cmd::kCut, "Cuts the selection and puts it on the Clipboard"},
        {cmd::kCopy, "Copies the selection and puts it on the Clipboard"},
        {cmd::kPaste, "Inserts the Clipboard contents at the insertion point"},
        {cmd::kDelete, "Deletes the selection"},
        {cmd::kClearAll, "Clears all input fields"},
        {cmd::kNew, "Creates a new window"},
        {cmd::kOpen, "Opens a window"},
        {cmd::kImportSchedule, "Selects distributors for every duty of a schedule file"},
        {cmd::kExportPdf, "Saves the results as a PDF report with the printed pages"},
        {cmd::kSave, "Saves the active document"},
        {cmd::kSaveAs, "Saves the active document with a new name"},
        {cmd::kFind, "Finds the specified text"},
        {cmd::kFindNext, "Finds the next match"},
    };
    const auto it = hints.find(command);
    return it == hints.end() ? std::string() : it->second;
}

std::string menuText(int id) {
    for (const MenuTemplate& menu : mainMenu()) {
        for (const MenuItemTemplate& item : menu.items) {
            if (item.id == id) return item.text;
        }
    }
    return {};
}

}  // namespace vantrel
