#include "form/wx/TmorvexDlgClient.h"

#include <wx/button.h>
#include <wx/choice.h>
#include <wx/combobox.h>
#include <wx/msgdlg.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include <algorithm>

#include "form/control_ids.h"
#include "form/form_lists.h"
#include "form/wx/up_down.h"
#include "form/wx/wx_text.h"
#include "output/wx/TLWoutput.h"
#include "resources/command_ids.h"
#include "settings/settings_store.h"

namespace vantrel {
namespace {

void fill(wxChoice* choice, const std::vector<std::string>& items, int selection) {
    choice->Clear();
    for (const std::string& item : items) choice->Append(fromUtf8(item));
    choice->SetSelection(selection);
}

void fill(wxComboBox* combo, const std::vector<std::string>& items, int selection) {
    combo->Clear();
    for (const std::string& item : items) combo->Append(fromUtf8(item));
    combo->SetSelection(selection);
}

}  // namespace

TmorvexDlgClient::TmorvexDlgClient(wxWindow* parent, SelectionForm& form, SettingsStore& settings)
    : wxPanel(parent, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxTAB_TRAVERSAL, "TmorvexDlgClient"),
      form_(form),
      settings_(settings) {
    built_ = buildFromTemplate(this, dialogTemplate(templates::kForm),
                               [this](wxWindow* parent, const ControlTemplate& c, int windowId) -> wxWindow* {
                                   if (c.kind != ControlKind::ListView) return nullptr;
                                   list_ = new TLWoutput(parent, windowId, form_, *this);
                                   return list_;
                               });
    SetMinClientSize(built_.clientSize);
    setUpWindow();

    Bind(wxEVT_CHOICE, &TmorvexDlgClient::onDistributorType, this, ids::kDistributorType);
    Bind(wxEVT_BUTTON, &TmorvexDlgClient::onRootDir, this, cmd::kRootDir);
    Bind(wxEVT_BUTTON, &TmorvexDlgClient::onSelect, this, ids::kSelect);
    Bind(wxEVT_BUTTON, &TmorvexDlgClient::onRate, this, ids::kRate);
    Bind(wxEVT_CHAR_HOOK, &TmorvexDlgClient::onCharHook, this);
    Bind(wxEVT_SIZE, &TmorvexDlgClient::onSize, this);
    listPlace_ = list_->GetRect();
}

wxWindow* TmorvexDlgClient::control(int id) const {
    const auto it = built_.controls.find(id);
    return it == built_.controls.end() ? nullptr : it->second;
}

void TmorvexDlgClient::setUpWindow() {
    const FormInputs defaults = lists::defaultInputs(form_.siUnits);
    fill(built_.get<wxChoice>(ids::kDistributorType), lists::distributorTypes(), defaults.distributorType);
    fill(built_.get<wxChoice>(ids::kInletConnection), lists::inletConnections(), defaults.inletConnection);
    fill(built_.get<wxChoice>(ids::kInletSize), lists::inletSizes(), defaults.inletSize);
    fill(built_.get<wxChoice>(ids::kTubeSize), lists::tubeSizes(), defaults.tubeSize);
    fill(built_.get<wxChoice>(ids::kNozzleSize), lists::nozzleSizes(), defaults.nozzleSize);
    fill(built_.get<wxComboBox>(ids::kTubeLength), lists::tubeLengths(),
         lists::indexOf(lists::tubeLengths(), defaults.tubeLength));
    fill(built_.get<wxChoice>(ids::kOrificeType), lists::orificeTypes(), defaults.orificeType);
    fill(built_.get<wxChoice>(ids::kSidePort), lists::sidePorts(), defaults.sidePort);
    fill(built_.get<wxChoice>(ids::kRefrigerant), lists::refrigerants(),
         lists::indexOf(lists::refrigerants(), defaults.refrigerant));
    fillUnitDependentControls();

    auto* spin = built_.get<UpDownControl>(ids::kCircuitsSpin);
    spin->SetBuddy(built_.get<wxTextCtrl>(ids::kCircuits));
    spin->SetRange(2, 50);
    spin->SetValue(2);
    applyDistributorTypeRule();
}

void TmorvexDlgClient::fillUnitDependentControls() {
    const bool si = form_.siUnits;
    const FormInputs defaults = lists::defaultInputs(si);
    fill(built_.get<wxComboBox>(ids::kSuctionTemp), lists::suctionTemps(si),
         lists::indexOf(lists::suctionTemps(si), defaults.suctionTemp));
    fill(built_.get<wxComboBox>(ids::kLiquidTemp), lists::liquidTemps(si),
         lists::indexOf(lists::liquidTemps(si), defaults.liquidTemp));
    list_->setUpColumns(si);
    list_->refresh();
    built_.get<wxStaticText>(ids::kCapacityUnit)->SetLabel(si ? "kW" : "tons");
    built_.get<wxStaticText>(ids::kSuctionUnit)->SetLabel(fromUtf8(si ? "°C" : "°F"));
    built_.get<wxStaticText>(ids::kLiquidUnit)->SetLabel(fromUtf8(si ? "°C" : "°F"));
}

void TmorvexDlgClient::applyDistributorTypeRule() {
    const bool enable = lists::nozzleListsEnabled(built_.get<wxChoice>(ids::kDistributorType)->GetSelection());
    for (int id : {ids::kNozzleSize, ids::kOrificeType, ids::kSidePort}) control(id)->Enable(enable);
}

FormInputs TmorvexDlgClient::readInputs() const {
    FormInputs inputs;
    auto position = [this](int id) { return built_.get<wxChoice>(id)->GetSelection(); };
    auto text = [this](int id) -> std::string {
        const wxWindow* window = control(id);
        if (auto* edit = dynamic_cast<const wxTextCtrl*>(window)) return toUtf8(edit->GetValue());
        if (auto* combo = dynamic_cast<const wxComboBox*>(window)) return toUtf8(combo->GetValue());
        if (auto* choice = dynamic_cast<const wxChoice*>(window)) return toUtf8(choice->GetStringSelection());
        return {};
    };
    inputs.distributorType = position(ids::kDistributorType);
    inputs.inletConnection = position(ids::kInletConnection);
    inputs.inletSize = position(ids::kInletSize);
    inputs.circuits = text(ids::kCircuits);
    inputs.tubeSize = position(ids::kTubeSize);
    inputs.nozzleSize = position(ids::kNozzleSize);
    inputs.orificeType = position(ids::kOrificeType);
    inputs.sidePort = position(ids::kSidePort);
    inputs.refrigerant = text(ids::kRefrigerant);
    inputs.capacity = text(ids::kCapacity);
    inputs.suctionTemp = text(ids::kSuctionTemp);
    inputs.liquidTemp = text(ids::kLiquidTemp);
    inputs.tubeLength = text(ids::kTubeLength);
    inputs.partNumber = text(ids::kPartNumber);
    return inputs;
}

void TmorvexDlgClient::refreshRows() { list_->refresh(); }

bool TmorvexDlgClient::handlesCommand(int id) const { return id == cmd::kClearResults; }

void TmorvexDlgClient::runCommand(int id) {
    if (id == cmd::kClearResults) list_->runListCommand(cmd::kClearResults);
}

MessageAnswer TmorvexDlgClient::showMessage(const std::string& text, const std::string& caption, MessageIcon icon,
                                            MessageButtons buttons) {
    long style = buttons == MessageButtons::YesNo ? wxYES_NO : wxOK;
    switch (icon) {
        case MessageIcon::None: style |= wxICON_NONE; break;
        case MessageIcon::Information: style |= wxICON_INFORMATION; break;
        case MessageIcon::Exclamation: style |= wxICON_EXCLAMATION; break;
        case MessageIcon::Question: style |= wxICON_QUESTION; break;
    }
    const int answer = wxMessageBox(fromUtf8(text), fromUtf8(caption), style, this);
    if (answer == wxYES) return MessageAnswer::Yes;
    if (answer == wxNO) return MessageAnswer::No;
    return MessageAnswer::Ok;
}

void TmorvexDlgClient::setFocus(int controlId) {
    if (wxWindow* window = control(controlId)) window->SetFocus();
}

void TmorvexDlgClient::setControlText(int controlId, const std::string& text) {
    wxWindow* window = control(controlId);
    if (auto* edit = dynamic_cast<wxTextCtrl*>(window)) edit->ChangeValue(fromUtf8(text));
    if (auto* combo = dynamic_cast<wxComboBox*>(window)) combo->ChangeValue(fromUtf8(text));
}

void TmorvexDlgClient::onDistributorType(wxCommandEvent&) { applyDistributorTypeRule(); }

void TmorvexDlgClient::onRootDir(wxCommandEvent&) {
    const std::string root = settings_.get(kRootDirValue).value_or("");
    showMessage(root, "RootDir", MessageIcon::None, MessageButtons::Ok);
}

void TmorvexDlgClient::onSelect(wxCommandEvent&) {
    form_.select(readInputs(), *this);
    refreshRows();
}

void TmorvexDlgClient::onRate(wxCommandEvent&) {
    FormInputs inputs = readInputs();
    form_.rate(inputs, *this);
    refreshRows();
}

void TmorvexDlgClient::onSize(wxSizeEvent& event) {
    // The output list keeps its place and takes whatever room the window
    // gives beyond the layout, so more rows show in a larger window.
    const wxSize client = GetClientSize();
    const int margin = listPlace_.x;
    list_->SetSize(listPlace_.x, listPlace_.y, std::max(listPlace_.width, client.x - listPlace_.x - margin),
                   std::max(listPlace_.height, client.y - listPlace_.y - margin));
    event.Skip();
}

void TmorvexDlgClient::onCharHook(wxKeyEvent& event) {
    // Escape never closes the form or the program.
    if (event.GetKeyCode() == WXK_ESCAPE) return;
    event.Skip();
}

}  // namespace vantrel
