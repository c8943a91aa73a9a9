#include "i18n/translate.h"

namespace vantrel {

namespace {
Translator gTranslator;
}

void setTranslator(const Translator& translator) { gTranslator = translator; }

const Translator& currentTranslator() { return gTranslator; }

const char* tr(const char* english) { return gTranslator.text ? gTranslator.text(nullptr, english) : english; }

const char* trc(const char* context, const char* english) {
    return gTranslator.text ? gTranslator.text(context, english) : english;
}

const char* trn(const char* singular, const char* plural, unsigned long n) {
    if (gTranslator.plural) return gTranslator.plural(nullptr, singular, plural, n);
    return n == 1 ? singular : plural;
}

std::string formatText(std::string_view pattern, std::initializer_list<std::string_view> arguments) {
    std::string out;
    out.reserve(pattern.size() + 32);
    std::size_t next = 0;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] != '%' || i + 1 == pattern.size()) {
            out += pattern[i];
            continue;
        }
        const char c = pattern[i + 1];
        std::size_t index = next;
        std::size_t length = 0;
        if (c == '%') {
            out += '%';
            ++i;
            continue;
        }
        if (c == 's') {
            ++next;
            length = 1;
        } else if (c >= '1' && c <= '9' && i + 3 < pattern.size() && pattern[i + 2] == '$' && pattern[i + 3] == 's') {
            index = static_cast<std::size_t>(c - '1');
            length = 3;
        } else {
            out += '%';
            continue;
        }
        if (index < arguments.size()) out += arguments.begin()[index];
        i += length;
    }
    return out;
}

}  // namespace vantrel
