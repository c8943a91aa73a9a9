#include "ui/wx/template_builder.h"

#include <wx/artprov.h>
#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/combobox.h>
#include <wx/listctrl.h>
#include <wx/radiobut.h>
#include <wx/statbmp.h>
#include <wx/statbox.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "ui/wx/up_down.h"
#include "ui/wx/wx_text.h"

#ifdef __WXGTK__
#include <gtk/gtk.h>
#endif

namespace vantrel {
namespace {

// Visible height, in dialog units, of list controls whose template height
// includes their dropped-down list.
constexpr int kDropDownVisibleHeight = 12;
// Breathing room kept around controls that touch their neighbours.
constexpr int kMarginPx = 2;

bool isDropDown(ControlKind kind) { return kind == ControlKind::DropDownList || kind == ControlKind::ComboBox; }

#ifdef __WXGTK__
void dropArrowTabStop(GtkWidget* widget, gpointer) {
    if (GTK_IS_TOGGLE_BUTTON(widget)) gtk_widget_set_can_focus(widget, FALSE);
    if (GTK_IS_CONTAINER(widget)) gtk_container_forall(GTK_CONTAINER(widget), dropArrowTabStop, nullptr);
}
#endif

// An editable combo box is one field: GTK gives its drop-down arrow a tab
// stop of its own, which Tab would visit between two fields. The arrow still
// opens the list with a click, and Alt+Down opens it from the keyboard.
wxComboBox* makeComboBox(wxWindow* parent, int id, const wxSize& size) {
    auto* combo = new wxComboBox(parent, id, wxEmptyString, wxDefaultPosition, size);
#ifdef __WXGTK__
    gtk_container_forall(GTK_CONTAINER(combo->GetHandle()), dropArrowTabStop, nullptr);
#endif
    return combo;
}

bool keepsNaturalHeight(ControlKind kind) {
    switch (kind) {
        case ControlKind::GroupBox:
        case ControlKind::ListView:
        case ControlKind::Icon: return false;
        default: return true;
    }
}

bool needsFullWidth(ControlKind kind) {
    switch (kind) {
        case ControlKind::Label:
        case ControlKind::LabelRight:
        case ControlKind::LabelCentre:
        case ControlKind::Button:
        case ControlKind::DefaultButton:
        case ControlKind::RadioButton:
        case ControlKind::CheckBox:
        case ControlKind::GroupBox: return true;
        default: return false;
    }
}

wxWindow* create(wxWindow* parent, const ControlTemplate& c, const wxSize& size) {
    const int id = c.id < 0 ? wxID_ANY : windowIdFor(c.id);
    const wxString text = c.translated ? shownText(c.text) : fromUtf8(c.text);
    switch (c.kind) {
        case ControlKind::Label: return new wxStaticText(parent, id, text, wxDefaultPosition, size, wxST_NO_AUTORESIZE);
        case ControlKind::LabelRight:
            return new wxStaticText(parent, id, text, wxDefaultPosition, size, wxALIGN_RIGHT | wxST_NO_AUTORESIZE);
        case ControlKind::LabelCentre:
            return new wxStaticText(parent, id, text, wxDefaultPosition, size,
                                    wxALIGN_CENTRE_HORIZONTAL | wxST_NO_AUTORESIZE);
        case ControlKind::GroupBox: return new wxStaticBox(parent, id, text, wxDefaultPosition, size);
        case ControlKind::DropDownList: return new wxChoice(parent, id, wxDefaultPosition, size);
        case ControlKind::ComboBox: return makeComboBox(parent, id, size);
        case ControlKind::Edit: return new wxTextCtrl(parent, id, text, wxDefaultPosition, size);
        case ControlKind::UpDown: return new UpDownControl(parent, id, wxDefaultPosition, size);
        case ControlKind::DefaultButton: {
            auto* button = new wxButton(parent, id, text, wxDefaultPosition, size);
            button->SetDefault();
            return button;
        }
        case ControlKind::Button: return new wxButton(parent, id, text, wxDefaultPosition, size);
        case ControlKind::RadioButton: return new wxRadioButton(parent, id, text, wxDefaultPosition, size);
        case ControlKind::CheckBox: return new wxCheckBox(parent, id, text, wxDefaultPosition, size);
        case ControlKind::ListView:
            return new wxListCtrl(parent, id, wxDefaultPosition, size,
                                  wxLC_REPORT | wxLC_VIRTUAL | wxLC_HRULES | wxBORDER_SUNKEN);
        case ControlKind::Icon: return new wxStaticBitmap(parent, id, wxArtProvider::GetBitmap(wxART_INFORMATION));
    }
    return nullptr;
}

}  // namespace

int windowIdFor(int templateId) {
    switch (templateId) {
        case 1: return wxID_OK;
        case 2: return wxID_CANCEL;
        case 9: return wxID_HELP;
        default: return templateId;
    }
}

BuiltDialog buildFromTemplate(wxWindow* parent, const DialogTemplate& dialog, const ControlFactory& custom) {
    // Dialog units of the parent's font: four horizontal units are the average
    // character width, eight vertical ones the character height.
    const wxPoint unit = parent->ConvertDialogToPixels(wxPoint(400, 800));
    const double px = unit.x / 400.0;
    const double py = unit.y / 800.0;

    struct Made {
        const ControlTemplate* entry;
        wxWindow* window;
        wxSize natural;
    };
    std::vector<Made> made;
    for (const ControlTemplate& c : dialog.controls) {
        const wxSize initial(static_cast<int>(c.width * px), -1);
        wxWindow* window = custom ? custom(parent, c, c.id < 0 ? wxID_ANY : windowIdFor(c.id)) : nullptr;
        if (!window) window = create(parent, c, initial);
        if (!window) continue;
        // Labels report the size their text needs, whatever size they were given.
        if (auto* label = dynamic_cast<wxStaticText*>(window)) label->SetInitialSize(wxDefaultSize);
        made.push_back({&c, window, window->GetBestSize()});
        if (!c.visible) window->Hide();
    }

    // One scale per axis, large enough for the most demanding control.
    double sx = 1.0;
    double sy = 1.0;
    for (const Made& m : made) {
        const ControlTemplate& c = *m.entry;
        if (!c.visible) continue;
        if (keepsNaturalHeight(c.kind)) {
            const int visible = isDropDown(c.kind) ? kDropDownVisibleHeight : c.height;
            sy = std::max(sy, (m.natural.y + kMarginPx) / (visible * py));
        }
        if (needsFullWidth(c.kind) && c.kind != ControlKind::GroupBox) {
            sx = std::max(sx, (m.natural.x + kMarginPx) / (c.width * px));
        }
    }

    BuiltDialog built;
    for (std::size_t i = 0; i < made.size(); ++i) {
        const Made& m = made[i];
        const ControlTemplate& c = *m.entry;
        const int x = static_cast<int>(std::lround(c.x * px * sx));
        const int y = static_cast<int>(std::lround(c.y * py * sy));
        int width = static_cast<int>(std::lround(c.width * px * sx));
        const int slot =
            static_cast<int>(std::lround((isDropDown(c.kind) ? kDropDownVisibleHeight : c.height) * py * sy));
        // An up-down control attaches to the right end of the edit field before
        // it, which gives up that room.
        if (c.kind == ControlKind::Edit && i + 1 < made.size() && made[i + 1].entry->kind == ControlKind::UpDown) {
            width = static_cast<int>(std::lround(made[i + 1].entry->x * px * sx)) - x;
        }
        if (keepsNaturalHeight(c.kind)) {
            const int height = std::min(m.natural.y, slot);
            // Single-line controls sit in the middle of their row's slot.
            const int top = c.kind == ControlKind::LabelCentre && c.height > 2 * kDropDownVisibleHeight
                                ? y
                                : y + std::max(0, (slot - height) / 2);
            m.window->SetSize(x, top, width, std::max(height, m.natural.y));
        } else {
            m.window->SetSize(x, y, width, slot);
        }
        if (c.id >= 0) built.controls[c.id] = m.window;
    }
    built.clientSize = wxSize(static_cast<int>(std::lround(dialog.width * px * sx)),
                              static_cast<int>(std::lround(dialog.height * py * sy)));
    return built;
}

}  // namespace vantrel
