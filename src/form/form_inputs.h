// The transfer buffer of the selection form: the texts of its edit fields and
// combo boxes, the positions chosen in its size lists and its other choices.
#pragma once

#include <string>

#include "catalog/search_request.h"

namespace vantrel {

struct FormInputs {
    DistributorType distributorType = DistributorType::Either;
    InletStyle inletConnection = InletStyle::Any;
    int inletSize = 0;  ///< "Select", then inlet numbers 1..7
    std::string circuits = "2";
    int tubeSize = 0;    ///< "Select", then tube numbers 1..6
    int nozzleSize = 0;  ///< "Select", then orifice numbers 1..24
    NozzleKind orificeType = NozzleKind::Any;
    SidePort sidePort = SidePort::None;
    std::string refrigerant = "R-22";
    std::string capacity;
    std::string suctionTemp = "40";
    std::string liquidTemp = "100";
    std::string tubeLength = "30";
    std::string partNumber;
};

}  // namespace vantrel
