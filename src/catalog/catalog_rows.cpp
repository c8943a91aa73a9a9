#include "catalog/vantrel_data.h"

#include "catalog/catalog_rows.h"

namespace vantrel {

using namespace detail;

bool VantrelData::parseVenturiRow(std::string_view line, dist& d) const {
    VenturiRow row;
    if (!readVenturiRow(line, row)) return false;
    storeVenturiTexts(row, d);
    storeVenturiNumbers(row, d);
    return true;
}

bool VantrelData::parseNozzleRow(std::string_view line, dist& d, int& minCircuits, int& maxCircuits) const {
    NozzleRow row;
    if (!readNozzleRow(line, row)) return false;
    storeNozzleNumbers(row, d);
    storeNozzleTexts(row, d);
    d.setSideConnection();
    minCircuits = row.minCircuits;
    maxCircuits = row.maxCircuits;
    return true;
}

}  // namespace vantrel
