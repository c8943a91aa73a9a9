#include "settings/user_registry.h"

#include <windows.h>

#include "util/wide_text.h"

namespace vantrel {

namespace {

// The system's text for a registry error, as a phrase that can follow
// "could not be read: " (no closing period or line break).
std::string errorPhrase(LSTATUS code) {
    wchar_t* buffer = nullptr;
    const DWORD length =
        FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                       nullptr, static_cast<DWORD>(code), 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::string text = length == 0 ? std::string() : utf8FromWide(std::wstring(buffer, length));
    if (buffer) LocalFree(buffer);
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' ' || text.back() == '.'))
        text.pop_back();
    return text.empty() ? "system error " + std::to_string(code) : text;
}

void tell(std::string* problem, LSTATUS code) {
    if (problem) *problem = errorPhrase(code);
}

}  // namespace

std::optional<std::string> readUserRegistryString(const std::string& key, const std::string& name,
                                                  std::string* problem) {
    const std::wstring keyPath = wideFromUtf8(key);
    const std::wstring valueName = wideFromUtf8(name);
    DWORD bytes = 0;
    LSTATUS status =
        RegGetValueW(HKEY_CURRENT_USER, keyPath.c_str(), valueName.c_str(), RRF_RT_REG_SZ, nullptr, nullptr, &bytes);
    // Asked again while another program makes the value longer in between.
    while (status == ERROR_SUCCESS || status == ERROR_MORE_DATA) {
        std::wstring text(bytes / sizeof(wchar_t) + 1, L'\0');
        bytes = static_cast<DWORD>(text.size() * sizeof(wchar_t));
        status = RegGetValueW(HKEY_CURRENT_USER, keyPath.c_str(), valueName.c_str(), RRF_RT_REG_SZ, nullptr,
                              text.data(), &bytes);
        if (status == ERROR_SUCCESS) {
            text.resize(bytes / sizeof(wchar_t));
            while (!text.empty() && text.back() == L'\0') text.pop_back();
            return utf8FromWide(text);
        }
    }
    // No key, no value, or a value of another type: no string stored there.
    if (status != ERROR_FILE_NOT_FOUND && status != ERROR_UNSUPPORTED_TYPE) tell(problem, status);
    return std::nullopt;
}

bool writeUserRegistryString(const std::string& key, const std::string& name, const std::string& data) {
    HKEY handle = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, wideFromUtf8(key).c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                        KEY_SET_VALUE, nullptr, &handle, nullptr) != ERROR_SUCCESS)
        return false;
    const std::wstring text = wideFromUtf8(data);
    const LSTATUS status =
        RegSetValueExW(handle, wideFromUtf8(name).c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                       static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(handle);
    return status == ERROR_SUCCESS;
}

bool deleteUserRegistryValue(const std::string& key, const std::string& name) {
    return RegDeleteKeyValueW(HKEY_CURRENT_USER, wideFromUtf8(key).c_str(), wideFromUtf8(name).c_str()) ==
           ERROR_SUCCESS;
}

bool deleteUserRegistryTree(const std::string& key) {
    const std::wstring path = wideFromUtf8(key);
    HKEY handle = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &handle) != ERROR_SUCCESS) return false;
    RegCloseKey(handle);
    RegDeleteTreeW(HKEY_CURRENT_USER, path.c_str());
    RegDeleteKeyW(HKEY_CURRENT_USER, path.c_str());
    return RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &handle) == ERROR_FILE_NOT_FOUND;
}

void deleteUserRegistryKeyIfEmpty(const std::string& key) {
    const std::wstring path = wideFromUtf8(key);
    HKEY handle = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &handle) != ERROR_SUCCESS) return;
    DWORD keys = 0;
    DWORD values = 0;
    const LSTATUS status =
        RegQueryInfoKeyW(handle, nullptr, nullptr, nullptr, &keys, nullptr, nullptr, &values, nullptr, nullptr,
                         nullptr, nullptr);
    RegCloseKey(handle);
    if (status == ERROR_SUCCESS && keys == 0 && values == 0) RegDeleteKeyW(HKEY_CURRENT_USER, path.c_str());
}

bool ensureUserRegistryKey(const std::string& key, std::string* problem) {
    const std::wstring path = wideFromUtf8(key);
    HKEY handle = nullptr;
    LSTATUS status = RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_QUERY_VALUE, &handle);
    if (status == ERROR_FILE_NOT_FOUND) {
        status = RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                 KEY_QUERY_VALUE, nullptr, &handle, nullptr);
    } else if (status != ERROR_SUCCESS) {
        tell(problem, status);
    }
    if (status != ERROR_SUCCESS) return false;
    RegCloseKey(handle);
    return true;
}

}  // namespace vantrel
