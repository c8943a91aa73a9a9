// What the form's logic needs from a user interface. The window layer
// implements it with message boxes and controls; tests and the command line
// implement it without a display.
#pragma once

#include <string>

namespace vantrel {

/// Icon of a message box.
enum class MessageIcon { None, Information, Exclamation, Question, Stop };
/// Buttons of a message box; YesNoDefaultNo makes No the default button.
enum class MessageButtons { Ok, YesNo, YesNoDefaultNo };
/// The button a message box was closed with.
enum class MessageAnswer { Ok, Yes, No };

class FormUi {
public:
    virtual ~FormUi() = default;
    /// Shows a modal message and returns the button pressed.
    virtual MessageAnswer showMessage(const std::string& text, const std::string& caption, MessageIcon icon,
                                      MessageButtons buttons) = 0;
    /// Moves the keyboard focus to a control of the form.
    virtual void setFocus(int controlId) = 0;
    /// Replaces the text of an edit field or combo box.
    virtual void setControlText(int controlId, const std::string& text) = 0;
    /// Sets the main window's caption.
    virtual void setFrameCaption(const std::string& /*caption*/) {}
    /// Asks for a document file name (an existing one for opening); empty
    /// when the user cancels. `initial` is the name offered.
    virtual std::string askFileName(bool /*forSaving*/, const std::string& /*initial*/) { return {}; }
};

}  // namespace vantrel
