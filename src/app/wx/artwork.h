// The program's pictures: splash, tool bar glyphs, icons and the help cursor,
// loaded from the program's data folder, with stock art standing in when a
// file is missing so the program never starts without glyphs.
#pragma once

#include <wx/bitmap.h>
#include <wx/cursor.h>
#include <wx/iconbndl.h>

namespace vantrel {

/// The splash picture (420 x 241).
wxBitmap splashBitmap();
/// The 20 x 20 glyph of tool bar bitmap `number` (24333, 24322, ...).
wxBitmap toolGlyph(int number);
/// The program icon in all its sizes.
wxIconBundle programIcons();
/// The context-help cursor: an arrow with a question mark.
wxCursor helpCursor();

}  // namespace vantrel
