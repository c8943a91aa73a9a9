#include "form/choice_words.h"

namespace vantrel::words {

const Words<DistributorType>& distributorTypes() {
    static const Words<DistributorType> words{{"either", DistributorType::Either},
                                              {"nozzle", DistributorType::Nozzle},
                                              {"venturi", DistributorType::Venturi}};
    return words;
}

const Words<InletStyle>& inletStyles() {
    static const Words<InletStyle> words{
        {"any", InletStyle::Any}, {"odm", InletStyle::Odm}, {"flare", InletStyle::Flare}, {"idm", InletStyle::Idm}};
    return words;
}

const Words<NozzleKind>& orificeTypes() {
    static const Words<NozzleKind> words{
        {"any", NozzleKind::Any}, {"permanent", NozzleKind::Permanent}, {"replaceable", NozzleKind::Replaceable}};
    return words;
}

const Words<SidePort>& sidePorts() {
    static const Words<SidePort> words{{"none", SidePort::None},
                                       {"integral", SidePort::Integral},
                                       {"auxiliary", SidePort::Auxiliary},
                                       {"any", SidePort::Any}};
    return words;
}

std::vector<std::string> sizesOf(const std::vector<std::string>& items) {
    if (items.empty()) return {};
    return {items.begin() + 1, items.end()};
}

std::optional<int> sizePosition(const std::vector<std::string>& items, std::string_view word) {
    for (std::size_t i = 1; i < items.size(); ++i)
        if (items[i] == word) return static_cast<int>(i);
    return std::nullopt;
}

std::string alternatives(const std::vector<std::string>& words) {
    std::string text;
    for (std::size_t i = 0; i < words.size(); ++i) {
        if (i > 0) text += i + 1 == words.size() ? " or " : ", ";
        text += words[i];
    }
    return text;
}

}  // namespace vantrel::words
