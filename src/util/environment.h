// What the process was started with: its arguments and its environment, as
// UTF-8 on every system. Windows hands a program's narrow argv and
// environment over in the ANSI code page, where "Müller" or a folder like
// "C:\Users\Jürgen" may not even fit; the wide originals are taken instead.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace vantrel {

/// The program's arguments, its own name first, as UTF-8. On POSIX systems
/// `argv` as given; on Windows the process's wide command line, split by the
/// C run-time's rules (`argc` and `argv` only say how many there should be).
std::vector<std::string> programArguments(int argc, char** argv);

/// An environment variable's value as UTF-8; nothing when it is not set.
std::optional<std::string> environmentValue(const char* name);

/// An environment variable's value, or empty when it is not set or empty:
/// what every lookup of a folder or file name in the environment wants.
inline std::string environmentText(const char* name) { return environmentValue(name).value_or(std::string()); }

/// Sets the variable for this process and the programs it starts afterwards.
void setEnvironmentValue(const char* name, const std::string& value);

/// Removes the variable for this process and the programs it starts afterwards.
void removeEnvironmentValue(const char* name);

}  // namespace vantrel
