#include "catalog/vantrel_data.h"

#include <filesystem>

namespace vantrel {

MissingCatalogs locateCatalogFiles(VantrelData& data, const std::string& rootDir) {
    namespace fs = std::filesystem;
    auto locate = [&rootDir](const std::string& bareName, std::string& name) {
        std::error_code error;
        if (fs::is_regular_file(bareName, error)) return true;
        if (rootDir.empty()) return false;
        const std::string underRoot = (fs::path(rootDir) / bareName).string();
        if (!fs::is_regular_file(underRoot, error)) return false;
        name = underRoot;
        return true;
    };
    MissingCatalogs missing;
    missing.nozzle = !locate("nflo.csv", data.nozzleFile);
    missing.venturi = !locate("vflo.csv", data.venturiFile);
    return missing;
}

}  // namespace vantrel
