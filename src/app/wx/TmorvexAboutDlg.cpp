#include "app/wx/TmorvexAboutDlg.h"

#include <wx/sizer.h>
#include <wx/statbmp.h>
#include <wx/stattext.h>

#include "app/version_record.h"
#include "app/wx/artwork.h"
#include "ui/wx/wx_text.h"
#include "resources/dialog_ids.h"

namespace vantrel {
namespace {
constexpr int kVersionLine = about_ids::kVersionLine;
constexpr int kCopyright = about_ids::kCopyright;
constexpr int kSpecialBuild = about_ids::kSpecialBuild;
}  // namespace

TmorvexAboutDlg::TmorvexAboutDlg(wxWindow* parent, const TProjectRCVersion& version) {
    const DialogTemplate& layout = dialogTemplate(templates::kAbout);
    Create(parent, wxID_ANY, shownText(layout.caption), wxDefaultPosition, wxDefaultSize,
           wxCAPTION | wxSYSTEM_MENU | wxCLOSE_BOX);
    built_ = buildFromTemplate(this, layout, [](wxWindow* parent, const ControlTemplate& c, int id) -> wxWindow* {
        if (c.kind != ControlKind::Icon) return nullptr;
        return new wxStaticBitmap(parent, id, programIcons().GetIcon(32));
    });
    SetClientSize(built_.clientSize);

    // The version statics show their texts as they are, "&" included.
    auto* line = built_.get<wxStaticText>(kVersionLine);
    const std::string current = toUtf8(line->GetLabelText());
    line->SetLabelText(fromUtf8(composeVersionLine(version, current)));
    std::string text;
    if (version.GetCopyright(text)) built_.get<wxStaticText>(kCopyright)->SetLabelText(fromUtf8(text));
    if (version.GetSpecialBuild(text)) built_.get<wxStaticText>(kSpecialBuild)->SetLabelText(fromUtf8(text));
    CentreOnParent();
}

wxString TmorvexAboutDlg::staticText(int id) const {
    const auto* label = built_.get<wxStaticText>(id);
    return label ? label->GetLabelText() : wxString();
}

}  // namespace vantrel
