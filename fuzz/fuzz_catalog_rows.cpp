// Catalog files are plain text a user may edit, so every row the reader hands
// out must be safe to give to either row parser, whatever catalog it came from.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "catalog/catalog_file.h"
#include "catalog/vantrel_data.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view content(reinterpret_cast<const char*>(data), size);
    const vantrel::VantrelData catalog;
    vantrel::forEachCatalogRow(content, [&catalog](std::string_view line) {
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
    return 0;
}
