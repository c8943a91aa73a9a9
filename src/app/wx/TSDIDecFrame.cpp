#include "app/wx/TSDIDecFrame.h"

#include <wx/accel.h>
#include <wx/display.h>
#include <wx/settings.h>
#include <wx/menu.h>
#include <wx/statusbr.h>
#include <wx/utils.h>

#include <algorithm>
#include <set>
#include <vector>

#include "app/wx/artwork.h"
#include "i18n/translate.h"
#include "form/wx/TmorvexDlgClient.h"
#include "ui/wx/wx_text.h"
#include "output/wx/TLWoutput.h"
#include "resources/command_ids.h"
#include "resources/menu_resources.h"
#include "settings/settings_store.h"

namespace vantrel {
namespace {

enum StatusField { kHintField, kCapsField, kNumField, kScrollField, kFieldCount };

// The status bar's lock-key indicators, in the user's language.
// TRANSLATORS: status bar indicator that Caps Lock is on; a few capital letters.
const char* capsIndicator() { return tr("CAPS"); }
// TRANSLATORS: status bar indicator that Num Lock is on; a few capital letters.
const char* numIndicator() { return tr("NUM"); }
// TRANSLATORS: status bar indicator that Scroll Lock is on; a few capital letters.
const char* scrollIndicator() { return tr("SCRL"); }

// Every command the menu, the accelerators and the tool bar can send.
const std::set<int>& commandIds() {
    static const std::set<int> ids = [] {
        std::set<int> all;
        for (const MenuTemplate& menu : mainMenu()) {
            for (const MenuItemTemplate& item : menu.items) {
                if (item.id != 0) all.insert(item.id);
            }
        }
        for (const ToolTemplate& tool : toolBar()) {
            if (tool.command != 0) all.insert(tool.command);
        }
        for (const AcceleratorTemplate& accel : accelerators()) all.insert(accel.command);
        return all;
    }();
    return ids;
}

}  // namespace

wxString menuLabelForToolkit(const std::string& text) {
    // The toolkit parses the shortcut after the tab; it knows Backspace as "Back".
    std::string label = text;
    const std::size_t tab = label.find('\t');
    if (tab != std::string::npos) {
        const std::size_t bksp = label.find("BkSp", tab);
        if (bksp != std::string::npos) label.replace(bksp, 4, "Back");
    }
    return fromUtf8(label);
}

TSDIDecFrame::TSDIDecFrame(const wxString& title, SelectionForm& form, SettingsStore& settings)
    : wxFrame(nullptr, wxID_ANY, title, wxDefaultPosition, wxDefaultSize, wxDEFAULT_FRAME_STYLE, "TSDIDecFrame") {
    aui_.SetManagedWindow(this);
    client_ = new TmorvexDlgClient(this, form, settings);
    route_ = {&editCommands_, client_, this};

    SetIcons(programIcons());
    createMenuBar();
    createStatusBar();
    createToolBar();

    aui_.AddPane(client_, wxAuiPaneInfo().Name("form").CenterPane().PaneBorder(false));
    aui_.AddPane(toolBar_, wxAuiPaneInfo()
                               .Name("toolbar")
                               .Caption(fromUtf8(tr("Toolbar")))
                               .ToolbarPane()
                               .Top()
                               .Gripper()
                               .Floatable()
                               .TopDockable()
                               .BottomDockable()
                               .LeftDockable()
                               .RightDockable());
    aui_.Update();

    // Sized to fit the form and the docked tool bar, then a little taller.
    const wxSize formSize = client_->templateSize();
    const wxSize barSize = toolBar_->GetBestSize();
    SetClientSize(wxSize(std::max(formSize.x, barSize.x), formSize.y + barSize.y));
    const wxSize fitted = GetSize();
    SetMinSize(fitted);
    SetSize(openingSize(fitted, settings));
    Centre();

    Bind(wxEVT_MENU, &TSDIDecFrame::onCommand, this);
    Bind(wxEVT_UPDATE_UI, &TSDIDecFrame::onUpdateUi, this);
    Bind(wxEVT_ACTIVATE, &TSDIDecFrame::onActivate, this);
    updateLockIndicators();
}

TSDIDecFrame::~TSDIDecFrame() { aui_.UnInit(); }

wxSize TSDIDecFrame::openingSize(const wxSize& fitted, const SettingsStore& settings) {
    const wxRect screen = wxDisplay(this).GetClientArea();
    // Every column of the output list side by side on this screen: the
    // list's font steps down a little when the screen is too narrow for it.
    TLWoutput& list = *client_->outputList();
    const int around =
        fitted.x - list.GetClientSize().x + wxSystemSettings::GetMetric(wxSYS_VSCROLL_X, this) + FromDIP(4);
    list.fitColumnsInto(screen.width - around, client_->form().siUnits);
    // The size the user left the window at, as long as the screen still
    // holds it.
    const std::vector<int> stored = parseNumberList(settings.get(kWindowSizeValue), 2, 1, 100000);
    if (!stored.empty()) {
        return wxSize(std::clamp(stored[0], fitted.x, std::max(fitted.x, screen.width)),
                      std::clamp(stored[1], fitted.y, std::max(fitted.y, screen.height)));
    }
    // Otherwise a little taller than the layout, and wide enough for the columns.
    const int width = std::max(fitted.x, std::min(list.totalColumnWidth() + around, screen.width));
    return wxSize(width, fitted.y + kExtraHeight);
}

void TSDIDecFrame::keepLayout(SettingsStore& settings) const {
    // A maximised or minimised window says nothing about the size wanted.
    if (!IsMaximized() && !IsIconized()) {
        const wxSize size = GetSize();
        settings.set(kWindowSizeValue, formatNumberList({size.x, size.y}));
    }
    settings.set(kColumnWidthsValue, formatNumberList(client_->outputList()->columnWidths()));
}

void TSDIDecFrame::createMenuBar() {
    auto* bar = new wxMenuBar;
    for (const MenuTemplate& menuTemplate : mainMenu()) {
        auto* menu = new wxMenu;
        for (const MenuItemTemplate& item : menuTemplate.items) {
            if (item.id == 0) {
                menu->AppendSeparator();
                continue;
            }
            menu->Append(item.id, menuLabelForToolkit(tr(item.text.c_str())), shownText(hintText(item.id)));
            if (!item.initiallyEnabled) menu->Enable(item.id, false);
        }
        bar->Append(menu, shownText(menuTemplate.title));
    }
    SetMenuBar(bar);

    // Shortcuts shown in the menu texts are the menu's own; the table adds
    // the ones without a menu item.
    std::vector<wxAcceleratorEntry> entries;
    for (const AcceleratorTemplate& accel : accelerators()) {
        if (!menuText(accel.command).empty()) continue;
        int flags = wxACCEL_NORMAL;
        if (accel.shift) flags |= wxACCEL_SHIFT;
        if (accel.ctrl) flags |= wxACCEL_CTRL;
        if (accel.alt) flags |= wxACCEL_ALT;
        int key = WXK_F3;
        switch (accel.key) {
            case AccelKey::Delete: key = WXK_DELETE; break;
            case AccelKey::Insert: key = WXK_INSERT; break;
            case AccelKey::Backspace: key = WXK_BACK; break;
            case AccelKey::F3: key = WXK_F3; break;
        }
        entries.emplace_back(flags, key, accel.command);
    }
    SetAcceleratorTable(wxAcceleratorTable(static_cast<int>(entries.size()), entries.data()));
}

void TSDIDecFrame::createStatusBar() {
    wxStatusBar* bar = CreateStatusBar(kFieldCount, wxSTB_DEFAULT_STYLE);
    int indicator = 0;
    for (const char* word : {capsIndicator(), numIndicator(), scrollIndicator()})
        indicator = std::max(indicator, GetTextExtent(fromUtf8(word)).x);
    indicator += FromDIP(16);
    const int widths[kFieldCount] = {-1, indicator, indicator, indicator};
    const int styles[kFieldCount] = {wxSB_SUNKEN, wxSB_SUNKEN, wxSB_SUNKEN, wxSB_SUNKEN};
    bar->SetStatusWidths(kFieldCount, widths);
    bar->SetStatusStyles(kFieldCount, styles);
    SetStatusBarPane(kHintField);
}

void TSDIDecFrame::createToolBar() {
    toolBar_ = new wxAuiToolBar(this, wxID_ANY, wxDefaultPosition, wxDefaultSize,
                                wxAUI_TB_DEFAULT_STYLE | wxAUI_TB_GRIPPER | wxAUI_TB_PLAIN_BACKGROUND);
    toolBar_->SetFont(wxFont(wxFontInfo(10).Family(wxFONTFAMILY_SWISS)));
    toolBar_->SetToolBitmapSize(wxSize(20, 20));
    for (const ToolTemplate& tool : vantrel::toolBar()) {
        if (tool.command == 0) {
            toolBar_->AddSpacer(6);
            continue;
        }
        const wxString hint = shownText(hintText(tool.command));
        toolBar_->AddTool(tool.command, wxEmptyString, toolGlyph(tool.glyph), hint, wxITEM_NORMAL);
        toolBar_->SetToolLongHelp(tool.command, hint);
        toolBar_->EnableTool(tool.command, false);
    }
    toolBar_->Realize();
    // Hints appear in the status bar as soon as the pointer is over a button.
    toolBar_->Bind(wxEVT_MOTION, &TSDIDecFrame::onToolBarMotion, this);
    toolBar_->Bind(wxEVT_LEAVE_WINDOW, &TSDIDecFrame::onToolBarLeave, this);
}

CommandTarget* TSDIDecFrame::targetFor(int id) const {
    for (CommandTarget* target : route_) {
        if (target->handlesCommand(id)) return target;
    }
    return nullptr;
}

void TSDIDecFrame::onCommand(wxCommandEvent& event) {
    if (commandIds().count(event.GetId()) == 0) {
        event.Skip();
        return;
    }
    CommandTarget* target = targetFor(event.GetId());
    if (target && target->commandEnabled(event.GetId())) target->runCommand(event.GetId());
}

void TSDIDecFrame::onUpdateUi(wxUpdateUIEvent& event) {
    if (commandIds().count(event.GetId()) == 0) {
        event.Skip();
        return;
    }
    const CommandTarget* target = targetFor(event.GetId());
    event.Enable(target != nullptr && target->commandEnabled(event.GetId()));
    // The units item names the units it switches to.
    if (event.GetId() == cmd::kUnits) event.SetText(fromUtf8(client_->unitsMenuText()));
}

bool TSDIDecFrame::handlesCommand(int id) const { return id == cmd::kExit; }

void TSDIDecFrame::runCommand(int id) {
    if (id == cmd::kExit) Close();
}

void TSDIDecFrame::updateLockIndicators() {
    if (!GetStatusBar()) return;
    SetStatusText(wxGetKeyState(WXK_CAPITAL) ? fromUtf8(capsIndicator()) : wxString(), kCapsField);
    SetStatusText(wxGetKeyState(WXK_NUMLOCK) ? fromUtf8(numIndicator()) : wxString(), kNumField);
    SetStatusText(wxGetKeyState(WXK_SCROLL) ? fromUtf8(scrollIndicator()) : wxString(), kScrollField);
}

void TSDIDecFrame::onToolBarMotion(wxMouseEvent& event) {
    wxAuiToolBarItem* item = toolBar_->FindToolByPosition(event.GetX(), event.GetY());
    const int id = item ? item->GetId() : 0;
    if (id != hoveredTool_) {
        hoveredTool_ = id;
        SetStatusText(id > 0 ? shownText(hintText(id)) : wxString(), kHintField);
    }
    event.Skip();
}

void TSDIDecFrame::onToolBarLeave(wxMouseEvent& event) {
    hoveredTool_ = 0;
    SetStatusText(wxString(), kHintField);
    event.Skip();
}

void TSDIDecFrame::onActivate(wxActivateEvent& event) {
    updateLockIndicators();
    event.Skip();
}

}  // namespace vantrel
