// What a catalog search is asked for: the form's choices and the operating
// conditions. The choices are named, not numbered: the form's list positions,
// the command line's words and the search's filters each convert to and from
// these names in one place.
#pragma once

#include <string>

namespace vantrel {

/// Which catalogs a search reads. The values are the positions in the form's list.
enum class DistributorType { Either = 0, Nozzle = 1, Venturi = 2 };
/// The inlet connection asked for. The values are the positions in the form's list.
enum class InletStyle { Any = 0, Odm = 1, Flare = 2, Idm = 3 };
/// The orifice kind asked for: permanent orifices are the bodies with a "P"
/// nozzle. The values are the positions in the form's list.
enum class NozzleKind { Any = 0, Permanent = 1, Replaceable = 2 };
/// The side port asked for. `None` asks for bodies without one; `Any` puts
/// no filter on the side port (the command line offers it, the form does not).
enum class SidePort { Any, Integral, Auxiliary, None };

/// One selection request, the conditions already in U.S. customary units.
/// Zero means "not chosen / not given".
struct SearchRequest {
    DistributorType distributorType = DistributorType::Either;
    InletStyle inletStyle = InletStyle::Any;
    int inletNumber = 0;    ///< inlet size number, 0 = not chosen
    int circuits = 0;       ///< number of circuits, 0 = not given
    int tubeNumber = 0;     ///< tube size number, 0 = not chosen
    int orificeNumber = 0;  ///< orifice number, 0 = not chosen
    SidePort sidePort = SidePort::None;
    NozzleKind nozzleKind = NozzleKind::Any;
    std::string refrigerant;
    double capacity = 0.0;  ///< tons, 0 = not given
    double suctionTemp = 0.0;
    double liquidTemp = 0.0;
    double tubeLength = 0.0;
};

}  // namespace vantrel
