#include "command_output.h"

#include <cstdio>

namespace vantrel::test {

std::string commandOutput(const std::string& command) {
    std::string text;
    if (FILE* pipe = ::popen(command.c_str(), "r")) {
        char buffer[4096];
        std::size_t got = 0;
        while ((got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) text.append(buffer, got);
        ::pclose(pipe);
    }
    return text;
}

}  // namespace vantrel::test
