// The words that name the form's choices outside the window: the command
// line's option values and the cells of a schedule file. Both front ends take
// the same words, so they live here, beside the lists they stand for.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "catalog/search_request.h"

namespace vantrel::words {

/// A choice's words with what each one names, in the order --help lists them.
template <typename Choice>
using Words = std::vector<std::pair<std::string, Choice>>;

const Words<DistributorType>& distributorTypes();  ///< either, nozzle, venturi
const Words<InletStyle>& inletStyles();            ///< any, odm, flare, idm
const Words<NozzleKind>& orificeTypes();           ///< any, permanent, replaceable
const Words<SidePort>& sidePorts();                ///< none, integral, auxiliary, any

/// The words alone, in order.
template <typename Choice>
std::vector<std::string> wordsOf(const Words<Choice>& words) {
    std::vector<std::string> result;
    result.reserve(words.size());
    for (const auto& entry : words) result.push_back(entry.first);
    return result;
}

/// The choice `word` names, compared exactly; nothing for any other text.
template <typename Choice>
std::optional<Choice> choiceOf(const Words<Choice>& words, std::string_view word) {
    for (const auto& [known, choice] : words)
        if (known == word) return choice;
    return std::nullopt;
}

/// The sizes a size list (lists::inletSizes() and the like) offers: its
/// items without the leading "Select", which names no size.
std::vector<std::string> sizesOf(const std::vector<std::string>& items);

/// The list position of size `word` in `items`; nothing for "Select" and for
/// any text that is no item.
std::optional<int> sizePosition(const std::vector<std::string>& items, std::string_view word);

/// The words as a reader expects them listed: "a, b or c" ("a" alone, "a or b").
std::string alternatives(const std::vector<std::string>& words);

}  // namespace vantrel::words
