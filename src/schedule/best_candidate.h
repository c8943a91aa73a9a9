// The candidate of a selection that sits best inside the loading windows:
// for a schedule, where an engineer wants one distributor per coil, the one
// with the most margin on both sides of its loads.
#pragma once

#include <cstddef>
#include <vector>

#include "catalog/vantrel_data.h"

namespace vantrel {

/// How far a candidate's loads lie from the middle of the windows its search
/// used, each as a fraction of the window's half width: 0 in the middle, 1 at
/// an edge. A venturi body has no nozzle window, so only its tube counts.
struct WindowPosition {
    double worst = 0.0;  ///< the larger of the tube's and the nozzle's
    double sum = 0.0;    ///< both together
};

WindowPosition windowPosition(const Found& candidate, const SearchResult& search);

/// The index in `search.found` of the best candidate: the smallest `worst`,
/// then the smallest `sum`, then the first found. Only the candidates the
/// selection listed count when `listed` is given (one flag per candidate; a
/// model found twice is listed once). kNoCandidate when none counts.
std::size_t bestCandidate(const SearchResult& search, const std::vector<bool>* listed = nullptr);

inline constexpr std::size_t kNoCandidate = static_cast<std::size_t>(-1);

}  // namespace vantrel
