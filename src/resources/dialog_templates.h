// The program's dialog layouts as data: every control with its id, kind,
// text and rectangle in dialog units, in creation order (which is also the
// keyboard tab order). The window layer builds real controls from them and
// shows the texts, written here in English, in the user's language.
#pragma once

#include <string>
#include <vector>

namespace vantrel {

enum class ControlKind {
    Label,          ///< static text, left-aligned
    LabelRight,     ///< static text, right-aligned
    LabelCentre,    ///< static text, centred
    GroupBox,       ///< frame with a caption around related controls
    DropDownList,   ///< list that accepts only its items
    ComboBox,       ///< list with an edit field that accepts any text
    Edit,           ///< single-line edit field
    UpDown,         ///< spin arrows attached to the edit field before them
    DefaultButton,  ///< push button pressed by Enter
    Button,         ///< push button
    RadioButton,    ///< automatic radio button
    CheckBox,       ///< automatic check box
    ListView,       ///< report-style list with a border
    Icon,           ///< the program icon
};

/// One control of a dialog template; rectangle in dialog units.
struct ControlTemplate {
    int id;  ///< command or control id; -1 for controls without an id of their own
    ControlKind kind;
    std::string text;
    int x, y, width, height;
    bool visible = true;
    /// False for a text that reads the same in every language (a unit
    /// symbol, the maker's address); the others are shown translated.
    bool translated = true;
};

/// A dialog layout: caption, size in dialog units and the controls.
struct DialogTemplate {
    int id;
    std::string caption;
    int width, height;
    std::vector<ControlTemplate> controls;

    /// The control with `controlId`, or nullptr.
    const ControlTemplate* find(int controlId) const;
};

/// Template ids.
namespace templates {
inline constexpr int kPreferences = 1;
inline constexpr int kForm = 2000;
inline constexpr int kPrintHeader = 10090;
inline constexpr int kAbout = 30200;
}  // namespace templates

/// The template with `id`; throws std::out_of_range for an unknown id.
const DialogTemplate& dialogTemplate(int id);

}  // namespace vantrel
