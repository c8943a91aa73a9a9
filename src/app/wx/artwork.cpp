#include "app/wx/artwork.h"

#include <wx/artprov.h>
#include <wx/filename.h>
#include <wx/image.h>

#include <map>

#include "ui/wx/wx_text.h"
#include "settings/settings_store.h"

namespace vantrel {
namespace {

wxString resourcePath(const wxString& folder, const wxString& name) {
    wxFileName path(fromUtf8(programDataDir()), name);
    path.AppendDir(folder);
    return path.GetFullPath();
}

wxBitmap loadPng(const wxString& folder, const wxString& name) {
    const wxString path = resourcePath(folder, name);
    if (!wxFileName::FileExists(path)) return wxNullBitmap;
    wxImage image;
    if (!image.LoadFile(path, wxBITMAP_TYPE_PNG)) return wxNullBitmap;
    return wxBitmap(image);
}

}  // namespace

wxBitmap splashBitmap() {
    const wxBitmap bitmap = loadPng("bitmaps", "splash.png");
    if (bitmap.IsOk()) return bitmap;
    wxBitmap plain(420, 241);
    return plain;
}

wxBitmap toolGlyph(int number) {
    static const std::map<int, std::pair<const char*, wxArtID>> kGlyphs{
        {24333, {"tb_24333_save.png", wxART_FILE_SAVE}}, {24322, {"tb_24322_cut.png", wxART_CUT}},
        {24323, {"tb_24323_copy.png", wxART_COPY}},      {24324, {"tb_24324_paste.png", wxART_PASTE}},
        {24321, {"tb_24321_undo.png", wxART_UNDO}},      {24351, {"tb_24351_find.png", wxART_FIND}},
        {24353, {"tb_24353_findnext.png", wxART_FIND}},  {24360, {"tb_24360_print.png", wxART_PRINT}},
        {24361, {"tb_24361_pdf.png", wxART_FILE_SAVE_AS}}, {2001, {"tb_2001_help.png", wxART_HELP}},        {24331, {"tb_24331_new.png", wxART_NEW}},
        {24332, {"tb_24332_open.png", wxART_FILE_OPEN}},
    };
    const auto it = kGlyphs.find(number);
    if (it == kGlyphs.end()) return wxArtProvider::GetBitmap(wxART_MISSING_IMAGE, wxART_TOOLBAR, wxSize(20, 20));
    const wxBitmap bitmap = loadPng("bitmaps", it->second.first);
    if (bitmap.IsOk()) return bitmap;
    return wxArtProvider::GetBitmap(it->second.second, wxART_TOOLBAR, wxSize(20, 20));
}

wxIconBundle programIcons() {
    wxIconBundle icons;
    for (int size : {16, 32, 48, 64, 128, 256}) {
        const wxBitmap bitmap = loadPng("icons", wxString::Format("vantrel-%d.png", size));
        if (bitmap.IsOk()) {
            wxIcon icon;
            icon.CopyFromBitmap(bitmap);
            icons.AddIcon(icon);
        }
    }
    if (icons.IsEmpty()) icons.AddIcon(wxArtProvider::GetIcon(wxART_INFORMATION, wxART_FRAME_ICON));
    return icons;
}

wxCursor helpCursor() {
    const wxString path = resourcePath("icons", "help_cursor.png");
    wxImage image;
    if (wxFileName::FileExists(path) && image.LoadFile(path, wxBITMAP_TYPE_PNG)) {
        // The hot spot is the tip of the arrow, in the top left corner.
        image.SetOption(wxIMAGE_OPTION_CUR_HOTSPOT_X, 1);
        image.SetOption(wxIMAGE_OPTION_CUR_HOTSPOT_Y, 1);
        return wxCursor(image);
    }
    return wxCursor(wxCURSOR_QUESTION_ARROW);
}

}  // namespace vantrel
