#include "resources/menu_resources.h"

#include <map>

#include "i18n/translate.h"
#include "resources/command_ids.h"

namespace vantrel {

const std::vector<MenuTemplate>& mainMenu() {
    static const std::vector<MenuTemplate> menu{
        // TRANSLATORS: keep the part after the tab (the shortcut) as it is; the & marks the access key.
        {N_("&File"),
         {{cmd::kNew, N_("&New"), true},
          {cmd::kOpen, N_("&Open..."), true},
          {cmd::kImportSchedule, N_("&Import Schedule..."), true},
          {0, "", true},
          {cmd::kSave, N_("&Save"), false},
          {cmd::kSaveAs, N_("Save &As..."), false},
          {0, "", true},
          {cmd::kPrintSetup, N_("Print S&etup"), true},
          {cmd::kPrint, N_("&Print"), true},
          {cmd::kExportPdf, N_("Export P&DF..."), true},
          {0, "", true},
          {cmd::kExit, N_("E&xit\tAlt+F4"), true}}},
        {N_("&Edit"),
         {{cmd::kUndo, N_("&Undo\tAlt+BkSp"), false},
          {0, "", true},
          {cmd::kCut, N_("Cu&t\tShift+Del"), false},
          {cmd::kCopy, N_("&Copy\tCtrl+Ins"), false},
          {cmd::kPaste, N_("&Paste\tShift+Ins"), false},
          {0, "", true},
          {cmd::kClearAll, N_("Clear &All\tCtrl+Del"), false},
          {cmd::kDelete, N_("&Delete\tDel"), false}}},
        {N_("&Options"),
         {{cmd::kClearResults, N_("&Clear Results"), true},
          {cmd::kUnits, N_("Set to SI Units"), true},
          {cmd::kPreferences, N_("&Preferences..."), true},
          {cmd::kLanguage, N_("&Language..."), true}}},
        {N_("&Help"),
         {{cmd::kHelpContents, N_("&Contents"), true},
          {cmd::kHelpUsing, N_("&Using help"), true},
          {0, "", true},
          {cmd::kHelpAbout, N_("&About..."), true}}},
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
        {cmd::kHelpContents, N_("Help table of contents")},
        {cmd::kHelpUsing, N_("Help on using online Help")},
        {cmd::kHelpAbout, N_("About the morvex application")},
        {cmd::kPreferences, N_("Change selection parameters")},
        {cmd::kLanguage, N_("Choose the language of menus, dialogs, messages, printouts and help")},
        {cmd::kPrintSetup, N_("Change printer")},
        {cmd::kPrint, N_("Print results")},
        {cmd::kClearResults, N_("Erase all calculated results")},
        {cmd::kExit, N_("Quits program and prompts to save if changes have been made")},
        {cmd::kUndo, N_("Reverses the last operation")},
        {cmd::kCut, N_("Cuts the selection and puts it on the Clipboard")},
        {cmd::kCopy, N_("Copies the selection and puts it on the Clipboard")},
        {cmd::kPaste, N_("Inserts the Clipboard contents at the insertion point")},
        {cmd::kDelete, N_("Deletes the selection")},
        {cmd::kClearAll, N_("Clears all input fields")},
        {cmd::kNew, N_("Creates a new window")},
        {cmd::kOpen, N_("Opens a window")},
        {cmd::kImportSchedule, N_("Selects distributors for every duty of a schedule file")},
        {cmd::kExportPdf, N_("Saves the results as a PDF report with the printed pages")},
        {cmd::kSave, N_("Saves the active document")},
        {cmd::kSaveAs, N_("Saves the active document with a new name")},
        {cmd::kFind, N_("Finds the specified text")},
        {cmd::kFindNext, N_("Finds the next match")},
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
