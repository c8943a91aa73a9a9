// Schedules are written by hand and by spreadsheets, and opened from
// anywhere. Whatever the bytes, the reader must account for every line it
// reads, keep file order, and hand Select and Rate only choices they know.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <set>
#include <string>
#include <string_view>

#include "form/form_lists.h"
#include "fuzz_check.h"
#include "schedule/schedule.h"

namespace {

// The physical lines of the text, counted as the reader counts them.
int physicalLines(std::string_view text) {
    int lines = 1;
    for (std::size_t i = 0; i < text.size(); ++i)
        if (text[i] == '\n' || (text[i] == '\r' && (i + 1 >= text.size() || text[i + 1] != '\n'))) ++lines;
    return lines;
}

bool withinList(int position, std::size_t size) { return position >= 0 && static_cast<std::size_t>(position) < size; }

void checkDuty(const vantrel::ScheduleDuty& duty) {
    const vantrel::FormInputs& inputs = duty.inputs;
    const auto& refrigerants = vantrel::lists::refrigerants();
    FUZZ_CHECK(std::find(refrigerants.begin(), refrigerants.end(), inputs.refrigerant) != refrigerants.end());
    FUZZ_CHECK(withinList(inputs.inletSize, vantrel::lists::inletSizes().size()));
    FUZZ_CHECK(withinList(inputs.tubeSize, vantrel::lists::tubeSizes().size()));
    FUZZ_CHECK(withinList(inputs.nozzleSize, vantrel::lists::nozzleSizes().size()));
    FUZZ_CHECK(duty.rate == !inputs.partNumber.empty());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const vantrel::ScheduleRead read = vantrel::readScheduleText(text, size % 2 == 1);
    const vantrel::Schedule& schedule = read.schedule;
    if (!read.error.empty()) {
        FUZZ_CHECK(schedule.duties.empty() && schedule.errors.empty() && schedule.lines == 0);
        return 0;
    }
    FUZZ_CHECK(schedule.lines > 0);

    const int lastLine = physicalLines(text);
    std::set<int> errorLines;
    int previous = 0;
    for (const vantrel::ScheduleLineError& error : schedule.errors) {
        FUZZ_CHECK(error.line >= previous && error.line > 1 && error.line <= lastLine);
        FUZZ_CHECK(!error.fault.empty());
        FUZZ_CHECK(error.message == vantrel::lineLabel(error.line, error.tag) + ": " + error.fault);
        FUZZ_CHECK(error.message.find_first_of("\r\n") == std::string::npos);
        previous = error.line;
        errorLines.insert(error.line);
    }
    previous = 0;
    for (const vantrel::ScheduleDuty& duty : schedule.duties) {
        FUZZ_CHECK(duty.line > previous && duty.line <= lastLine);
        FUZZ_CHECK(errorLines.count(duty.line) == 0);
        checkDuty(duty);
        previous = duty.line;
    }
    // Every line read is a duty or has its faults, and nothing else.
    FUZZ_CHECK(schedule.duties.size() + errorLines.size() == schedule.lines);

    int visited = 0;
    int lastVisited = 0;
    auto visit = [&](int line) {
        FUZZ_CHECK(line >= lastVisited);
        lastVisited = line;
        ++visited;
    };
    vantrel::visitInLineOrder(
        schedule, [&](const vantrel::ScheduleDuty& duty) { visit(duty.line); },
        [&](const vantrel::ScheduleLineError& error) { visit(error.line); });
    FUZZ_CHECK(static_cast<std::size_t>(visited) == schedule.duties.size() + schedule.errors.size());
    return 0;
}
