// Options > Preferences: the load windows of the selection search (nozzle and
// tube loading, minimum and maximum, in percent), edited as texts that the
// caller keeps between openings and converts after the dialog has closed.
#pragma once

#include <wx/dialog.h>

#include <array>
#include <functional>
#include <string>

#include "ui/wx/template_builder.h"
#include "resources/dialog_ids.h"

class wxTextCtrl;

namespace vantrel {

class Tmorvexdlgprefs : public wxDialog {
public:
    /// Edit ids in transfer order: nozzle minimum, nozzle maximum, tube minimum, tube maximum.
    static constexpr std::array<int, 4> kFieldIds{prefs_ids::kNozzleMin, prefs_ids::kNozzleMax, prefs_ids::kTubeMin,
                                                  prefs_ids::kTubeMax};
    /// The Default button.
    static constexpr int kDefaultButton = prefs_ids::kDefault;
    /// The help context of the dialog.
    static constexpr int kHelpContext = 1;
    /// Characters a field holds at most.
    static constexpr int kFieldLength = 9;

    /// Builds the dialog over `texts` (in transfer order) and shows them in the
    /// fields; `showHelp` (may be empty) opens a help topic by context id.
    Tmorvexdlgprefs(wxWindow* parent, std::array<std::string, 4>& texts, std::function<void(int)> showHelp = {});

    /// The edit field `index` (0..3) in transfer order.
    wxTextCtrl* field(std::size_t index) const;
    /// The control with template id `id`, or nullptr.
    wxWindow* control(int id) const { return built_.get<wxWindow>(id); }

    /// What OK does: checks every field (the first failure is reported and
    /// focused) and, when all pass, copies the fields into the buffer.
    bool accept();
    /// Whether accept() has succeeded, i.e. the buffer holds the fields' texts.
    bool accepted() const { return accepted_; }

private:
    void onOk(wxCommandEvent& event);
    void onDefault(wxCommandEvent& event);
    void onHelp(wxCommandEvent& event);

    BuiltDialog built_;
    std::function<void(int)> showHelp_;
    bool accepted_ = false;
};

/// Shows the Preferences dialog modally over `texts`. Returns true when it was
/// confirmed with OK and every field passed its check; only then do `texts`
/// change. `showHelp` (may be empty) opens a help topic by context id.
bool runPreferences(wxWindow* parent, std::array<std::string, 4>& texts, std::function<void(int)> showHelp);

}  // namespace vantrel
