// Asking a tool outside the program: the core tests and the window tests
// both check the files they make with the system's own readers.
#pragma once

#include <string>

namespace vantrel::test {

/// Standard output of a shell command: what a tool outside the program says.
std::string commandOutput(const std::string& command);

}  // namespace vantrel::test
