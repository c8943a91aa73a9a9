// The print header dialog: project and customer names, the page range and
// whether charts follow the model blocks, exchanged with the form's record;
// Continue goes on to print.
#pragma once

#include <wx/dialog.h>

#include "ui/wx/template_builder.h"
#include "print/page_layout.h"

class wxTextCtrl;
class wxRadioButton;
class wxCheckBox;

namespace vantrel {

class TdistDlgPrint : public wxDialog {
public:
    TdistDlgPrint(wxWindow* parent, PrintHeaderData& header);

    bool TransferDataToWindow() override;
    bool TransferDataFromWindow() override;

    wxTextCtrl* projectField() const;
    wxTextCtrl* customerField() const;
    wxRadioButton* allButton() const;
    wxRadioButton* selectionButton() const;
    wxCheckBox* chartsBox() const;

private:
    PrintHeaderData& header_;
    BuiltDialog built_;
};

/// Runs the dialog modally; true (and the record updated) on Continue.
bool runPrintHeader(wxWindow* parent, PrintHeaderData& header);

}  // namespace vantrel
