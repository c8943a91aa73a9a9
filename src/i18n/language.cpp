#include "i18n/language.h"

#include <memory>

#include "i18n/translate.h"

namespace vantrel {

std::vector<std::string> languageCandidates(std::string_view setting) {
    std::vector<std::string> candidates;
    auto add = [&candidates](std::string name) {
        for (const std::string& known : candidates)
            if (known == name) return;
        candidates.push_back(std::move(name));
    };
    while (!setting.empty()) {
        const std::size_t colon = setting.find(':');
        std::string_view name = setting.substr(0, colon);
        setting = colon == std::string_view::npos ? std::string_view() : setting.substr(colon + 1);
        // de_DE.UTF-8@euro: the encoding and the modifier name no other catalog.
        name = name.substr(0, name.find_first_of(".@"));
        if (name.empty()) continue;
        if (name == "C" || name == "POSIX" || name == "en" || name.substr(0, 3) == "en_") break;
        add(std::string(name));
        const std::size_t territory = name.find_first_of("_-");
        if (territory != std::string_view::npos) add(std::string(name.substr(0, territory)));
    }
    return candidates;
}

std::string catalogPath(const std::string& localeDir, const std::string& language) {
    return localeDir + "/" + language + "/LC_MESSAGES/" + kTextDomain + ".mo";
}

namespace {

std::unique_ptr<MessageCatalog> gCatalog;

const char* catalogText(const char* context, const char* english) {
    const char* found = gCatalog->find(context, english);
    return found ? found : english;
}

const char* catalogPlural(const char* context, const char* singular, const char* plural, unsigned long n) {
    const char* found = gCatalog->findPlural(context, singular, n);
    return found ? found : (n == 1 ? singular : plural);
}

}  // namespace

void translateWith(MessageCatalog catalog) {
    gCatalog = std::make_unique<MessageCatalog>(std::move(catalog));
    setTranslator(Translator{catalogText, catalogPlural});
}

}  // namespace vantrel
