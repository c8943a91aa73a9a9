// Refrigerant tables are written by hand and read at every start, so no bytes
// may stop the programs: whatever the text, each line the reader refuses is
// reported once by its line, in file order, and what it adds keeps every rule
// the engine, the lists and the documents rely on.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz_check.h"
#include "refrigerants/refrigerant_table.h"
#include "util/plain_text.h"

namespace {

void checkProblems(const std::vector<std::string>& problems) {
    int previous = 0;
    for (const std::string& problem : problems) {
        FUZZ_CHECK(problem.rfind("line ", 0) == 0);
        const int line = std::atoi(problem.c_str() + 5);
        FUZZ_CHECK(line > previous);
        FUZZ_CHECK(problem.find_first_of("\r\n") == std::string::npos);
        previous = line;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::vector<std::string> ten(vantrel::kRefrigerants.begin(), vantrel::kRefrigerants.end());

    std::vector<std::string> componentProblems;
    const std::vector<vantrel::ComponentGwp> components = vantrel::readComponentText(text, componentProblems);
    checkProblems(componentProblems);
    for (const vantrel::ComponentGwp& component : components)
        FUZZ_CHECK(component.gwp >= 0 && !component.source.empty());

    const vantrel::RefrigerantFileRead read = vantrel::readRefrigerantText(text, ten, components, size % 2 == 1);
    checkProblems(read.problems);
    int previous = 1;
    for (const auto& [line, row] : read.rows) {
        FUZZ_CHECK(line > previous);
        previous = line;
        FUZZ_CHECK(!row.name.empty() && row.name.size() <= 19);
        FUZZ_CHECK(row.name.find_first_of(",;\" \t\r\n") == std::string::npos);
        FUZZ_CHECK(row.group != vantrel::RefrigerantGroup::Unknown);
        FUZZ_CHECK(row.factor >= 0.2 && row.factor <= 3.0);
        FUZZ_CHECK(!row.gwp || (std::isfinite(*row.gwp) && *row.gwp >= 0));
        FUZZ_CHECK(!row.source.empty());
        // The free texts reach the listing and the warning as they are: no
        // control character, nothing that is not UTF-8, no tab or line break.
        for (const std::string* text : {&row.source, &row.composition})
            FUZZ_CHECK(vantrel::isPlainText(*text) && text->find_first_of("\t\r\n") == std::string::npos);
        FUZZ_CHECK(row.composition.empty() || vantrel::parseComposition(row.composition));
        for (const std::string& known : ten) FUZZ_CHECK(row.name != known);
    }

    if (const auto blend = vantrel::parseComposition(text)) {
        double total = 0;
        for (const vantrel::BlendComponent& part : *blend) {
            FUZZ_CHECK(part.percent > 0 && part.percent <= 100);
            total += part.percent;
        }
        FUZZ_CHECK(std::fabs(total - 100) <= 0.1 + 1e-9);
    }
    return 0;
}
