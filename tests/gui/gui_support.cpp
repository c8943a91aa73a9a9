#include "gui_support.h"

#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/evtloop.h>
#include <wx/msgdlg.h>
#include <wx/stopwatch.h>
#include <wx/utils.h>

#include <gtk/gtk.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <wx/clipbrd.h>
#include <wx/listctrl.h>
#include <wx/menu.h>
#include <wx/menuitem.h>
#include <wx/timer.h>
#include <wx/uiaction.h>

#include "app/wx/TSDIDecFrame.h"
#include "app/wx/TmorvexApp.h"
#include "form/wx/TmorvexDlgClient.h"
#include "resources/command_ids.h"
#include "ui/wx/wx_text.h"

namespace vantrel::test {

DialogRecorder* gRecorder = nullptr;

void clickWhenShown(wxMenuItem* item, wxTimer& watchdog) {
    // After the opening handler has returned, and not at once: a menu
    // ignores a click that comes too soon after it opened, as it would from
    // a hand still moving.
    wxTheApp->CallAfter([&watchdog, item] {
        runEventLoop(700);
        wxUIActionSimulator sim;
        if (item && item->IsEnabled()) {
            sim.MouseMove(widgetPoint(item->GetMenuItem()));
            runEventLoop(80);
            sim.MouseClick();
        } else {
            sim.Char(WXK_ESCAPE);
        }
        watchdog.StartOnce(1000);
    });
}
std::vector<SeenDialog> gStartupDialogs;
std::string gScenario;

int DialogRecorder::Enter(wxDialog* dialog) {
    SeenDialog entry;
    entry.className = toUtf8(dialog->GetClassInfo()->GetClassName());
    entry.title = toUtf8(dialog->GetTitle());
    if (auto* box = dynamic_cast<wxMessageDialog*>(dialog)) {
        entry.message = toUtf8(box->GetMessage());
        if (entry.title.empty()) entry.title = toUtf8(box->GetCaption());
    }
    seen.push_back(entry);
    return respond ? respond(dialog) : wxID_OK;
}

void sendCommand(int id) {
    wxFrame* frame = static_cast<TmorvexApp&>(*wxTheApp).frame();
    wxCommandEvent event(wxEVT_MENU, id);
    event.SetEventObject(frame);
    frame->GetEventHandler()->ProcessEvent(event);
}

wxPoint widgetPoint(GtkWidget* widget) {
    GtkWidget* top = gtk_widget_get_toplevel(widget);
    int x = 0, y = 0;
    gtk_widget_translate_coordinates(widget, top, 0, 0, &x, &y);
    int originX = 0, originY = 0;
    gdk_window_get_origin(gtk_widget_get_window(top), &originX, &originY);
    return wxPoint(originX + x + gtk_widget_get_allocated_width(widget) / 2,
                   originY + y + gtk_widget_get_allocated_height(widget) / 2);
}

wxPoint headingPoint(wxListCtrl& list, int column) {
    int x = 0;
    for (int c = 0; c < column; ++c) x += list.GetColumnWidth(c);
    wxRect first;
    EXPECT_TRUE(list.GetItemRect(list.GetTopItem(), first));
    return list.ClientToScreen(wxPoint(x + list.GetColumnWidth(column) / 2, first.y / 2));
}

std::string clipboardText() {
    wxClipboardLocker locker;
    wxTextDataObject data;
    if (!locker || !wxTheClipboard->GetData(data)) return {};
    return toUtf8(data.GetText());
}

std::string openDocumentText(const std::string& stem, const std::string& content) {
    TSDIDecFrame& frame = *static_cast<TmorvexApp&>(*wxTheApp).frame();
    gRecorder->seen.clear();
    gRecorder->respond = [](wxDialog*) { return wxID_YES; };
    sendCommand(cmd::kNew);
    const std::string path =
        (std::filesystem::temp_directory_path() / (stem + "-" + std::to_string(::getpid()) + ".dst")).string();
    std::ofstream(path) << content;
    frame.client()->setFileNameAsker([path](bool, const std::string&) { return path; });
    sendCommand(cmd::kOpen);
    frame.client()->setFileNameAsker(nullptr);
    gRecorder->seen.clear();
    gRecorder->respond = nullptr;
    runEventLoop(100);
    return path;
}

bool popupMenuShown() {
    bool shown = false;
    GList* windows = gtk_window_list_toplevels();
    for (GList* w = windows; w; w = w->next) {
        GtkWidget* window = GTK_WIDGET(w->data);
        GtkWidget* child = GTK_IS_BIN(window) ? gtk_bin_get_child(GTK_BIN(window)) : nullptr;
        if (child && GTK_IS_MENU(child) && gtk_widget_get_mapped(window)) shown = true;
    }
    g_list_free(windows);
    return shown;
}

void moveAndClick(const wxPoint& point, int button) {
    wxUIActionSimulator sim;
    sim.MouseMove(point);
    runEventLoop(60);
    sim.MouseClick(button);
    runEventLoop(150);
}

PopupResult rightClickAndChoose(wxWindow& owner, const wxPoint& point, const std::string& label) {
    PopupResult result;
    bool done = false;
    // A second later the menu must be gone; one left on the screen is
    // closed with Escape so the test goes on. A timer fires inside whatever
    // loop the program is in, the menu's own included.
    wxTimer watchdog;
    watchdog.Bind(wxEVT_TIMER, [&](wxTimerEvent&) {
        result.stillShown = popupMenuShown();
        if (result.stillShown) wxUIActionSimulator().Char(WXK_ESCAPE);
        done = true;
    });
    auto onOpen = [&](wxMenuEvent& event) {
        event.Skip();
        wxMenu* menu = event.GetMenu();
        if (!menu || !event.IsPopup() || result.opened) return;
        result.opened = true;
        wxMenuItem* chosen = nullptr;
        for (wxMenuItem* item : menu->GetMenuItems()) {
            if (!label.empty() && toUtf8(item->GetItemLabelText()) == label) chosen = item;
        }
        if (chosen) result.itemEnabled = chosen->IsEnabled();
        test::clickWhenShown(chosen, watchdog);
    };
    owner.Bind(wxEVT_MENU_OPEN, onOpen);
    wxUIActionSimulator sim;
    sim.MouseMove(point);
    runEventLoop(60);
    sim.MouseClick(wxMOUSE_BTN_RIGHT);
    for (int waited = 0; waited < 5000 && !(result.opened ? done : waited > 1500); waited += 20) runEventLoop(20);
    runEventLoop(100);
    owner.Unbind(wxEVT_MENU_OPEN, onOpen);
    watchdog.Stop();
    return result;
}

bool chooseFromMenuBar(const std::string& title, int id) {
    TSDIDecFrame& frame = *static_cast<TmorvexApp&>(*wxTheApp).frame();
    wxMenuBar* bar = frame.GetMenuBar();
    wxMenu* menu = bar->GetMenu(static_cast<size_t>(bar->FindMenu(fromUtf8(title))));
    wxMenuItem* item = menu ? menu->FindItem(id) : nullptr;
    if (!item) return false;
    bool clicked = false;
    bool done = false;
    wxTimer watchdog;
    watchdog.Bind(wxEVT_TIMER, [&](wxTimerEvent&) {
        if (gtk_widget_get_mapped(menu->m_menu)) wxUIActionSimulator().Char(WXK_ESCAPE);
        done = true;
    });
    auto onOpen = [&](wxMenuEvent& event) {
        event.Skip();
        if (event.GetMenu() != menu || clicked) return;
        clicked = true;
        clickWhenShown(item, watchdog);
    };
    frame.Bind(wxEVT_MENU_OPEN, onOpen);
    wxUIActionSimulator sim;
    sim.MouseMove(widgetPoint(menu->m_owner));
    runEventLoop(60);
    sim.MouseClick();
    for (int waited = 0; waited < 6000 && !done && (clicked || waited < 2000); waited += 20) runEventLoop(20);
    runEventLoop(100);
    frame.Unbind(wxEVT_MENU_OPEN, onOpen);
    watchdog.Stop();
    return clicked;
}

}  // namespace vantrel::test
