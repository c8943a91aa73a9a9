// Running programs and reading this process's memory on Windows.
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cwchar>
#include <cwctype>
#include <filesystem>
#include <map>
#include <stdexcept>

#include "test_support.h"
#include "util/environment.h"
#include "util/wide_text.h"

namespace vantrel::test {
namespace {

// One argument as the C run-time splits a command line back into argv:
// quoted when it holds blanks or quotes, backslashes doubled before a quote.
std::wstring quotedArgument(const std::wstring& argument) {
    if (!argument.empty() && argument.find_first_of(L" \t\n\v\"") == std::wstring::npos) return argument;
    std::wstring quoted = L"\"";
    std::size_t backslashes = 0;
    for (const wchar_t c : argument) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        quoted.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
        backslashes = 0;
        quoted += c;
    }
    quoted.append(backslashes * 2, L'\\');
    return quoted + L"\"";
}

std::wstring upper(std::wstring text) {
    for (wchar_t& c : text) c = static_cast<wchar_t>(std::towupper(c));
    return text;
}

// This process's environment with the options' changes, as the block
// CreateProcessW takes: "NAME=value" texts, each ended by a NUL, sorted by
// name without regard to case, then one more NUL.
std::wstring environmentBlock(const RunOptions& options) {
    std::map<std::wstring, std::wstring> variables;  // upper-case name -> "Name=value"
    if (wchar_t* block = GetEnvironmentStringsW()) {
        for (const wchar_t* entry = block; *entry; entry += std::wcslen(entry) + 1) {
            const std::wstring text = entry;
            const std::size_t equals = text.find(L'=', 1);  // "=C:=C:\\x" names start with '='
            variables[upper(text.substr(0, equals))] = text;
        }
        FreeEnvironmentStringsW(block);
    }
    for (const auto& [name, value] : options.environment) {
        const std::wstring wideName = wideFromUtf8(name);
        if (value) {
            variables[upper(wideName)] = wideName + L"=" + wideFromUtf8(*value);
        } else {
            variables.erase(upper(wideName));
        }
    }
    std::wstring block;
    for (const auto& [key, entry] : variables) block += entry + L'\0';
    return block + L'\0';
}

HANDLE inheritableFile(const std::wstring& path, DWORD access, DWORD disposition) {
    SECURITY_ATTRIBUTES security{sizeof security, nullptr, TRUE};
    return CreateFileW(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, &security,
                       disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
}

}  // namespace

ChildProcess::ChildProcess(const std::vector<std::string>& command, const RunOptions& options) {
    std::wstring line;
    for (const std::string& argument : command) line += (line.empty() ? L"" : L" ") + quotedArgument(wideFromUtf8(argument));
    std::wstring environment = environmentBlock(options);
    const HANDLE in = inheritableFile(L"NUL", GENERIC_READ, OPEN_EXISTING);
    const HANDLE out = inheritableFile(wideFromUtf8(scratch_.path() + "\\out"), GENERIC_WRITE, CREATE_ALWAYS);
    const HANDLE err = inheritableFile(wideFromUtf8(scratch_.path() + "\\err"), GENERIC_WRITE, CREATE_ALWAYS);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = in;
    startup.hStdOutput = out;
    startup.hStdError = err;
    PROCESS_INFORMATION process{};
    const std::wstring folder = wideFromUtf8(options.folder);
    // Under Wine a start fails now and then with an internal error when many
    // programs start at once (ctest -j): such a start is tried again.
    bool started = false;
    DWORD failure = 0;
    for (int attempt = 0; attempt < 5 && !started; ++attempt) {
        if (attempt > 0) Sleep(100);
        started = CreateProcessW(nullptr, line.data(), nullptr, nullptr, TRUE, CREATE_UNICODE_ENVIRONMENT,
                                 environment.data(), folder.empty() ? nullptr : folder.c_str(), &startup,
                                 &process) != 0;
        failure = started ? 0 : GetLastError();
        if (failure != ERROR_INTERNAL_ERROR) break;
    }
    for (const HANDLE handle : {in, out, err})
        if (handle != INVALID_HANDLE_VALUE) CloseHandle(handle);
    if (!started) {
        RunResult result;
        result.exitCode = 127;
        result.err = "cannot start " + command.front() + ": system error " + std::to_string(failure) + "\n";
        result_ = result;
        return;
    }
    CloseHandle(process.hThread);
    handle_ = reinterpret_cast<std::intptr_t>(process.hProcess);
    pid_ = process.dwProcessId;
}

RunResult ChildProcess::wait() {
    if (result_) return *result_;
    RunResult result;
    const HANDLE process = reinterpret_cast<HANDLE>(handle_);
    WaitForSingleObject(process, INFINITE);
    DWORD code = 0;
    if (GetExitCodeProcess(process, &code)) result.exitCode = static_cast<int>(code);
    PROCESS_MEMORY_COUNTERS counters{};
    if (GetProcessMemoryInfo(process, &counters, sizeof counters))
        result.peakKib = static_cast<long>(counters.PeakWorkingSetSize / 1024);
    CloseHandle(process);
    result.out = fileText(scratch_.path() + "\\out");
    result.err = fileText(scratch_.path() + "\\err");
    result_ = result;
    return result;
}

unsigned long currentProcessId() { return GetCurrentProcessId(); }

std::string missingTool(const std::string& name) {
    const std::string path = environmentText("PATH");
    std::size_t start = 0;
    while (start <= path.size()) {
        const std::size_t end = std::min(path.find(';', start), path.size());
        const std::string folder = path.substr(start, end - start);
        std::error_code error;
        if (!folder.empty() && std::filesystem::is_regular_file(std::filesystem::u8path(folder + "\\" + name + ".exe"), error))
            return {};
        start = end + 1;
    }
    return name + ".exe is not on PATH; the test needs it";
}

long peakMemoryKib() {
    PROCESS_MEMORY_COUNTERS counters{};
    if (!GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters)) return 0;
    return static_cast<long>(counters.PeakWorkingSetSize / 1024);
}

// Windows keeps a process's peak for its whole life.
void resetPeakMemory() {}

}  // namespace vantrel::test
