#include "catalog_rows.h"

#include <set>

#include "catalog/vantrel_data.h"
#include "engine/result_line.h"

namespace vantrel::bench {

std::vector<dist> catalogRecords(const std::string& venturiFile, const std::string& nozzleFile) {
    VantrelData data;
    data.venturiFile = venturiFile;
    data.nozzleFile = nozzleFile;
    std::set<std::string> seen;
    std::vector<dist> records;
    for (const int circuits : {2, 3, 4, 6, 8, 12, 16, 20}) {
        for (int tube = 1; tube <= 6; ++tube) {
            for (const double capacity : {1.0, 4.0, 10.0, 25.0}) {
                SearchRequest request;
                request.distributorType = DistributorType::Either;
                request.refrigerant = "R-22";
                request.suctionTemp = 40;
                request.liquidTemp = 100;
                request.tubeLength = 30;
                request.sidePort = SidePort::None;
                request.circuits = circuits;
                request.tubeNumber = tube;
                request.capacity = capacity;
                std::vector<std::string> lines;
                int count = 0;
                if (data.findModel(request, lines, count) != code::kOk) continue;
                for (const std::string& line : lines) {
                    dist d;
                    if (parseResultLine(line, d) && seen.insert(d.partNumber).second) records.push_back(d);
                }
            }
        }
    }
    return records;
}

std::vector<std::string> distinctResultLines(const std::vector<dist>& records, std::size_t count) {
    // Conditions a schedule plausibly holds; the round number picks one of
    // each, so neighbouring rows of a column differ and sorting has work.
    static const char* const kRefrigerants[] = {"R-22", "R-134a", "R-404A", "R-410A", "R-407C", "R-507"};
    static const double kSuction[] = {40, 20, 45, -10, 30, 0, 35};
    static const double kLiquid[] = {100, 90, 110, 105, 95};
    static const double kLength[] = {30, 24, 36, 18, 42, 48};
    std::vector<std::string> lines;
    if (records.empty()) return lines;
    lines.reserve(count);
    // A capacity 0.01 ton higher each round makes every round's capacity
    // text new in U.S. units; in SI, where a round's step can vanish in the
    // rounding to 0.1 kW, the conditions differ, since rounds with the same
    // conditions lie 210 rounds and so 2.1 tons apart.
    for (std::size_t j = 0; lines.size() < count && j < count * 4; ++j) {
        const std::size_t round = j / records.size();
        dist d = records[j % records.size()];
        const double capacity = (d.capacity > 0 ? d.capacity : 1.0) + 0.01 * static_cast<double>(round);
        const int status =
            d.rate(kRefrigerants[round % 6], capacity, kSuction[round % 7], kLiquid[round % 5], kLength[round % 6]);
        if (status != code::kOk) continue;
        lines.push_back(d.makeResultLine());
    }
    return lines;
}

}  // namespace vantrel::bench
