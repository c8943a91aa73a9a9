#include "util/files.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <system_error>

namespace vantrel {
namespace fs = std::filesystem;

bool readWholeFile(const std::string& path, std::string& content) {
    content.clear();
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "rb"), &std::fclose);
    if (!file) return false;
    char buffer[65536];
    std::size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, file.get())) > 0) content.append(buffer, got);
    return std::ferror(file.get()) == 0;
}

bool replaceFile(const std::string& path, const std::string& content, std::string* error) {
    auto fail = [error](const std::string& reason) {
        if (error) *error = reason;
        return false;
    };
    std::error_code code;
    const fs::path target = fs::u8path(path);
    if (target.has_parent_path()) fs::create_directories(target.parent_path(), code);
    fs::path temporary = target;
    temporary += ".new";
    {
        errno = 0;
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        if (!out) return fail(errno ? std::strerror(errno) : "the file cannot be created");
        out << content;
        out.flush();
        if (!out) {
            const std::string reason = errno ? std::strerror(errno) : "the file cannot be written";
            out.close();
            fs::remove(temporary, code);
            return fail(reason);
        }
    }
    fs::rename(temporary, target, code);
    if (code) {
        const std::string reason = code.message();
        fs::remove(temporary, code);
        return fail(reason);
    }
    return true;
}

}  // namespace vantrel
