#include "app/wx/TmorvexApp.h"

#include <wx/filename.h>
#include <wx/filesys.h>
#include <wx/fs_zip.h>
#include <wx/html/helpctrl.h>
#include <wx/image.h>
#include <wx/msgdlg.h>
#include <wx/splash.h>
#include <wx/stdpaths.h>

#include <vector>

#include "app/command_line.h"
#include "app/desktop_registration.h"
#include "app/help_location.h"
#include "app/version_record.h"
#include "app/wx/TSDIDecFrame.h"
#include "app/wx/TmorvexAboutDlg.h"
#include "app/wx/artwork.h"
#include "app/wx/translations.h"
#include "form/selection_form.h"
#include "form/wx/TmorvexDlgClient.h"
#include "ui/wx/wx_text.h"
#include "prefs/wx/Tmorvexdlgprefs.h"
#include "refrigerants/refrigerant_table.h"
#include "resources/command_ids.h"
#include "settings/settings_store.h"
#include "util/bundled_fonts.h"

namespace vantrel {
namespace {

constexpr const char* kAppName = "Vantrel";
// The help book's page about using the help viewer.
constexpr const char* kUsingHelpTopic = "using_help.html";

// Messages shown before the main window exists have no owner window.
class StartupUi : public FormUi {
public:
    MessageAnswer showMessage(const std::string& text, const std::string& caption, MessageIcon,
                              MessageButtons) override {
        wxMessageBox(fromUtf8(text), fromUtf8(caption), wxOK | wxICON_NONE);
        return MessageAnswer::Ok;
    }
    void setFocus(int) override {}
    void setControlText(int, const std::string&) override {}
};

}  // namespace

TmorvexApp::TmorvexApp() = default;
TmorvexApp::~TmorvexApp() = default;

bool TmorvexApp::OnInit() {
    // The toolkit's own option parsing is not used: the program takes only
    // "unregister" and a document, and ignores everything else (main()
    // answers --help and --version before the toolkit starts).
    SetAppName(kAppName);
    SetAppDisplayName(kAppName);
    wxInitAllImageHandlers();
    wxFileSystem::AddHandler(new wxZipFSHandler);
    // Charts are set in the typeface the program carries where the system has none.
    useBundledFonts(programDataDir());

    settings_ = std::make_unique<SettingsStore>(defaultSettingsPath());
    // Before the first text is shown: start-up messages are in the user's language too.
    setUpTranslations(*settings_, programLocaleDir());
    form_ = std::make_unique<SelectionForm>();
    const std::string root = effectiveRootDir(*settings_);
    // The user's refrigerants join the lists before the form fills them.
    RefrigerantStart refrigerants = startRefrigerants(root);
    StartupUi startupUi;
    form_->start(*settings_, root, startupUi);
    locateHelp(root);
    if (const std::string warning = refrigerants.warningText(); !warning.empty())
        startupUi.showMessage(warning, tr(kWarningCaption), MessageIcon::Exclamation, MessageButtons::Ok);

    setUpMainWindow();
    frame_->client()->setRefrigerantTable(std::move(refrigerants.table));
    registerDocumentType();
    openDocumentFromCommandLine();
    return true;
}

int TmorvexApp::OnExit() {
    help_.reset();
    return wxApp::OnExit();
}

void TmorvexApp::locateHelp(const std::string& rootDir) {
    // The book in the user's language where there is one, else the English.
    const std::string language = currentLanguage();
    if (language != "en") {
        const HelpLocation translated =
            locateHelpFile(language + "/" + kHelpFileName, rootDir, helpFileExists);
        if (!translated.cautionMessage) {
            helpFilePath_ = translated.helpFilePath;
            return;
        }
    }
    const HelpLocation location = locateHelpFile(kHelpFileName, rootDir, helpFileExists);
    helpFilePath_ = location.helpFilePath;
    if (location.cautionMessage) {
        wxMessageBox(fromUtf8(*location.cautionMessage), shownText(kCautionCaption), wxOK | wxICON_NONE);
    }
}

void TmorvexApp::setUpMainWindow() {
    splash_ = new wxSplashScreen(splashBitmap(), wxSPLASH_CENTRE_ON_SCREEN | wxSPLASH_TIMEOUT, kSplashMilliseconds,
                                 nullptr, wxID_ANY, wxDefaultPosition, wxDefaultSize,
                                 wxBORDER_SIMPLE | wxSTAY_ON_TOP | wxFRAME_NO_TASKBAR);
    splash_->Bind(wxEVT_DESTROY, [this](wxWindowDestroyEvent& event) {
        if (event.GetEventObject() == splash_) splash_ = nullptr;
        event.Skip();
    });

    frame_ = new TSDIDecFrame(kAppName, *form_, *settings_);
    frame_->addCommandTarget(this);
    frame_->client()->setPreferencesRunner([this](std::array<std::string, 4>& texts) {
        runPreferences(frame_, texts, [this](int context) { helpController().Display(context); });
    });
    frame_->Bind(wxEVT_CLOSE_WINDOW, &TmorvexApp::onFrameClose, this);
    SetTopWindow(frame_);
    frame_->Show();
}

void TmorvexApp::openDocumentFromCommandLine() {
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i) args.push_back(toUtf8(argv[i]));
    // A registered document opened from the desktop arrives as the program's argument.
    if (const auto document = documentArgument(args)) {
        TmorvexDlgClient* client = frame_->client();
        client->form().openDocumentFile(*document, *client);
        client->refreshRows();
    }
}

void TmorvexApp::registerDocumentType() {
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i) args.push_back(toUtf8(argv[i]));
    const std::string program = toUtf8(wxStandardPaths::Get().GetExecutablePath());
    // Registration problems never keep the program from running. An
    // installation that gave the desktop its entry needs none per user: one
    // there would hide the system's and outlive an uninstall.
    if (hasUnregisterOption(args)) {
        unregisterDesktopIntegration();
    } else if (installedDesktopEntry(program).empty()) {
        wxFileName icons(fromUtf8(programDataDir()), wxEmptyString);
        icons.AppendDir("icons");
        registerDesktopIntegration(program, toUtf8(icons.GetPath()));
    }
}

wxHtmlHelpController& TmorvexApp::helpController() {
    if (!help_) {
        help_ = std::make_unique<wxHtmlHelpController>(wxHF_DEFAULT_STYLE, frame_);
        // The book is a ZIP archive under the classic help file name; the
        // toolkit recognises archives only by their extension, so it is named
        // as an archive location with its project file.
        help_->AddBook(wxFileSystem::FileNameToURL(wxFileName(fromUtf8(helpFilePath_))) + "#zip:vantrel.hhp");
    }
    return *help_;
}

bool TmorvexApp::handlesCommand(int id) const {
    return id == cmd::kHelpContents || id == cmd::kHelpUsing || id == cmd::kHelpAbout || id == cmd::kLanguage;
}

void TmorvexApp::runCommand(int id) {
    switch (id) {
        case cmd::kHelpContents: HelpViewerOpened = helpController().DisplayContents(); break;
        case cmd::kHelpUsing: HelpViewerOpened = helpController().Display(kUsingHelpTopic); break;
        case cmd::kLanguage: chooseLanguage(frame_, *settings_); break;
        case cmd::kHelpAbout: {
            const TProjectRCVersion version(toUtf8(wxStandardPaths::Get().GetExecutablePath()));
            TmorvexAboutDlg about(frame_, version);
            about.ShowModal();
            break;
        }
        default: break;
    }
}

void TmorvexApp::startContextHelp() {
    ContextHelpActive = true;
    if (!HelpCursor.IsOk()) HelpCursor = helpCursor();
    // A busy cursor is the toolkit's way to give every window one cursor.
    if (!wxIsBusy()) wxBeginBusyCursor(&HelpCursor);
}

void TmorvexApp::endContextHelp() {
    ContextHelpActive = false;
    while (wxIsBusy()) wxEndBusyCursor();
    HelpCursor = wxCursor();
}

int TmorvexApp::FilterEvent(wxEvent& event) {
    const wxEventType type = event.GetEventType();
    if (type == wxEVT_MENU) {
        if (ContextHelpActive || wxGetKeyState(WXK_F1)) {
            endContextHelp();
            helpController().Display(event.GetId());
            return Event_Processed;
        }
        return Event_Skip;
    }
    if (type == wxEVT_KEY_DOWN || type == wxEVT_KEY_UP) {
        if (frame_) frame_->updateLockIndicators();
        if (type == wxEVT_KEY_UP) return Event_Skip;
        const auto& key = static_cast<wxKeyEvent&>(event);
        if (key.GetKeyCode() == WXK_F1) {
            if (key.ShiftDown()) {
                startContextHelp();
            } else {
                helpController().DisplayContents();
            }
            return Event_Processed;
        }
        if (key.GetKeyCode() == WXK_ESCAPE && ContextHelpActive) {
            endContextHelp();
            return Event_Processed;
        }
    }
    return Event_Skip;
}

void TmorvexApp::onFrameClose(wxCloseEvent& event) {
    TmorvexDlgClient* client = frame_->client();
    if (event.CanVeto() && !client->form().mayClose(*client)) {
        event.Veto();
        return;
    }
    frame_->keepLayout(*settings_);
    if (HelpViewerOpened && help_) help_->Quit();
    event.Skip();
}

}  // namespace vantrel
