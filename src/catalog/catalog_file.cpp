#include "catalog/catalog_file.h"

#include <cstdio>
#include <memory>

namespace vantrel {

bool readWholeFile(const std::string& path, std::string& content) {
    content.clear();
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "rb"), &std::fclose);
    if (!file) return false;
    char buffer[65536];
    std::size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, file.get())) > 0) content.append(buffer, got);
    return std::ferror(file.get()) == 0;
}

}  // namespace vantrel
