#include "schedule/best_candidate.h"

#include <algorithm>
#include <cmath>

namespace vantrel {
namespace {

// A window is measured between its two edges in whichever order the limits
// gave them, so a minimum typed above the maximum measures the same window
// as the two the right way round. A window whose edges meet has no half
// width; the distance from its middle then counts as it is, never as a
// division by zero.
double deviation(double load, const LoadRange& window) {
    const double middle = (window.low + window.high) / 2;
    const double half = std::fabs(window.high - window.low) / 2;
    const double distance = std::fabs(load - middle);
    return half > 0 ? distance / half : distance;
}

}  // namespace

WindowPosition windowPosition(const Found& candidate, const SearchResult& search) {
    WindowPosition position;
    if (candidate.nozzle) {
        const double tube = deviation(candidate.tubeLoad, search.nozzle.tube);
        const double nozzle = deviation(candidate.nozzleLoad, search.nozzle.nozzle);
        position.worst = std::max(tube, nozzle);
        position.sum = tube + nozzle;
    } else {
        position.worst = position.sum = deviation(candidate.tubeLoad, search.venturi.tube);
    }
    return position;
}

std::size_t bestCandidate(const SearchResult& search, const std::vector<bool>* listed) {
    std::size_t best = kNoCandidate;
    WindowPosition bestPosition;
    for (std::size_t i = 0; i < search.found.size(); ++i) {
        if (listed && (i >= listed->size() || !(*listed)[i])) continue;
        const WindowPosition position = windowPosition(search.found[i], search);
        if (best == kNoCandidate || position.worst < bestPosition.worst ||
            (position.worst == bestPosition.worst && position.sum < bestPosition.sum)) {
            best = i;
            bestPosition = position;
        }
    }
    return best;
}

}  // namespace vantrel
