// Result lines come back from the clipboard and from other programs' output.
// A record read from a line must write a line that reads back, and a second
// pass must change nothing: otherwise copying results drifts with each trip.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "engine/result_line.h"
#include "fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view line(reinterpret_cast<const char*>(data), size);
    vantrel::dist first;
    if (!vantrel::parseResultLine(line, first)) return 0;

    const std::string written = first.makeResultLine();
    vantrel::dist second;
    FUZZ_CHECK(vantrel::parseResultLine(written, second));

    const std::string rewritten = second.makeResultLine();
    if (rewritten != written) {
        std::fprintf(stderr, "first:  %s\nsecond: %s\n", written.c_str(), rewritten.c_str());
    }
    FUZZ_CHECK(rewritten == written);
    return 0;
}
