#include "app/wx/edit_commands.h"

#include <wx/clipbrd.h>
#include <wx/combobox.h>
#include <wx/time.h>
#include <wx/textctrl.h>
#include <wx/textentry.h>
#include <wx/window.h>

#include "resources/command_ids.h"

namespace vantrel {

namespace {
bool isEditCommand(int id) {
    return id == cmd::kUndo || id == cmd::kCut || id == cmd::kCopy || id == cmd::kPaste || id == cmd::kDelete ||
           id == cmd::kClearAll;
}
}  // namespace

wxTextEntry* EditCommands::focusedEntry() {
    wxWindow* focus = wxWindow::FindFocus();
    // A combo box's edit part is a child window of the combo box on some systems.
    for (int depth = 0; focus && depth < 2; ++depth, focus = focus->GetParent()) {
        if (auto* text = dynamic_cast<wxTextCtrl*>(focus)) return text->IsMultiLine() ? nullptr : text;
        if (auto* combo = dynamic_cast<wxComboBox*>(focus)) return combo;
    }
    return nullptr;
}

bool EditCommands::handlesCommand(int id) const { return isEditCommand(id) && focusedEntry() != nullptr; }

void EditCommands::runCommand(int id) {
    wxTextEntry* entry = focusedEntry();
    if (!entry) return;
    // Cut and Copy change the clipboard: the next question is asked afresh.
    askedAt_ = 0;
    switch (id) {
        case cmd::kUndo: entry->Undo(); break;
        case cmd::kCut: entry->Cut(); break;
        case cmd::kCopy: entry->Copy(); break;
        case cmd::kPaste: entry->Paste(); break;
        case cmd::kClearAll: entry->Clear(); break;
        case cmd::kDelete: entry->RemoveSelection(); break;
        default: break;
    }
}

bool EditCommands::commandEnabled(int id) const {
    const wxTextEntry* entry = focusedEntry();
    if (!entry) return false;
    long from = 0, to = 0;
    entry->GetSelection(&from, &to);
    switch (id) {
        case cmd::kUndo: return entry->CanUndo();
        case cmd::kCut:
        case cmd::kDelete: return from != to && entry->IsEditable();
        case cmd::kCopy: return from != to;
        case cmd::kPaste: return entry->IsEditable() && clipboardHasText();
        case cmd::kClearAll: return !entry->IsEmpty() && entry->IsEditable();
        default: return false;
    }
}

bool EditCommands::clipboardHasText() const {
    constexpr long long kAnswerKeptMs = 1000;
    const long long now = wxGetUTCTimeMillis().GetValue();
    if (asking_ || (askedAt_ != 0 && now - askedAt_ < kAnswerKeptMs)) return canPaste_;
    asking_ = true;
    canPaste_ = wxTheClipboard->IsSupported(wxDF_UNICODETEXT) || wxTheClipboard->IsSupported(wxDF_TEXT);
    asking_ = false;
    askedAt_ = wxGetUTCTimeMillis().GetValue();
    return canPaste_;
}

}  // namespace vantrel
