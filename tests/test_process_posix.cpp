// Running programs and reading this process's memory on POSIX systems.
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <stdexcept>

#include "test_support.h"

namespace vantrel::test {

ChildProcess::ChildProcess(const std::vector<std::string>& command, const RunOptions& options) {
    const std::string outPath = scratch_.path() + "/out";
    const std::string errPath = scratch_.path() + "/err";
    const pid_t child = fork();
    if (child < 0) throw std::runtime_error("fork failed");
    if (child == 0) {
        std::FILE* in = std::freopen("/dev/null", "r", stdin);
        std::FILE* out = std::freopen(outPath.c_str(), "w", stdout);
        std::FILE* err = std::freopen(errPath.c_str(), "w", stderr);
        if (!in || !out || !err) _exit(127);
        for (const auto& [name, value] : options.environment) {
            if (value) {
                setenv(name.c_str(), value->c_str(), 1);
            } else {
                unsetenv(name.c_str());
            }
        }
        if (!options.folder.empty() && chdir(options.folder.c_str()) != 0) _exit(127);
        std::vector<std::string> copies(command);
        std::vector<char*> argv;
        for (std::string& argument : copies) argv.push_back(argument.data());
        argv.push_back(nullptr);
        execvp(argv[0], argv.data());
        _exit(127);
    }
    handle_ = child;
    pid_ = static_cast<unsigned long>(child);
}

RunResult ChildProcess::wait() {
    if (result_) return *result_;
    RunResult result;
    int status = 0;
    struct rusage usage {};
    if (wait4(static_cast<pid_t>(handle_), &status, 0, &usage) == static_cast<pid_t>(handle_)) {
        result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        result.signal = WIFSIGNALED(status) ? WTERMSIG(status) : 0;
        result.peakKib = usage.ru_maxrss;
    }
    result.out = fileText(scratch_.path() + "/out");
    result.err = fileText(scratch_.path() + "/err");
    result_ = result;
    return result;
}

unsigned long currentProcessId() { return static_cast<unsigned long>(getpid()); }

std::string missingTool(const std::string&) { return {}; }

long peakMemoryKib() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.rfind("VmHWM:", 0) == 0) return std::stol(line.substr(6));
    }
    return 0;
}

void resetPeakMemory() {
    std::ofstream clear("/proc/self/clear_refs");
    clear << "5";
}

}  // namespace vantrel::test
