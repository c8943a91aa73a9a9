// The desktop program's language: the toolkit's catalogs (its own stock
// texts and ours) for the language the settings or the system name, and
// the core's texts routed through them.
#pragma once

#include <string>
#include <vector>

class wxWindow;

namespace vantrel {

class SettingsStore;

/// The settings value naming the chosen language ("de", "fr", ...); absent
/// or empty follows the system.
inline constexpr const char* kLanguageValue = "language";

/// Loads the catalogs for the language `settings` names, or the system's,
/// from `localeDir` (and the toolkit's own folders), and makes the core's
/// tr() use them. English needs no catalog.
void setUpTranslations(const SettingsStore& settings, const std::string& localeDir);

/// The language in use: "en" or a catalog's name ("de").
std::string currentLanguage();

/// The languages a user can choose: English and every catalog found.
std::vector<std::string> availableLanguages();

/// Options > Language...: lets the user choose and keeps the choice in
/// `settings`; true when it changed (it takes effect at the next start).
bool chooseLanguage(wxWindow* parent, SettingsStore& settings);

}  // namespace vantrel
