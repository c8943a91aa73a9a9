// Helpers of the GUI tests: a hook that answers and records modal dialogs,
// and running the event loop for a while.
#pragma once

#include <wx/dialog.h>
#include <wx/gdicmn.h>
#include <wx/modalhook.h>

#include <functional>
#include <string>
#include <vector>

#include "command_output.h"
#include "run_events.h"

typedef struct _GtkWidget GtkWidget;
class wxListCtrl;
class wxWindow;
class wxMenuItem;
class wxTimer;

namespace vantrel::test {

/// A modal dialog as the hook saw it.
struct SeenDialog {
    std::string className;
    std::string title;
    std::string message;  ///< the text of a message box
};

/// Answers every modal dialog at once (OK, or what `respond` says) and records it.
class DialogRecorder : public wxModalDialogHook {
public:
    std::vector<SeenDialog> seen;
    /// Called with each dialog before it would show; returns the id to close it with.
    std::function<int(wxDialog*)> respond;

protected:
    int Enter(wxDialog* dialog) override;
    void Exit(wxDialog*) override {}
};

/// The recorder installed for the whole run.
extern DialogRecorder* gRecorder;
/// The dialogs shown while the program started.
extern std::vector<SeenDialog> gStartupDialogs;
/// The start-up scenario of this run ("", "missing", "damaged" or "english").
extern std::string gScenario;

/// True in the runs whose catalog is missing or damaged, where only the tests
/// written for them apply.
inline bool catalogScenarioRun() { return gScenario == "missing" || gScenario == "damaged"; }

/// The language a translated scenario ("german", "french", "spanish",
/// "italian") starts the program in, or null.
inline const char* scenarioLanguage() {
    if (gScenario == "german") return "de";
    if (gScenario == "french") return "fr";
    if (gScenario == "spanish") return "es";
    if (gScenario == "italian") return "it";
    return nullptr;
}

/// Sends command `id` to the main window as the menu, an accelerator or the
/// tool bar would.
void sendCommand(int id);

/// The text on the clipboard (empty when there is none).
std::string clipboardText();

/// Where the middle of a GTK widget stands on the screen: where a user's
/// pointer would go to click it.
wxPoint widgetPoint(GtkWidget* widget);

/// Called once a menu has opened: clicks `item` with the pointer (or presses
/// Escape when it is null or disabled) a moment later, then starts
/// `watchdog`, which should close a menu still open when it fires.
void clickWhenShown(wxMenuItem* item, wxTimer& watchdog);

/// Where the middle of heading `column` of a report list stands on the
/// screen: above the first row shown, inside the list.
wxPoint headingPoint(wxListCtrl& list, int column);

/// Starts a new document and opens `content` as a document the user chose,
/// written to a file named after `stem` and the process; returns its path,
/// which the caller removes.
std::string openDocumentText(const std::string& stem, const std::string& content);

/// Opens menu `title` of the menu bar with a click on its title and clicks
/// its item `id` once the menu is on the screen. Returns whether the item was
/// clicked; a menu still open a second later is closed with Escape.
bool chooseFromMenuBar(const std::string& title, int id);


/// Is a popup menu on the screen?
bool popupMenuShown();

/// Moves the pointer to `point` (screen coordinates) and clicks `button`.
void moveAndClick(const wxPoint& point, int button = wxMOUSE_BTN_LEFT);

/// What rightClickAndChoose saw.
struct PopupResult {
    bool opened = false;
    bool itemEnabled = false;  ///< the item's state as shown
    bool stillShown = false;   ///< the menu was still up after the choice
};

/// Right-clicks at `point` over `owner` (the window whose popup menu opens)
/// and, once the menu is up, clicks its item `label` with the pointer (or
/// presses Escape when `label` is empty or the item is disabled).
PopupResult rightClickAndChoose(wxWindow& owner, const wxPoint& point, const std::string& label);

}  // namespace vantrel::test
