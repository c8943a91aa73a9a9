#include "util/console.h"

#include <windows.h>
#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <cstdlib>
#include <initializer_list>

namespace vantrel {
namespace {

HANDLE handleOf(StandardStream stream) {
    return GetStdHandle(stream == StandardStream::Output ? STD_OUTPUT_HANDLE : STD_ERROR_HANDLE);
}

// A console, unlike _isatty, which also says yes for NUL and other devices.
bool isConsole(HANDLE handle) {
    DWORD mode = 0;
    return handle != nullptr && handle != INVALID_HANDLE_VALUE && GetConsoleMode(handle, &mode) != 0;
}

UINT consoleCodePage = 0;

void restoreConsoleCodePage() {
    if (consoleCodePage != 0) SetConsoleOutputCP(consoleCodePage);
}

}  // namespace

void prepareStandardStreams() {
    std::fflush(stdout);
    std::fflush(stderr);
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
    if (!isConsole(handleOf(StandardStream::Output)) && !isConsole(handleOf(StandardStream::Error))) return;
    // The console keeps its code page after the program ends: the user's
    // is given back.
    const UINT previous = GetConsoleOutputCP();
    if (previous != CP_UTF8 && SetConsoleOutputCP(CP_UTF8)) {
        consoleCodePage = previous;
        std::atexit(restoreConsoleCodePage);
    }
    for (const StandardStream stream : {StandardStream::Output, StandardStream::Error}) {
        const HANDLE handle = handleOf(stream);
        DWORD mode = 0;
        if (GetConsoleMode(handle, &mode))
            SetConsoleMode(handle, mode | ENABLE_PROCESSED_OUTPUT | ENABLE_VIRTUAL_TERMINAL_PROCESSING);
    }
}

bool isTerminal(StandardStream stream) { return isConsole(handleOf(stream)); }

}  // namespace vantrel
