#include "form/form_lists.h"

#include <algorithm>
#include <cctype>

#include "engine/refrigerant.h"
#include "i18n/translate.h"

namespace vantrel {

namespace lists {

SidePort sidePortAt(int position) {
    switch (position) {
        case 0: return SidePort::None;
        case 1: return SidePort::Integral;
        case 2: return SidePort::Auxiliary;
        default: return SidePort::Any;
    }
}

int positionOf(SidePort sidePort) {
    switch (sidePort) {
        case SidePort::None: return 0;
        case SidePort::Integral: return 1;
        case SidePort::Auxiliary: return 2;
        default: return -1;
    }
}

// The lists hold the English words, which the command line, schedules and
// documents use too; a list box shows each through shownItem().

const std::vector<std::string>& distributorTypes() {
    static const std::vector<std::string> items{NC_("list entry", "Either"), NC_("list entry", "Nozzle"),
                                                NC_("list entry", "Venturi")};
    return items;
}

const std::vector<std::string>& inletConnections() {
    static const std::vector<std::string> items{NC_("list entry", "Any kind"), NC_("list entry", "Solder (ODM)"),
                                                NC_("list entry", "Flare"), NC_("list entry", "Solder (IDM)")};
    return items;
}

const std::vector<std::string>& inletSizes() {
    static const std::vector<std::string> items{
        NC_("list entry", "Select"), "3/8", "1/2", "5/8", "7/8", "1-1/8", "1-3/8", "1-5/8"};
    return items;
}

const std::vector<std::string>& tubeSizes() {
    static const std::vector<std::string> items{
        NC_("list entry", "Select"), "5/32", "3/16", "1/4", "5/16", "3/8", "1/2"};
    return items;
}

const std::vector<std::string>& nozzleSizes() {
    static const std::vector<std::string> items{NC_("list entry", "Select"),
                                                "1/6",
                                                "1/4",
                                                "1/3",
                                                "1/2",
                                                "3/4",
                                                "1",
                                                "1-1/2",
                                                "2",
                                                "2-1/2",
                                                "3",
                                                "4",
                                                "5",
                                                "6",
                                                "8",
                                                "10",
                                                "12",
                                                "15",
                                                "17",
                                                "20",
                                                "25",
                                                "30",
                                                "35",
                                                "40",
                                                "50"};
    return items;
}

const std::vector<std::string>& tubeLengths() {
    static const std::vector<std::string> items{"12", "18", "24", "30", "36", "42", "48", "54", "60", "66", "72"};
    return items;
}

const std::vector<std::string>& orificeTypes() {
    static const std::vector<std::string> items{NC_("list entry", "Select"), NC_("list entry", "Permanent"),
                                                NC_("list entry", "Replaceable")};
    return items;
}

const std::vector<std::string>& sidePorts() {
    static const std::vector<std::string> items{NC_("list entry", "none"), NC_("list entry", "Integral"),
                                                NC_("list entry", "Auxiliary")};
    return items;
}

std::vector<std::string> refrigerants() { return refrigerantNames(); }

const std::vector<std::string>& suctionTemps(bool si) {
    static const std::vector<std::string> us{"40", "20", "0", "-20", "-40"};
    static const std::vector<std::string> metric{"10", "0", "-10", "-20", "-30", "-40"};
    return si ? metric : us;
}

const std::vector<std::string>& liquidTemps(bool si) {
    static const std::vector<std::string> us{"50", "60", "70", "80", "90", "100", "110", "120"};
    static const std::vector<std::string> metric{"10", "15", "20", "25", "30", "35", "40", "45", "50"};
    return si ? metric : us;
}

const char* shownItem(const std::string& item) {
    // Sizes ("3/8", "1-1/8") are numbers, the same in every language.
    const bool size = !item.empty() && item[0] >= '0' && item[0] <= '9';
    return size ? item.c_str() : trc("list entry", item.c_str());
}

int comboItemFor(const std::vector<std::string>& items, const std::string& text) {
    auto lower = [](char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); };
    for (std::size_t i = 0; i < items.size(); ++i) {
        const std::string& item = items[i];
        if (text.size() > item.size()) continue;
        if (std::equal(text.begin(), text.end(), item.begin(), [&](char a, char b) { return lower(a) == lower(b); }))
            return static_cast<int>(i);
    }
    return -1;
}

int indexOf(const std::vector<std::string>& items, const std::string& text) {
    const auto it = std::find(items.begin(), items.end(), text);
    return it == items.end() ? -1 : static_cast<int>(it - items.begin());
}

FormInputs defaultInputs(bool si) {
    FormInputs inputs;
    inputs.suctionTemp = suctionTemps(si)[0];
    inputs.liquidTemp = liquidTemps(si)[5];
    inputs.tubeLength = tubeLengths()[3];
    inputs.refrigerant = refrigerants()[1];
    return inputs;
}

}  // namespace lists
}  // namespace vantrel
