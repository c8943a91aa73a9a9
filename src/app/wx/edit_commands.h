// The Edit menu's commands, carried out on the edit field that has the
// keyboard focus (edit fields and the edit parts of combo boxes).
#pragma once

#include "app/wx/command_target.h"

class wxTextEntry;

namespace vantrel {

class EditCommands : public CommandTarget {
public:
    /// Handled only while an edit field has the focus.
    bool handlesCommand(int id) const override;
    void runCommand(int id) override;
    /// Cut, Copy, Delete need selected text; Paste text on the clipboard;
    /// Clear All a non-empty field; Undo something to undo.
    bool commandEnabled(int id) const override;

private:
    static wxTextEntry* focusedEntry();
};

}  // namespace vantrel
