// Which language's catalog to use, from what the user or the system names.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "i18n/message_catalog.h"

namespace vantrel {

/// The gettext domain of the program's texts: its catalogs are
/// <locale folder>/<language>/LC_MESSAGES/vantrel.mo.
inline constexpr const char* kTextDomain = "vantrel";

/// The catalog names to try, best first, for a language setting as the
/// environment gives it: "de_DE.UTF-8" gives de_DE and de; a colon-separated
/// list (LANGUAGE's "fr_CA:fr:de") each in turn. "C", "POSIX" and English
/// end the list: English needs no catalog.
std::vector<std::string> languageCandidates(std::string_view setting);

/// The catalog file of `language` under `localeDir`.
std::string catalogPath(const std::string& localeDir, const std::string& language);

/// Makes `catalog` the translator of every text for the rest of the run.
void translateWith(MessageCatalog catalog);

}  // namespace vantrel
