// Saves a PDF report of many rows and tells how much the save added to the
// process's peak memory, for the test that holds a report's memory flat
// whatever its page count (and for measuring it by hand).
//   vantrel_report_memory_tool <rows> <target.pdf>
// Prints "<added peak KiB> <file bytes>"; exit status 1 with the reason on
// standard error when the save fails, 2 on wrong arguments.
#include <sys/stat.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "render/pdf_report.h"

namespace {

// A "Vm...:   1234 kB" line of /proc/self/status.
long statusKiB(const char* field) {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind(field, 0) == 0) return std::atol(line.c_str() + std::string(field).size());
    return -1;
}

}  // namespace

int main(int argc, char** argv) {
    const long count = argc == 3 ? std::atol(argv[1]) : 0;
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
    // From here on the peak counts only what the save adds (resetting the
    // peak to the present use needs Linux 4.0).
    std::ofstream("/proc/self/clear_refs") << "5";
    const long before = statusKiB("VmRSS:");
    std::string error;
    if (!vantrel::writeReportPdf(rows, options, argv[2], error)) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 1;
    }
    struct stat file {};
    stat(argv[2], &file);
    std::printf("%ld %lld\n", statusKiB("VmHWM:") - before, static_cast<long long>(file.st_size));
    return 0;
}
