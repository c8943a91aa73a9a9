// Catalog files are plain text a user may edit, so every row the reader hands
// out must be safe to give to either row parser, whatever catalog it came from.
// The search reads rows its own way, finding a row's commas in the compares
// that find its end: it must see the same rows, and a search over any text
// must end without fault.
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "catalog/catalog_file.h"
#include "catalog/vantrel_data.h"
#include "fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view content(reinterpret_cast<const char*>(data), size);
    const vantrel::VantrelData catalog;
    std::vector<std::string_view> rows;
    vantrel::forEachCatalogRow(content, [&catalog, &rows](std::string_view line) {
        rows.push_back(line);
        vantrel::dist venturi;
        if (catalog.parseVenturiRow(line, venturi)) {
            // A parsed record goes straight into result lines; building one must hold too.
            (void)venturi.makeResultLine();
        }
        vantrel::dist nozzle;
        int minCircuits = 0;
        int maxCircuits = 0;
        if (catalog.parseNozzleRow(line, nozzle, minCircuits, maxCircuits)) (void)nozzle.makeResultLine();
        return true;
    });

    std::size_t row = 0;
    vantrel::forEachCatalogRowWithCommas<6>(
        content, [&rows, &row](std::string_view line, const vantrel::RowCommas<6>& commas) {
            FUZZ_CHECK(row < rows.size() && line.data() == rows[row].data() && line == rows[row]);
            std::size_t from = 0;
            for (int i = 0; i < commas.count; ++i) {
                FUZZ_CHECK(line.find(',', from) == commas.at[i]);
                from = commas.at[i] + 1;
            }
            FUZZ_CHECK(commas.count == 6 || line.find(',', from) == std::string_view::npos);
            ++row;
            return true;
        });
    FUZZ_CHECK(row == rows.size());

    // The text as both catalogs, for a duty that rates every row it can.
    vantrel::LoadedCatalog loaded;
    loaded.venturi.assign(content);
    loaded.nozzle.assign(content);
    loaded.venturiRead = loaded.nozzleRead = true;
    vantrel::SearchRequest request;
    request.refrigerant = "R-22";
    request.capacity = 10;
    request.circuits = 8;
    request.suctionTemp = 40;
    request.liquidTemp = 100;
    request.tubeLength = 30;
    request.sidePort = vantrel::SidePort::Any;
    const vantrel::SearchResult result = catalog.search(request, loaded);
    FUZZ_CHECK(result.venturi.found + result.nozzle.found == static_cast<int>(result.found.size()));
    for (std::size_t i = 0; i < result.found.size(); ++i) (void)result.record(i).makeResultLine();
    return 0;
}
