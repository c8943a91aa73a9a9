// Saves a PDF report of many rows and tells how much the save added to the
// process's peak memory, for the test that holds a report's memory flat
// whatever its page count (and for measuring it by hand).
//   vantrel_report_memory_tool <rows> <target.pdf>
// Prints "<added peak KiB> <file bytes>"; exit status 1 with the reason on
// standard error when the save fails, 2 on wrong arguments.
#ifdef _WIN32
#include <windows.h>
#include <psapi.h>
#endif

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "render/pdf_report.h"
#include "util/console.h"
#include "util/environment.h"

namespace {

#ifdef _WIN32
// Windows keeps one peak for the process's life, so the save's share is its
// peak working set less the working set before it began.
long presentKiB() {
    PROCESS_MEMORY_COUNTERS counters{};
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
    return static_cast<long>(counters.WorkingSetSize / 1024);
}
long peakKiB() {
    PROCESS_MEMORY_COUNTERS counters{};
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
    return static_cast<long>(counters.PeakWorkingSetSize / 1024);
}
#else
// A "Vm...:   1234 kB" line of /proc/self/status.
long statusKiB(const char* field) {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind(field, 0) == 0) return std::atol(line.c_str() + std::string(field).size());
    return -1;
}
// From here on the peak counts only what the save adds (resetting the
// peak to the present use needs Linux 4.0).
long presentKiB() {
    std::ofstream("/proc/self/clear_refs") << "5";
    return statusKiB("VmRSS:");
}
long peakKiB() { return statusKiB("VmHWM:"); }
#endif

}  // namespace

int main(int argc, char** argv) {
    vantrel::prepareStandardStreams();
    const std::vector<std::string> arguments = vantrel::programArguments(argc, argv);
    const long count = arguments.size() == 3 ? std::atol(arguments[1].c_str()) : 0;
    if (count <= 0) {
        std::fputs("usage: vantrel_report_memory_tool <rows> <target.pdf>\n", stderr);
        return 2;
    }
    // A model of its own per row: a block each, a few rows to a page, so the
    // pages (and the file) grow fastest for the rows held.
    vantrel::ResultTable rows;
    for (long i = 0; i < count; ++i) {
        const std::string n = std::to_string(i);
        rows.append({i % 2 ? "Nozzle" : "Venturi", "M" + n, "R-22", n + ".25", "40.0", "100.0", "30.00", "35.0",
                     "20.0", "101.3", "15.0", "99.2", "7/8 ODF", "1/4 OD", "6", "3", "Fixed", "None", ""});
    }
    vantrel::ReportOptions options;
    options.created = {2031, 3, 4, 5, 6, 7};
    const long before = presentKiB();
    std::string error;
    if (!vantrel::writeReportPdf(rows, options, arguments[2], error)) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 1;
    }
    std::error_code noSize;
    const auto bytes = std::filesystem::file_size(std::filesystem::u8path(arguments[2]), noSize);
    std::printf("%ld %lld\n", peakKiB() - before, static_cast<long long>(noSize ? 0 : bytes));
    return 0;
}
