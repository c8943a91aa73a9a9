#include "settings/settings_registry.h"

#include <string_view>

#include "settings/user_registry.h"

namespace vantrel {

namespace {

class UserKey final : public RegistrySettings {
public:
    explicit UserKey(std::string path) : path_(std::move(path)) {}

    std::optional<std::string> get(const std::string& name, std::string& problem) const override {
        return readUserRegistryString(path_, name, &problem);
    }
    bool set(const std::string& name, const std::string& value) override {
        return writeUserRegistryString(path_, name, value);
    }
    bool ensureKey(std::string& problem) override { return ensureUserRegistryKey(path_, &problem); }

private:
    std::string path_;
};

}  // namespace

std::shared_ptr<RegistrySettings> registrySettingsAt(const std::string& location) {
    const std::string_view root = kUserRegistryRoot;
    if (location.size() <= root.size() || location.compare(0, root.size(), root) != 0) return nullptr;
    return std::make_shared<UserKey>(location.substr(root.size()));
}

}  // namespace vantrel
