// The Edit menu's commands, carried out on the edit field that has the
// keyboard focus (edit fields and the edit parts of combo boxes).
#pragma once

#include "ui/wx/command_target.h"

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
    bool clipboardHasText() const;

    // Asking the clipboard whether it holds text is a round trip to the
    // program that owns it, during which the toolkit runs its event loop
    // (and so the idle handlers that ask again). The answer is kept for a
    // moment instead of being asked for at every idle event.
    mutable bool canPaste_ = false;
    mutable long long askedAt_ = 0;  ///< milliseconds, 0: never
    mutable bool asking_ = false;
};

}  // namespace vantrel
