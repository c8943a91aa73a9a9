#include "util/environment.h"

#include <cstdlib>

namespace vantrel {

std::vector<std::string> programArguments(int argc, char** argv) { return {argv, argv + argc}; }

std::optional<std::string> environmentValue(const char* name) {
    const char* value = std::getenv(name);
    if (!value) return std::nullopt;
    return std::string(value);
}

void setEnvironmentValue(const char* name, const std::string& value) { ::setenv(name, value.c_str(), 1); }

void removeEnvironmentValue(const char* name) { ::unsetenv(name); }

}  // namespace vantrel
