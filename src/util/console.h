// The standard streams of a command-line program, alike on every system.
#pragma once

namespace vantrel {

enum class StandardStream { Output, Error };

/// Makes standard output and error carry the program's bytes unchanged, so
/// that what a script reads is the same on every system: lines end in LF,
/// never CRLF (Windows would otherwise add a CR to every line), and text is
/// UTF-8. A Windows console is switched to UTF-8 for the run (and back at the
/// end) and asked to understand the escape sequences a terminal does.
void prepareStandardStreams();

/// Whether the stream goes to a terminal (a console window on Windows) that
/// someone watches, rather than to a file, a pipe or a device such as NUL.
bool isTerminal(StandardStream stream);

}  // namespace vantrel
