#include "catalog/vantrel_data.h"
#include "engine/number_text.h"
#include "i18n/translate.h"

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
    const bool nozzle = search.nozzle.searched && search.nozzle.found > 0 && search.nozzle.widened();
    const bool venturi = search.venturi.searched && search.venturi.found > 0 && search.venturi.widened();
    if (nozzle && venturi)
        return formatText(
            // TRANSLATORS: the loading windows are percentages of the rated capacity, e.g. "70-130 %".
            tr("Loading windows widened for nozzle models: nozzle %s, tube %s; venturi models: tube %s."),
            {rangeText(search.nozzle.nozzle), rangeText(search.nozzle.tube), rangeText(search.venturi.tube)});
    if (nozzle)
        return formatText(tr("Loading windows widened for nozzle models: nozzle %s, tube %s."),
                          {rangeText(search.nozzle.nozzle), rangeText(search.nozzle.tube)});
    if (venturi)
        return formatText(tr("Loading windows widened for venturi models: tube %s."), {rangeText(search.venturi.tube)});
    return {};
}

}  // namespace vantrel
