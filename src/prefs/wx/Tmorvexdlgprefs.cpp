#include "prefs/wx/Tmorvexdlgprefs.h"

#include <wx/button.h>
#include <wx/textctrl.h>

#include <utility>

#include "ui/wx/wx_text.h"
#include "prefs/wx/TDecimalRangeValidator.h"
#include "resources/dialog_templates.h"

namespace vantrel {
namespace {

struct FieldRange {
    double min;
    double max;
};
// Nozzles tolerate less overload than tubes.
constexpr std::array<FieldRange, 4> kRanges{{{50, 150}, {50, 150}, {50, 200}, {50, 200}}};
constexpr std::array<const char*, 4> kDefaults{"90", "110", "90", "110"};

}  // namespace

Tmorvexdlgprefs::Tmorvexdlgprefs(wxWindow* parent, std::array<std::string, 4>& texts, std::function<void(int)> showHelp)
    : showHelp_(std::move(showHelp)) {
    const DialogTemplate& layout = dialogTemplate(templates::kPreferences);
    // The caption's help button exists only where the window system offers one.
    SetExtraStyle(GetExtraStyle() | wxDIALOG_EX_CONTEXTHELP);
    Create(parent, wxID_ANY, shownText(layout.caption), wxDefaultPosition, wxDefaultSize, wxDEFAULT_DIALOG_STYLE);
    built_ = buildFromTemplate(this, layout);
    SetClientSize(built_.clientSize);

    for (std::size_t i = 0; i < kFieldIds.size(); ++i) {
        wxTextCtrl* edit = field(i);
        edit->SetMaxLength(kFieldLength);
        edit->SetValidator(TDecimalRangeValidator(kRanges[i].min, kRanges[i].max, &texts[i]));
    }

    Bind(wxEVT_BUTTON, &Tmorvexdlgprefs::onOk, this, wxID_OK);
    Bind(wxEVT_BUTTON, &Tmorvexdlgprefs::onDefault, this, kDefaultButton);
    Bind(wxEVT_BUTTON, &Tmorvexdlgprefs::onHelp, this, wxID_HELP);

    // Showing the dialog transfers again; doing it now as well means the
    // fields hold the buffer's texts from the start, even for a caller that
    // inspects or answers the dialog before it appears.
    TransferDataToWindow();
    CentreOnParent();
}

wxTextCtrl* Tmorvexdlgprefs::field(std::size_t index) const {
    return index < kFieldIds.size() ? built_.get<wxTextCtrl>(kFieldIds[index]) : nullptr;
}

bool Tmorvexdlgprefs::accept() {
    accepted_ = Validate() && TransferDataFromWindow();
    return accepted_;
}

void Tmorvexdlgprefs::onOk(wxCommandEvent&) {
    if (accept()) EndDialog(wxID_OK);
}

void Tmorvexdlgprefs::onDefault(wxCommandEvent&) {
    // SetValue rather than ChangeValue: the fields' validators follow the text
    // through its change events.
    for (std::size_t i = 0; i < kDefaults.size(); ++i) field(i)->SetValue(kDefaults[i]);
}

void Tmorvexdlgprefs::onHelp(wxCommandEvent&) {
    if (showHelp_) showHelp_(kHelpContext);
}

bool runPreferences(wxWindow* parent, std::array<std::string, 4>& texts, std::function<void(int)> showHelp) {
    Tmorvexdlgprefs dialog(parent, texts, std::move(showHelp));
    if (dialog.ShowModal() != wxID_OK) return false;
    // A pressed OK has already checked and transferred. A modal-dialog hook
    // (tests, automation) can answer OK without the dialog ever running, so
    // such an answer goes through the same checks here; if one fails, its
    // message has been shown and the buffer stays as it was, as after Cancel.
    return dialog.accepted() || dialog.accept();
}

}  // namespace vantrel
