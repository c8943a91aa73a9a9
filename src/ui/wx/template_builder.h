// Builds real controls from a dialog template. Native controls on GTK are
// taller (and some wider) than dialog-unit layouts allow, so the layout is
// scaled uniformly per axis until every control fits its place at its natural
// size: places, order and proportions stay, nothing overlaps or is cut off.
#pragma once

#include <wx/window.h>

#include <functional>
#include <map>

#include "resources/dialog_templates.h"

namespace vantrel {

/// The controls built from a template, by id (controls without an id are not listed).
struct BuiltDialog {
    std::map<int, wxWindow*> controls;
    wxSize clientSize;  ///< the scaled size of the whole template

    template <typename T>
    T* get(int id) const {
        const auto it = controls.find(id);
        return it == controls.end() ? nullptr : dynamic_cast<T*>(it->second);
    }
};

/// The window id a template id becomes: the dialog buttons 1, 2 and 9 map to
/// the toolkit's OK, Cancel and Help ids, everything else keeps its number.
int windowIdFor(int templateId);

/// Makes a special control for a template entry, or returns nullptr to let the
/// builder make the standard one.
using ControlFactory = std::function<wxWindow*(wxWindow* parent, const ControlTemplate& control, int windowId)>;

/// Creates the controls of `dialog` as children of `parent`, in template order.
BuiltDialog buildFromTemplate(wxWindow* parent, const DialogTemplate& dialog, const ControlFactory& custom = {});

}  // namespace vantrel
