#include "large_catalog.h"

#include <chrono>
#include <filesystem>
#include <fstream>
#include <random>
#include <string_view>

#include "catalog/catalog_file.h"

namespace vantrel::bench {

namespace fs = std::filesystem;

bool writeRepeatedCatalog(const std::string& source, const std::string& target, int copies, std::string& error) {
    std::string content;
    if (!readWholeFile(source, content)) {
        error = "cannot read " + source;
        return false;
    }
    // Only the rows the search would see: anything after the first row
    // without a comma would hide every later copy.
    std::string rows;
    rows.reserve(content.size());
    forEachCatalogRow(content, [&rows](std::string_view line) {
        rows.append(line);
        rows += '\n';
        return true;
    });
    if (rows.empty()) {
        error = source + " has no catalog rows";
        return false;
    }
    std::ofstream out(target, std::ios::binary | std::ios::trunc);
    for (int i = 0; i < copies && out; ++i) out.write(rows.data(), static_cast<std::streamsize>(rows.size()));
    out.close();
    if (!out) {
        error = "cannot write " + target;
        return false;
    }
    return true;
}

ScratchDir::ScratchDir() {
    std::error_code ec;
    const fs::path base = fs::temp_directory_path(ec);
    if (ec) return;
    std::random_device entropy;
    const auto now = static_cast<unsigned long long>(std::chrono::steady_clock::now().time_since_epoch().count());
    for (int attempt = 0; attempt < 16; ++attempt) {
        const fs::path candidate = base / ("vantrel-bench-" + std::to_string(now) + "-" + std::to_string(entropy()));
        if (fs::create_directory(candidate, ec) && !ec) {
            path_ = candidate.string();
            return;
        }
    }
}

ScratchDir::~ScratchDir() {
    if (path_.empty()) return;
    std::error_code ec;
    fs::remove_all(path_, ec);
}

std::string ScratchDir::file(const std::string& name) const { return (fs::path(path_) / name).string(); }

}  // namespace vantrel::bench
