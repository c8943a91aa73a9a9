// The selection form window: the main window's working area. It builds its
// controls from template 2000, shows the form's state and passes the user's
// actions to the toolkit-free SelectionForm, through which all logic runs.
#pragma once

#include <wx/cmndata.h>
#include <wx/panel.h>

#include <array>
#include <functional>
#include <string>

#include "ui/wx/command_target.h"
#include "form/form_inputs.h"
#include "form/form_ui.h"
#include "form/selection_form.h"
#include "refrigerants/refrigerant_table.h"
#include "ui/wx/template_builder.h"

class wxChoice;
class wxComboBox;
class wxListCtrl;
class wxStaticText;
class wxTextCtrl;

namespace vantrel {

class TLWoutput;
class SettingsStore;
class UpDownControl;

class TmorvexDlgClient : public wxPanel, public FormUi, public CommandTarget {
public:
    /// Builds the form over `form` (already started) as a child of `parent`.
    TmorvexDlgClient(wxWindow* parent, SelectionForm& form, SettingsStore& settings);

    /// The form's logic.
    SelectionForm& form() { return form_; }
    /// The size the template needs.
    wxSize templateSize() const { return built_.clientSize; }
    /// A control by its id.
    wxWindow* control(int id) const;

    /// The refrigerants' facts the form shows beside the chosen one.
    void setRefrigerantTable(std::vector<RefrigerantInfo> table);

    /// The transfer buffer: the controls' current texts and list positions.
    FormInputs readInputs() const;
    /// Shows the rows of the form's table again (after they changed).
    void refreshRows();

    // FormUi
    MessageAnswer showMessage(const std::string& text, const std::string& caption, MessageIcon icon,
                              MessageButtons buttons) override;
    void setFocus(int controlId) override;
    void setControlText(int controlId, const std::string& text) override;
    void setFrameCaption(const std::string& caption) override;
    std::string askFileName(bool forSaving, const std::string& initial) override;

    /// Shows the Preferences dialog over the form's texts (set by the shell,
    /// which owns the help viewer the dialog's Help button uses).
    void setPreferencesRunner(std::function<void(std::array<std::string, 4>&)> runner) {
        preferencesRunner_ = std::move(runner);
    }
    /// Replaces the file dialogs (for tests and scripted use); an empty
    /// function restores them.
    void setFileNameAsker(std::function<std::string(bool, const std::string&)> asker) {
        fileNameAsker_ = std::move(asker);
    }
    /// Replaces the schedule file dialog likewise.
    void setScheduleFileAsker(std::function<std::string()> asker) { scheduleFileAsker_ = std::move(asker); }
    /// Answers Export PDF's file dialog (an empty name cancels); null: the dialog.
    void setPdfFileAsker(std::function<std::string()> asker) { pdfFileAsker_ = std::move(asker); }
    /// The text the units menu item shows now.
    std::string unitsMenuText() const;

    /// The printer settings shared by Print and Print Setup.
    wxPrintDialogData& printDialogData() { return printData_; }

    /// The output list window.
    TLWoutput* outputList() const { return list_; }

    // CommandTarget: the File and Options commands.
    bool handlesCommand(int id) const override;
    void runCommand(int id) override;
    bool commandEnabled(int id) const override;

private:
    void setUpWindow();
    void switchUnits();
    void print();
    void importSchedule();
    // Export PDF: the print header dialog, a file name, the printed pages as a PDF.
    void exportPdf();
    std::string askScheduleFileName();
    // Shows a text in the frame's message field of the status bar.
    void showStatus(const std::string& text);
    void fillUnitDependentControls();
    void applyDistributorTypeRule();
    /// The chosen refrigerant's GWP and safety class, beside the list.
    void showRefrigerantFacts();
    void onDistributorType(wxCommandEvent& event);
    void onRootDir(wxCommandEvent& event);
    void onSelect(wxCommandEvent& event);
    void onRate(wxCommandEvent& event);
    void onChart(wxCommandEvent& event);
    void onCharHook(wxKeyEvent& event);
    void onSize(wxSizeEvent& event);

    SelectionForm& form_;
    SettingsStore& settings_;
    std::vector<RefrigerantInfo> refrigerants_;
    BuiltDialog built_;
    TLWoutput* list_ = nullptr;
    std::function<void(std::array<std::string, 4>&)> preferencesRunner_;
    std::function<std::string(bool, const std::string&)> fileNameAsker_;
    std::function<std::string()> scheduleFileAsker_;
    std::function<std::string()> pdfFileAsker_;
    wxPrintDialogData printData_;  ///< the printer, shared by Print and Print Setup
    wxRect listPlace_;             ///< the list's place in the layout: its smallest size
    FormInputs lastRated_;         ///< the inputs of the last Rate that rated, for Chart
};

}  // namespace vantrel
