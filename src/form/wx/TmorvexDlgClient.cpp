#include "form/wx/TmorvexDlgClient.h"

#include <wx/button.h>
#include <wx/choice.h>
#include <wx/combobox.h>
#include <wx/filedlg.h>
#include <wx/filename.h>
#include <wx/frame.h>
#include <wx/log.h>
#include <wx/msgdlg.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>
#include <wx/utils.h>

#include <algorithm>

#include "chart/wx/ChartDialog.h"
#include "render/pdf_report.h"
#include "resources/control_ids.h"
#include "curve/sweep.h"
#include "engine/number_text.h"
#include "form/form_lists.h"
#include "ui/wx/up_down.h"
#include "ui/wx/wx_text.h"
#include "output/wx/TLWoutput.h"
#include "print/wx/TDistPrintout.h"
#include "print/wx/TdistDlgPrint.h"

#include <wx/printdlg.h>
#include "resources/command_ids.h"
#include "schedule/schedule_run.h"
#include "settings/settings_store.h"

namespace vantrel {
namespace {

void fill(wxChoice* choice, const std::vector<std::string>& items, int selection) {
    choice->Clear();
    for (const std::string& item : items) choice->Append(fromUtf8(item));
    choice->SetSelection(selection);
}

// A drop-down list's words in the user's language (sizes have no
// translation and stay as written).
std::vector<std::string> shownEntries(const std::vector<std::string>& items) {
    std::vector<std::string> shown;
    for (const std::string& item : items) shown.push_back(lists::shownItem(item));
    return shown;
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
    Bind(wxEVT_CHOICE, [this](wxCommandEvent&) { showRefrigerantFacts(); }, ids::kRefrigerant);
    Bind(wxEVT_BUTTON, &TmorvexDlgClient::onRootDir, this, cmd::kRootDir);
    Bind(wxEVT_BUTTON, &TmorvexDlgClient::onSelect, this, ids::kSelect);
    Bind(wxEVT_BUTTON, &TmorvexDlgClient::onRate, this, ids::kRate);
    Bind(wxEVT_BUTTON, &TmorvexDlgClient::onChart, this, ids::kChart);
    // Chart draws the last duty Rate rated; there is none yet.
    control(ids::kChart)->Disable();
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
    fill(built_.get<wxChoice>(ids::kDistributorType), shownEntries(lists::distributorTypes()),
         lists::positionOf(defaults.distributorType));
    fill(built_.get<wxChoice>(ids::kInletConnection), shownEntries(lists::inletConnections()),
         lists::positionOf(defaults.inletConnection));
    fill(built_.get<wxChoice>(ids::kInletSize), shownEntries(lists::inletSizes()), defaults.inletSize);
    fill(built_.get<wxChoice>(ids::kTubeSize), shownEntries(lists::tubeSizes()), defaults.tubeSize);
    fill(built_.get<wxChoice>(ids::kNozzleSize), shownEntries(lists::nozzleSizes()), defaults.nozzleSize);
    fill(built_.get<wxComboBox>(ids::kTubeLength), lists::tubeLengths(),
         lists::indexOf(lists::tubeLengths(), defaults.tubeLength));
    fill(built_.get<wxChoice>(ids::kOrificeType), shownEntries(lists::orificeTypes()),
         lists::positionOf(defaults.orificeType));
    fill(built_.get<wxChoice>(ids::kSidePort), shownEntries(lists::sidePorts()), lists::positionOf(defaults.sidePort));
    fill(built_.get<wxChoice>(ids::kRefrigerant), lists::refrigerants(),
         lists::indexOf(lists::refrigerants(), defaults.refrigerant));
    list_->setStoredWidths(parseNumberList(settings_.get(kColumnWidthsValue), kColumnCount, 8, 2000));
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
    built_.get<wxStaticText>(ids::kCapacityUnit)->SetLabel(fromUtf8(si ? "kW" : tr("tons")));
    built_.get<wxStaticText>(ids::kSuctionUnit)->SetLabel(fromUtf8(si ? "°C" : "°F"));
    built_.get<wxStaticText>(ids::kLiquidUnit)->SetLabel(fromUtf8(si ? "°C" : "°F"));
}

void TmorvexDlgClient::setRefrigerantTable(std::vector<RefrigerantInfo> table) {
    refrigerants_ = std::move(table);
    showRefrigerantFacts();
}

void TmorvexDlgClient::showRefrigerantFacts() {
    const std::string name = toUtf8(built_.get<wxChoice>(ids::kRefrigerant)->GetStringSelection());
    built_.get<wxStaticText>(ids::kRefrigerantFacts)->SetLabel(fromUtf8(refrigerantLabel(refrigerants_, name)));
}

void TmorvexDlgClient::applyDistributorTypeRule() {
    const bool enable = lists::nozzleListsEnabled(
        lists::choiceAt<DistributorType>(built_.get<wxChoice>(ids::kDistributorType)->GetSelection()));
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
    // Numbers may be typed with a decimal comma; the rest of the program,
    // documents included, sees them with a point.
    auto number = [&text](int id) { return decimalCommaAsPoint(text(id)); };
    inputs.distributorType = lists::choiceAt<DistributorType>(position(ids::kDistributorType));
    inputs.inletConnection = lists::choiceAt<InletStyle>(position(ids::kInletConnection));
    inputs.inletSize = position(ids::kInletSize);
    inputs.circuits = number(ids::kCircuits);
    inputs.tubeSize = position(ids::kTubeSize);
    inputs.nozzleSize = position(ids::kNozzleSize);
    inputs.orificeType = lists::choiceAt<NozzleKind>(position(ids::kOrificeType));
    inputs.sidePort = lists::sidePortAt(position(ids::kSidePort));
    inputs.refrigerant = text(ids::kRefrigerant);
    inputs.capacity = number(ids::kCapacity);
    inputs.suctionTemp = number(ids::kSuctionTemp);
    inputs.liquidTemp = number(ids::kLiquidTemp);
    inputs.tubeLength = number(ids::kTubeLength);
    inputs.partNumber = text(ids::kPartNumber);
    return inputs;
}

void TmorvexDlgClient::refreshRows() { list_->refresh(); }

bool TmorvexDlgClient::handlesCommand(int id) const {
    switch (id) {
        case cmd::kClearResults:
        case cmd::kUnits:
        case cmd::kPreferences:
        case cmd::kNew:
        case cmd::kOpen:
        case cmd::kImportSchedule:
        case cmd::kSave:
        case cmd::kSaveAs:
        case cmd::kPrint:
        case cmd::kExportPdf:
        case cmd::kPrintSetup: return true;
        default: return false;
    }
}

bool TmorvexDlgClient::commandEnabled(int id) const {
    if (id == cmd::kSave) return form_.canSave();
    if (id == cmd::kSaveAs) return form_.canSaveAs();
    return true;
}

void TmorvexDlgClient::runCommand(int id) {
    switch (id) {
        case cmd::kClearResults: list_->runListCommand(cmd::kClearResults); break;
        case cmd::kUnits: switchUnits(); break;
        case cmd::kPreferences:
            if (preferencesRunner_) preferencesRunner_(form_.prefTexts);
            // The limits follow the texts whether the dialog was confirmed or not:
            // after Cancel the texts are the previous ones.
            form_.applyPreferenceTexts();
            break;
        case cmd::kNew: form_.newDocument(*this); break;
        case cmd::kOpen: form_.openDocument(*this); break;
        case cmd::kImportSchedule: importSchedule(); break;
        case cmd::kSave: form_.saveDocument(*this); break;
        case cmd::kSaveAs: form_.saveDocumentAs(*this); break;
        case cmd::kPrint: print(); break;
        case cmd::kExportPdf: exportPdf(); break;
        case cmd::kPrintSetup: {
            wxPageSetupDialogData setup(printData_.GetPrintData());
            wxPageSetupDialog dialog(this, &setup);
            if (dialog.ShowModal() == wxID_OK) printData_.SetPrintData(dialog.GetPageSetupData().GetPrintData());
            break;
        }
        default: break;
    }
    list_->refreshWithStates();
}

void TmorvexDlgClient::importSchedule() {
    const std::string path = askScheduleFileName();
    if (path.empty()) return;
    ScheduleReader reader(path, form_.siUnits);
    if (!reader.error().empty()) {
        showMessage(reader.error(), tr(kErrorCaption), MessageIcon::None, MessageButtons::Ok);
        return;
    }
    // Lines and duties are counted in file order; each duty runs as its line is read.
    ScheduleSums sums;
    {
        wxBusyCursor busy;
        // One read of each catalog file for the whole schedule, as the command
        // line's batch does; Select and Rate read afresh again afterwards.
        const CatalogReadOnce catalog(form_);
        runSchedule(
            form_, reader, [&sums](const DutyRun& run) { sums.add(run); },
            [&sums](const ScheduleLine& line) { sums.addLineError(line.duty.line); });
    }
    // A schedule with no duties, or one that could not be read to its end.
    if (!reader.error().empty()) {
        showMessage(reader.error(), tr(kErrorCaption), MessageIcon::None, MessageButtons::Ok);
        if (sums.duties == 0) return;
    }
    refreshRows();
    showStatus(std::string());
    showMessage(scheduleSummary(sums, form_.siUnits), tr(kMessageCaption), MessageIcon::None, MessageButtons::Ok);
}

std::string TmorvexDlgClient::askScheduleFileName() {
    if (scheduleFileAsker_) return scheduleFileAsker_();
    wxFileDialog dialog(this, fromUtf8(tr("Import Schedule")), wxEmptyString, wxEmptyString,
                        // TRANSLATORS: file types: translate their names, keep each "|" and pattern.
                        fromUtf8(tr("Schedule files (*.csv)|*.csv|All files (*.*)|*.*")),
                        wxFD_OPEN | wxFD_FILE_MUST_EXIST);
    if (dialog.ShowModal() != wxID_OK) return {};
    return toUtf8(dialog.GetPath());
}

void TmorvexDlgClient::showStatus(const std::string& text) {
    if (auto* frame = wxDynamicCast(wxGetTopLevelParent(this), wxFrame); frame && frame->GetStatusBar())
        frame->SetStatusText(fromUtf8(text), 0);
}

void TmorvexDlgClient::print() {
    if (!runPrintHeader(this, form_.printHeader)) return;
    list_->pullStates();
    TDistPrintout printout(form_.rows, form_.printHeader, form_.siUnits);
    printout.setChartSweeps(rowSweepsOf(form_));
    printout.setPrinterData(&printData_.GetPrintData());
    wxPrinter printer(&printData_);
    bool printed = false;
    {
        // The toolkit's own report of a failure is a bare "Error while
        // printing:"; the message below says it in the program's words.
        wxLogNull quiet;
        printed = printer.Print(this, &printout, true);
    }
    if (printed) {
        printData_ = printer.GetPrintDialogData();
        return;
    }
    // Cancelling is the user's choice; anything else must not pass unnoticed.
    if (wxPrinter::GetLastError() == wxPRINTER_ERROR)
        showMessage(tr("The results could not be printed.\nCheck the printer and try again."), tr(kErrorCaption),
                    MessageIcon::Stop, MessageButtons::Ok);
}

void TmorvexDlgClient::exportPdf() {
    if (!runPrintHeader(this, form_.printHeader)) return;
    list_->pullStates();
    std::string path;
    if (pdfFileAsker_) {
        path = pdfFileAsker_();
    } else {
        wxFileDialog dialog(this, fromUtf8(tr("Export PDF")), wxEmptyString, wxEmptyString,
                            // TRANSLATORS: a file type: translate its name, keep the "|" and the pattern.
                            fromUtf8(tr("PDF documents (*.pdf)|*.pdf")), wxFD_SAVE | wxFD_OVERWRITE_PROMPT);
        if (dialog.ShowModal() == wxID_OK) path = toUtf8(dialog.GetPath());
    }
    if (path.empty()) return;
    if (path.size() < 4 || wxString(fromUtf8(path.substr(path.size() - 4))).Lower() != ".pdf") path += ".pdf";
    ReportOptions options;
    options.header = form_.printHeader;
    options.siUnits = form_.siUnits;
    options.chartSweep = rowSweepsOf(form_);
    // The paper chosen in Print Setup, else the system's.
    switch (printData_.GetPrintData().GetPaperId()) {
        case wxPAPER_LETTER: options.paper = PaperSize::Letter; break;
        case wxPAPER_A4: options.paper = PaperSize::A4; break;
        default: options.paper = systemPaperSize(); break;
    }
    std::string error;
    if (!writeReportPdf(form_.rows, options, path, error))
        showMessage(error, tr(kErrorCaption), MessageIcon::Stop, MessageButtons::Ok);
}

std::string TmorvexDlgClient::unitsMenuText() const {
    return form_.siUnits ? tr("Set to English Units") : tr("Set to SI Units");
}

void TmorvexDlgClient::switchUnits() {
    FormInputs inputs = readInputs();
    form_.switchUnits(inputs, &settings_);
    const bool si = form_.siUnits;
    auto setCombo = [this](int id, const std::vector<std::string>& items, const std::string& text) {
        auto* combo = built_.get<wxComboBox>(id);
        const int item = lists::comboItemFor(items, text);
        fill(combo, items, item);
        if (item < 0) {
            combo->ChangeValue(fromUtf8(text));
            combo->SelectAll();
        }
    };
    setCombo(ids::kSuctionTemp, lists::suctionTemps(si), inputs.suctionTemp);
    setCombo(ids::kLiquidTemp, lists::liquidTemps(si), inputs.liquidTemp);
    built_.get<wxTextCtrl>(ids::kCapacity)->ChangeValue(fromUtf8(inputs.capacity));
    list_->setUnitHeadings(si);
    built_.get<wxStaticText>(ids::kCapacityUnit)->SetLabel(fromUtf8(si ? "kW" : tr("tons")));
    built_.get<wxStaticText>(ids::kSuctionUnit)->SetLabel(fromUtf8(si ? "°C" : "°F"));
    built_.get<wxStaticText>(ids::kLiquidUnit)->SetLabel(fromUtf8(si ? "°C" : "°F"));
}

void TmorvexDlgClient::setFrameCaption(const std::string& caption) {
    if (wxWindow* top = wxGetTopLevelParent(this)) top->SetLabel(fromUtf8(caption));
}

std::string TmorvexDlgClient::askFileName(bool forSaving, const std::string& initial) {
    if (fileNameAsker_) return fileNameAsker_(forSaving, initial);
    const wxString filter = fromUtf8(filterWithoutFinalBar(tr(form_.fileData.filter.c_str())));
    const long style = forSaving ? wxFD_SAVE : (wxFD_OPEN | wxFD_FILE_MUST_EXIST);
    wxFileDialog dialog(this, fromUtf8(forSaving ? tr("Save As") : trc("file dialog", "Open")), wxEmptyString,
                        fromUtf8(initial), filter, style);
    if (!initial.empty()) dialog.SetPath(fromUtf8(initial));
    if (dialog.ShowModal() != wxID_OK || dialog.GetPath().empty()) return {};
    wxFileName path(dialog.GetPath());
    // A typed name without an extension gets the document's own.
    if (forSaving && !path.HasExt() && dialog.GetFilterIndex() == 0)
        path.SetExt(fromUtf8(form_.fileData.defaultExtension));
    return toUtf8(path.GetFullPath());
}

MessageAnswer TmorvexDlgClient::showMessage(const std::string& text, const std::string& caption, MessageIcon icon,
                                            MessageButtons buttons) {
    // A message may follow a row it speaks of (a Rate's valve notice): the
    // list shows the rows as they are before the box takes the user's eye.
    list_->refresh();
    long style = buttons == MessageButtons::Ok ? wxOK : wxYES_NO;
    switch (icon) {
        case MessageIcon::None: style |= wxICON_NONE; break;
        case MessageIcon::Information: style |= wxICON_INFORMATION; break;
        case MessageIcon::Exclamation: style |= wxICON_EXCLAMATION; break;
        case MessageIcon::Question: style |= wxICON_QUESTION; break;
        case MessageIcon::Stop: style |= wxICON_ERROR; break;
    }
    if (buttons == MessageButtons::YesNoDefaultNo) style |= wxNO_DEFAULT;
    // Text and caption come translated, as every message is composed.
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
    const ActionReport report = form_.select(readInputs(), *this);
    refreshRows();
    // Results outside the Preferences limits are said where the eye passes,
    // without a box to close.
    showStatus(widenedWindowsNote(report.search));
}

void TmorvexDlgClient::onRate(wxCommandEvent&) {
    const FormInputs typed = readInputs();
    FormInputs inputs = typed;
    const ActionReport report = form_.rate(inputs, *this);
    refreshRows();
    // A duplicate was rated too; only a refusal leaves nothing to chart.
    const bool rated = report.outcome == ActionOutcome::Appended || report.outcome == ActionOutcome::Duplicate;
    // The chart looks up the text this Rate looked up: the catalog spelling
    // written back into the field may be another body's cross-reference name.
    if (rated) lastRated_ = typed;
    control(ids::kChart)->Enable(rated);
}

void TmorvexDlgClient::onChart(wxCommandEvent&) { ChartDialog::open(this, form_, lastRated_); }

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
