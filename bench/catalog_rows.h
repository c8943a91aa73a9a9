// Realistic output-list rows for the list benchmarks: the records the shipped
// catalog returns over a spread of duties, rated again at varied conditions.
#pragma once

#include <string>
#include <vector>

#include "engine/dist.h"

namespace vantrel::bench {

/// Every part the catalog at `venturiFile` / `nozzleFile` offers over a
/// spread of circuits, tube sizes and capacities at R-22, 40 °F suction,
/// 100 °F liquid and 30 in tubes, once each, in the order found.
std::vector<dist> catalogRecords(const std::string& venturiFile, const std::string& nozzleFile);

/// `count` result lines, no two of them the same row of the list: the
/// records taken in turn, each round through them rated at other
/// conditions (refrigerant, suction, liquid, tube length and a capacity
/// that grows by 0.01 ton a round). Fewer when the records run out of
/// conditions they can be rated at.
std::vector<std::string> distinctResultLines(const std::vector<dist>& records, std::size_t count);

}  // namespace vantrel::bench
