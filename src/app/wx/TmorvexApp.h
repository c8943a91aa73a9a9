// The application: starts the form's logic, checks for the help file, builds
// the main window with its splash, registers the document type, answers the
// Help commands and runs the context-help mode (Shift+F1).
#pragma once

#include <wx/app.h>
#include <wx/cursor.h>

#include <memory>
#include <string>

#include "ui/wx/command_target.h"

class wxHtmlHelpController;
class wxSplashScreen;

namespace vantrel {

class SelectionForm;
class SettingsStore;
class TSDIDecFrame;

class TmorvexApp : public wxApp, public CommandTarget {
public:
    /// Splash display time in milliseconds.
    static constexpr int kSplashMilliseconds = 2000;

    TmorvexApp();
    ~TmorvexApp() override;

    bool OnInit() override;
    int OnExit() override;
    int FilterEvent(wxEvent& event) override;

    // CommandTarget: Help > Contents, Using help, About.
    bool handlesCommand(int id) const override;
    void runCommand(int id) override;

    TSDIDecFrame* frame() const { return frame_; }
    wxSplashScreen* splash() const { return splash_; }
    SelectionForm& form() { return *form_; }
    wxHtmlHelpController* help() const { return help_.get(); }
    const std::string& helpFilePath() const { return helpFilePath_; }
    bool helpViewerOpened() const { return HelpViewerOpened; }
    bool contextHelpActive() const { return ContextHelpActive; }

private:
    void locateHelp(const std::string& rootDir);
    void setUpMainWindow();
    void registerDocumentType();
    void openDocumentFromCommandLine();
    void startContextHelp();
    void endContextHelp();
    wxHtmlHelpController& helpController();
    void onFrameClose(wxCloseEvent& event);

    bool HelpViewerOpened = false;
    bool ContextHelpActive = false;
    wxCursor HelpCursor;
    std::unique_ptr<SettingsStore> settings_;
    std::unique_ptr<SelectionForm> form_;
    std::unique_ptr<wxHtmlHelpController> help_;
    std::string helpFilePath_ = "vantrel.hlp";
    TSDIDecFrame* frame_ = nullptr;
    wxSplashScreen* splash_ = nullptr;
};

}  // namespace vantrel
