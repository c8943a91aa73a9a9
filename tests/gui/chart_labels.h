// Whether the chart window's labels show whole, on every system the GUI
// tests run on.
#pragma once

#include <string>
#include <vector>

namespace vantrel {
class ChartDialog;
}

namespace vantrel::test {

/// Each label of `chart` narrower than its text as the label itself draws it
/// (its own font, its system's measure), for each choice of sweep (their
/// units differ), as "sweep N: text: shown W px, needs M px"; empty when
/// every label shows whole. Leaves the first sweep chosen.
std::vector<std::string> clippedChartLabels(ChartDialog& chart);

}  // namespace vantrel::test
