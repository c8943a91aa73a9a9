#include "settings/settings_registry.h"

namespace vantrel {

// Without a registry every settings location is a file, whatever its name.
std::shared_ptr<RegistrySettings> registrySettingsAt(const std::string&) { return nullptr; }

}  // namespace vantrel
