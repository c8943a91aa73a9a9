// Control ids of the dialogs besides the form, one enumeration each, used by
// the dialog templates and by the windows that look their controls up; and
// the compile-time checks every set of ids passes.
#pragma once

#include <initializer_list>

namespace vantrel {

/// The accepting and the cancelling button, on whichever dialog.
namespace dialog_ids {
enum Button : int { kOk = 1, kCancel = 2 };
}  // namespace dialog_ids

/// Preferences (template 1).
namespace prefs_ids {
enum PreferencesControl : int {
    kHelp = 9,
    kNozzleMin = 10056,
    kNozzleMax = 10057,
    kTubeMin = 10058,
    kTubeMax = 10059,
    kDefault = 10073,
};
}  // namespace prefs_ids

/// Print header (template 10090).
namespace print_ids {
enum PrintHeaderControl : int {
    kPageRange = 101,
    kAll = 102,
    kSelection = 103,
    kIncludeCharts = 104,
    kProjectName = 10054,
    kCustomerName = 10055,
};
}  // namespace print_ids

/// About box (template 30200).
namespace about_ids {
enum AboutControl : int {
    kVersionLine = 22001,
    kCopyright = 22002,
    kSpecialBuild = 22003,
};
}  // namespace about_ids

/// No two of `ids` are equal.
constexpr bool allDistinct(std::initializer_list<int> ids) {
    for (const int* a = ids.begin(); a != ids.end(); ++a) {
        for (const int* b = a + 1; b != ids.end(); ++b) {
            if (*a == *b) return false;
        }
    }
    return true;
}

/// None of `ids` lies in the range the window toolkit keeps for its own
/// standard ids (wxWidgets: 4999 to 5999), where a control would take on a
/// stock item's meaning.
constexpr bool clearOfToolkitIds(std::initializer_list<int> ids) {
    for (const int id : ids) {
        if (id >= 4999 && id <= 5999) return false;
    }
    return true;
}

/// A dialog's ids are sound: distinct, and clear of the toolkit's own.
constexpr bool soundIds(std::initializer_list<int> ids) { return allDistinct(ids) && clearOfToolkitIds(ids); }

}  // namespace vantrel
