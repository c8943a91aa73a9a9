#include "util/environment.h"

#include <windows.h>
#include <shellapi.h>

#include <cstdlib>

#include "util/wide_text.h"

namespace vantrel {

std::vector<std::string> programArguments(int argc, char** argv) {
    int count = 0;
    wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
    // Should the system not split its own command line, the narrow arguments
    // are better than none.
    if (!wide) return {argv, argv + argc};
    std::vector<std::string> arguments;
    arguments.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) arguments.push_back(utf8FromWide(wide[i]));
    LocalFree(wide);
    return arguments;
}

std::optional<std::string> environmentValue(const char* name) {
    const wchar_t* value = _wgetenv(wideFromUtf8(name).c_str());
    if (!value) return std::nullopt;
    return utf8FromWide(value);
}

// The C run-time keeps its own copy of the environment, which _wgetenv reads,
// and passes changes on to the system's, which new processes inherit.
void setEnvironmentValue(const char* name, const std::string& value) {
    _wputenv_s(wideFromUtf8(name).c_str(), wideFromUtf8(value).c_str());
}

void removeEnvironmentValue(const char* name) { _wputenv_s(wideFromUtf8(name).c_str(), L""); }

}  // namespace vantrel
