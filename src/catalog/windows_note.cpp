#include "catalog/vantrel_data.h"
#include "engine/number_text.h"

namespace vantrel {
namespace {

// "70", "62.5", "87.25": the windows to the hundredth of a percent they are typed in.
std::string percentText(double percent) {
    std::string text = formatFixed(percent, 0, 2);
    while (text.back() == '0') text.pop_back();
    if (text.back() == '.') text.pop_back();
    return text;
}

std::string rangeText(const LoadRange& range) {
    return percentText(range.lowPercent()) + "-" + percentText(range.highPercent()) + " %";
}

}  // namespace

std::string widenedWindowsNote(const SearchResult& search) {
    std::vector<std::string> parts;
    if (search.nozzle.searched && search.nozzle.found > 0 && search.nozzle.widened())
        parts.push_back("nozzle models: nozzle " + rangeText(search.nozzle.nozzle) + ", tube " +
                        rangeText(search.nozzle.tube));
    if (search.venturi.searched && search.venturi.found > 0 && search.venturi.widened())
        parts.push_back("venturi models: tube " + rangeText(search.venturi.tube));
    if (parts.empty()) return {};
    std::string note = "Loading windows widened for " + parts[0];
    if (parts.size() > 1) note += "; " + parts[1];
    return note + ".";
}

}  // namespace vantrel
