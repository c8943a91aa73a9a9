#include "catalog/vantrel_data.h"

#include <filesystem>

namespace vantrel {

MissingCatalogs locateCatalogFiles(VantrelData& data, const std::string& rootDir) {
    namespace fs = std::filesystem;
    auto locate = [&rootDir](const std::string& bareName, std::string& name) {
        std::error_code error;
        if (fs::is_regular_file(fs::u8path(bareName), error)) return true;
        if (rootDir.empty()) return false;
        // Paths are UTF-8 (folders like "Kühlräume"); Windows takes them wide.
        const fs::path underRoot = fs::u8path(rootDir) / bareName;
        if (!fs::is_regular_file(underRoot, error)) return false;
        name = underRoot.u8string();
        return true;
    };
    MissingCatalogs missing;
    missing.nozzle = !locate("nflo.csv", data.nozzleFile);
    missing.venturi = !locate("vflo.csv", data.venturiFile);
    return missing;
}

}  // namespace vantrel
