// The transfer buffer of the selection form: the texts of its edit fields and
// combo boxes and the positions chosen in its drop-down lists.
#pragma once

#include <string>

namespace vantrel {

struct FormInputs {
    int distributorType = 0;  ///< "Either", "Nozzle", "Venturi"
    int inletConnection = 0;  ///< "Any kind", "Solder (ODM)", "Flare", "Solder (IDM)"
    int inletSize = 0;        ///< "Select", then inlet numbers 1..7
    std::string circuits = "2";
    int tubeSize = 0;     ///< "Select", then tube numbers 1..6
    int nozzleSize = 0;   ///< "Select", then orifice numbers 1..24
    int orificeType = 0;  ///< "Select", "Permanent", "Replaceable"
    /// "none", "Integral", "Auxiliary"; position 3 (no such list item) means any side port.
    int sidePort = 0;
    std::string refrigerant = "R-22";
    std::string capacity;
    std::string suctionTemp = "40";
    std::string liquidTemp = "100";
    std::string tubeLength = "30";
    std::string partNumber;
};

/// Side-port code of the search for a side-port list position.
int sidePortCode(int listPosition);

}  // namespace vantrel
