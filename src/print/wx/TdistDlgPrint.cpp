#include "print/wx/TdistDlgPrint.h"

#include <wx/checkbox.h>
#include <wx/radiobut.h>
#include <wx/textctrl.h>

#include "ui/wx/wx_text.h"
#include "resources/dialog_ids.h"

namespace vantrel {
namespace {
using print_ids::kAll;
using print_ids::kSelection;
constexpr int kProject = print_ids::kProjectName;
constexpr int kCustomer = print_ids::kCustomerName;
}  // namespace

TdistDlgPrint::TdistDlgPrint(wxWindow* parent, PrintHeaderData& header) : header_(header) {
    const DialogTemplate& layout = dialogTemplate(templates::kPrintHeader);
    Create(parent, wxID_ANY, shownText(layout.caption), wxDefaultPosition, wxDefaultSize,
           wxCAPTION | wxSYSTEM_MENU | wxCLOSE_BOX);
    built_ = buildFromTemplate(this, layout, [](wxWindow* parent, const ControlTemplate& c, int id) -> wxWindow* {
        // The first radio button starts the group of two.
        if (c.id == kAll)
            return new wxRadioButton(parent, id, shownText(c.text), wxDefaultPosition, wxDefaultSize, wxRB_GROUP);
        return nullptr;
    });
    SetClientSize(built_.clientSize);
    projectField()->SetMaxLength(kPrintNameLength);
    customerField()->SetMaxLength(kPrintNameLength);
    CentreOnParent();
    TransferDataToWindow();
}

wxTextCtrl* TdistDlgPrint::projectField() const { return built_.get<wxTextCtrl>(kProject); }
wxTextCtrl* TdistDlgPrint::customerField() const { return built_.get<wxTextCtrl>(kCustomer); }
wxRadioButton* TdistDlgPrint::allButton() const { return built_.get<wxRadioButton>(kAll); }
wxRadioButton* TdistDlgPrint::selectionButton() const { return built_.get<wxRadioButton>(kSelection); }
wxCheckBox* TdistDlgPrint::chartsBox() const { return built_.get<wxCheckBox>(print_ids::kIncludeCharts); }

bool TdistDlgPrint::TransferDataToWindow() {
    projectField()->ChangeValue(fromUtf8(header_.ProjectName));
    customerField()->ChangeValue(fromUtf8(header_.CustomerName));
    allButton()->SetValue(header_.AllState == 1);
    selectionButton()->SetValue(header_.AllState != 1);
    chartsBox()->SetValue(header_.IncludeCharts);
    return true;
}

bool TdistDlgPrint::TransferDataFromWindow() {
    header_.ProjectName = toUtf8(projectField()->GetValue());
    header_.CustomerName = toUtf8(customerField()->GetValue());
    header_.AllState = allButton()->GetValue() ? 1 : 0;
    header_.SelectionState = selectionButton()->GetValue() ? 1 : 0;
    header_.IncludeCharts = chartsBox()->GetValue();
    return true;
}

bool runPrintHeader(wxWindow* parent, PrintHeaderData& header) {
    PrintHeaderData edited = header;
    TdistDlgPrint dialog(parent, edited);
    if (dialog.ShowModal() != wxID_OK) return false;
    // Continue: the controls' contents become the record; Cancel leaves it.
    dialog.TransferDataFromWindow();
    header = edited;
    return true;
}

}  // namespace vantrel
