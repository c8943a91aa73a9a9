// Running the program's events for a while, as the GUI tests on every
// system do between their synthesized inputs.
#pragma once

namespace vantrel::test {

/// Processes pending events and idle handlers for `milliseconds`.
void runEventLoop(int milliseconds);

}  // namespace vantrel::test
