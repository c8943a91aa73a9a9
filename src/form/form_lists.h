// Items of the selection form's lists and combo boxes, in list order, and the
// default inputs for each unit system.
#pragma once

#include <string>
#include <vector>

#include "form/form_inputs.h"

namespace vantrel::lists {

const std::vector<std::string>& distributorTypes();  ///< "Either", "Nozzle", "Venturi"
const std::vector<std::string>& inletConnections();  ///< "Any kind", "Solder (ODM)", ...
const std::vector<std::string>& inletSizes();        ///< "Select", "3/8" .. "1-5/8"
const std::vector<std::string>& tubeSizes();         ///< "Select", "5/32" .. "1/2"
const std::vector<std::string>& nozzleSizes();       ///< "Select", "1/6" .. "50"
const std::vector<std::string>& tubeLengths();       ///< "12" .. "72"
const std::vector<std::string>& orificeTypes();      ///< "Select", "Permanent", "Replaceable"
const std::vector<std::string>& sidePorts();         ///< "none", "Integral", "Auxiliary"
std::vector<std::string> refrigerants();  ///< the ten refrigerant names, then those added at start
const std::vector<std::string>& suctionTemps(bool siUnits);
const std::vector<std::string>& liquidTemps(bool siUnits);

/// An item of the lists above as a list box shows it, in the user's language
/// (sizes and numbers stay as they are); `item` is one of the lists' own
/// strings, so the text stays valid for the rest of the run.
const char* shownItem(const std::string& item);

/// The choice at a position of the distributor type, inlet connection or
/// orifice type list, and back: these choices are numbered in list order.
template <typename Choice>
Choice choiceAt(int position) {
    return static_cast<Choice>(position);
}
template <typename Choice>
int positionOf(Choice choice) {
    return static_cast<int>(choice);
}
/// The side-port list ("none", "Integral", "Auxiliary") has no item for
/// SidePort::Any: positions past the list mean any, and Any has no position (-1).
SidePort sidePortAt(int position);
int positionOf(SidePort sidePort);

/// Whether the nozzle-only lists (nozzle size, orifice type, side port) are
/// usable: not for "Venturi".
inline bool nozzleListsEnabled(DistributorType type) { return type != DistributorType::Venturi; }

/// The item a combo box selects when given `text`: the first item that
/// `text` is a prefix of, without regard to case (an empty text is a prefix
/// of every item); -1 when there is none, and the box shows the text itself.
int comboItemFor(const std::vector<std::string>& items, const std::string& text);

/// Position of `text` in `items`, or -1.
int indexOf(const std::vector<std::string>& items, const std::string& text);

/// The inputs of a freshly opened form in the given units.
FormInputs defaultInputs(bool siUnits);

}  // namespace vantrel::lists
