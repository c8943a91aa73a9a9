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

/// What the program prints instead of opening its window.
enum class ProgramInformation { None, Help, Version };

/// "--help" (or "-h") or "--version" among `args`, the first given; None
/// when neither is. They are asked before anything else happens, so the
/// program answers without a display and without touching the desktop.
ProgramInformation informationAsked(const std::vector<std::string>& args);

/// The text to print for `asked` (empty for None), ending in a newline.
std::string informationText(ProgramInformation asked);

/// The first token of `args` that is not an option and names an existing
/// regular file whose name ends in ".dst" (in any case), exactly as given.
std::optional<std::string> documentArgument(const std::vector<std::string>& args);

}  // namespace vantrel
