// Help > About: the program's name and version, read from its version record,
// the maker's address and the copyright line.
#pragma once

#include <wx/dialog.h>

#include "ui/wx/template_builder.h"

namespace vantrel {

class TProjectRCVersion;

class TmorvexAboutDlg : public wxDialog {
public:
    TmorvexAboutDlg(wxWindow* parent, const TProjectRCVersion& version);

    /// The text of static 22001, 22002 or 22003.
    wxString staticText(int id) const;

private:
    BuiltDialog built_;
};

}  // namespace vantrel
