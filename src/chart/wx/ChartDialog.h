// The performance chart window: a resizable, non-modal dialog that sweeps one
// distributor around its duty and shows the chart, with the sweep's choice
// and limits, a readout of the point under the pointer (or chosen with the
// arrow keys), and Copy and Save As for the picture.
#pragma once

#include <wx/dialog.h>

#include <functional>
#include <string>

#include "chart/chart_layout.h"
#include "curve/sweep.h"
#include "form/form_inputs.h"
#include "results/result_rows.h"

class wxButton;
class wxChoice;
class wxStaticText;
class wxTextCtrl;

namespace vantrel {

class SelectionForm;
class ChartView;

class ChartDialog : public wxDialog {
public:
    /// Sweeps `duty` (a Rate's inputs) with the form's catalog, units and
    /// load windows. Check ok() before showing: a duty the Rate refuses has
    /// said so already and there is nothing to show.
    ChartDialog(wxWindow* parent, const SelectionForm& form, const FormInputs& duty);
    /// Sweeps the catalog entry an output list row was made from, at the
    /// row's duty (sweepRow).
    ChartDialog(wxWindow* parent, const SelectionForm& form, const ResultRow& row);

    bool ok() const { return haveSweep_; }
    const Sweep& sweep() const { return sweep_; }
    const ChartLayout& layout() const;
    /// The point the readout shows, or -1.
    int shownPoint() const;
    /// Writes the chart to `path` as PNG or SVG (by its extension, PNG when
    /// it has neither); false after showing "Cannot save <path>." and why.
    bool saveTo(const std::string& path);

    // Controls, for the tests that drive the dialog.
    wxChoice* sweepChoice() const { return sweepChoice_; }
    wxTextCtrl* fromField() const { return from_; }
    wxTextCtrl* toField() const { return to_; }
    wxTextCtrl* stepField() const { return step_; }
    wxButton* drawButton() const { return draw_; }
    wxButton* copyButton() const { return copy_; }
    wxButton* saveButton() const { return save_; }
    wxWindow* chartWindow() const;
    wxStaticText* readout() const { return readout_; }

    /// Opens the chart of `duty` beside `parent`; nothing when the duty's
    /// Rate refuses (its message has been shown).
    static ChartDialog* open(wxWindow* parent, const SelectionForm& form, const FormInputs& duty);
    /// Opens the chart of an output list row the same way.
    static ChartDialog* open(wxWindow* parent, const SelectionForm& form, const ResultRow& row);

    /// What Save As asks the user, offering `suggested` as the file name:
    /// the file name typed and the type chosen (0 PNG, 1 SVG); an empty name
    /// when the user cancels. Null: the file dialog. Tests answer in its place.
    using SaveAsker = std::function<std::string(const std::string& suggested, int& type)>;
    void setSaveAsker(SaveAsker asker) { saveAsker_ = std::move(asker); }

private:
    ChartDialog(wxWindow* parent, const SelectionForm& form, const SweepOutcome& first);
    void showRange(const SweepRange& range);
    bool readRange(SweepRange& range);
    void redraw();
    void onSweepChoice(wxCommandEvent& event);
    void onDraw(wxCommandEvent& event);
    void onCopy(wxCommandEvent& event);
    void onSave(wxCommandEvent& event);
    void onPointChosen(int index);
    void error(const std::string& text);

    const SelectionForm& form_;
    Sweep sweep_;
    bool haveSweep_ = false;
    SweepKind kind_ = SweepKind::Capacity;
    wxChoice* sweepChoice_ = nullptr;
    wxTextCtrl* from_ = nullptr;
    wxTextCtrl* to_ = nullptr;
    wxTextCtrl* step_ = nullptr;
    wxStaticText* fromUnit_ = nullptr;
    wxStaticText* toUnit_ = nullptr;
    wxStaticText* stepUnit_ = nullptr;
    wxButton* draw_ = nullptr;
    wxButton* copy_ = nullptr;
    wxButton* save_ = nullptr;
    ChartView* panel_ = nullptr;
    SaveAsker saveAsker_;
    wxStaticText* readout_ = nullptr;
};

}  // namespace vantrel
