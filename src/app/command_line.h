// Reading the program's command line: the "unregister" option and a document
// to open at start.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace vantrel {

/// The one option the program knows; any non-empty leading part of it counts.
inline constexpr const char* kUnregisterOption = "unregister";

/// Is `token` written as an option? A token is an option when it starts with
/// "-" (anything may follow), or when it is "/" followed by one or more
/// letters and nothing else ("/unregister", "/U"). Other tokens starting with
/// "/" are absolute paths, so "/home/a.dst" or "/tmp" never read as options;
/// the price is that a file named like "-x.dst" cannot be given directly
/// (write "./-x.dst").
bool isOptionToken(const std::string& token);

/// True when some token of `args` (the arguments after the program name) is
/// "-" or "/" followed by a leading part of "unregister", in any case:
/// "-u", "/UNREG", "-Unregister". Longer words ("-unregisterx"), a doubled
/// prefix ("--unregister") and the bare word are not the option.
bool hasUnregisterOption(const std::vector<std::string>& args);

/// The first token of `args` that is not an option and names an existing
/// regular file whose name ends in ".dst" (in any case), exactly as given.
std::optional<std::string> documentArgument(const std::vector<std::string>& args);

}  // namespace vantrel
