#include "app/version_record.h"

#include <utility>

#include "version.h"

#ifdef _WIN32
#include <windows.h>

#include "util/wide_text.h"

#include <cstdio>
#include <cstring>
#include <filesystem>
#ifdef _MSC_VER
#pragma comment(lib, "version.lib")
#endif
#endif

namespace vantrel {

namespace {

// A UTF-8 continuation byte (10xxxxxx) never starts a character.
bool startsCharacter(unsigned char byte) { return (byte & 0xC0) != 0x80; }

}  // namespace

const VersionRecord& buildVersionRecord() {
    static const VersionRecord record = {
        {"CompanyName", "Vantrel, Inc."},
        {"FileDescription", "Vantrel Distributor Selection and Rating"},
        {"FileVersion", VANTREL_VERSION},
        {"InternalName", "vantrel"},
        {"LegalCopyright", "Copyright \xC2\xA9 2026 Vantrel, Inc. All rights reserved."},
        {"LegalTrademarks", "Operating system names are trademarks of their respective owners."},
#ifdef _WIN32
        {"OriginalFilename", "vantrel.exe"},
#else
        {"OriginalFilename", "vantrel"},
#endif
        {"ProductName", "Vantrel"},
        {"ProductVersion", VANTREL_VERSION},
    };
    return record;
}

TProjectRCVersion::TProjectRCVersion(const std::string& modulePath) {
#ifdef _WIN32
    // The wide-character calls take the path exactly as given, so no
    // character-set conversion of the file name is needed.
    const std::wstring path = std::filesystem::u8path(modulePath).wstring();
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(path.c_str(), &ignored);
    if (size == 0) return;
    std::vector<unsigned char> data(size);
    if (!GetFileVersionInfoW(path.c_str(), 0, size, data.data())) return;
    void* entry = nullptr;
    UINT length = 0;
    if (!VerQueryValueW(data.data(), L"\\VarFileInfo\\Translation", &entry, &length) || length < sizeof(DWORD)) return;
    // The entry keeps the language in its low half; string queries name the
    // language first, so swap the halves once here.
    DWORD* first = static_cast<DWORD*>(entry);
    *first = static_cast<DWORD>(MAKELONG(HIWORD(*first), LOWORD(*first)));
    translation_ = *first;
    versionData_ = std::move(data);
#else
    (void)modulePath;
    record_ = buildVersionRecord();
#endif
}

TProjectRCVersion::TProjectRCVersion(std::optional<VersionRecord> record) : record_(std::move(record)) {}

bool TProjectRCVersion::GetValue(const char* key, std::string& value) const {
    if (record_) {
        const auto found = record_->find(key);
        if (found == record_->end()) return false;
        value = found->second;
        return true;
    }
#ifdef _WIN32
    if (versionData_.empty()) return false;
    char narrow[128];
    std::snprintf(narrow, sizeof narrow, "\\StringFileInfo\\%08lx\\%s", static_cast<unsigned long>(translation_), key);
    const std::wstring subBlock(narrow, narrow + std::strlen(narrow));
    void* text = nullptr;
    UINT length = 0;
    if (!VerQueryValueW(versionData_.data(), subBlock.c_str(), &text, &length)) return false;
    value = length == 0 ? std::string() : utf8FromWide(static_cast<const wchar_t*>(text));
    return true;
#else
    return false;
#endif
}

bool TProjectRCVersion::GetProductName(std::string& value) const { return GetValue("ProductName", value); }

bool TProjectRCVersion::GetProductVersion(std::string& value) const { return GetValue("ProductVersion", value); }

bool TProjectRCVersion::GetCopyright(std::string& value) const { return GetValue("LegalCopyright", value); }

bool TProjectRCVersion::GetSpecialBuild(std::string& value) const { return GetValue("SpecialBuild", value); }

std::string truncateUtf8(const std::string& text, std::size_t maxCharacters) {
    std::size_t characters = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (!startsCharacter(static_cast<unsigned char>(text[i]))) continue;
        if (characters == maxCharacters) return text.substr(0, i);
        ++characters;
    }
    return text;
}

std::string composeVersionLine(const TProjectRCVersion& version, const std::string& currentText) {
    std::string name;
    std::string number;
    if (!version.GetProductName(name) || !version.GetProductVersion(number)) return currentText;
    const std::string line = name + " " + truncateUtf8(currentText, kVersionLineReadLimit) + " " + number;
    return truncateUtf8(line, kVersionLineLimit);
}

}  // namespace vantrel
