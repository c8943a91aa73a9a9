// The main frame: menu, accelerators, status bar with lock-key indicators,
// the dockable tool bar and the selection form as its client. It routes
// every menu, accelerator and tool bar command along the command route.
#pragma once

#include <wx/aui/aui.h>
#include <wx/aui/auibar.h>
#include <wx/frame.h>

#include <vector>

#include "ui/wx/command_target.h"
#include "app/wx/edit_commands.h"

namespace vantrel {

class SelectionForm;
class SettingsStore;
class TmorvexDlgClient;

class TSDIDecFrame : public wxFrame, public CommandTarget {
public:
    /// Extra height given to the frame after it is sized to fit its client.
    static constexpr int kExtraHeight = 60;

    TSDIDecFrame(const wxString& title, SelectionForm& form, SettingsStore& settings);
    ~TSDIDecFrame() override;

    TmorvexDlgClient* client() const { return client_; }
    /// Keeps the window size and the output list's column widths in the
    /// settings for the next start.
    void keepLayout(SettingsStore& settings) const;
    wxAuiToolBar* toolBar() const { return toolBar_; }
    wxAuiManager& dockManager() { return aui_; }

    /// Appends a target to the command route (after the edit field, the form and the frame).
    void addCommandTarget(CommandTarget* target) { route_.push_back(target); }
    /// The first target on the route that handles `id`, or nullptr.
    CommandTarget* targetFor(int id) const;
    /// Shows the state of Caps Lock, Num Lock and Scroll Lock.
    void updateLockIndicators();

    // CommandTarget: File > Exit.
    bool handlesCommand(int id) const override;
    void runCommand(int id) override;

private:
    wxSize openingSize(const wxSize& fitted, const SettingsStore& settings);
    void createMenuBar();
    void createStatusBar();
    void createToolBar();
    void onCommand(wxCommandEvent& event);
    void onUpdateUi(wxUpdateUIEvent& event);
    void onToolBarMotion(wxMouseEvent& event);
    void onToolBarLeave(wxMouseEvent& event);
    void onActivate(wxActivateEvent& event);

    wxAuiManager aui_;
    wxAuiToolBar* toolBar_ = nullptr;
    TmorvexDlgClient* client_ = nullptr;
    EditCommands editCommands_;
    std::vector<CommandTarget*> route_;
    int hoveredTool_ = 0;
};

/// The toolkit form of a menu text's shortcut ("Alt+BkSp" becomes "Alt+Back").
wxString menuLabelForToolkit(const std::string& text);

}  // namespace vantrel
