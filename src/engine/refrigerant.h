// Refrigerant knowledge of the rating engine: the known names, their
// families and the empirical capacity correlations. Pure functions on
// U.S. customary values (tons, °F, inches).
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace vantrel {

/// The two coefficient families of the correlations.
enum class RefrigerantGroup { R22, R502, Unknown };

/// The ten refrigerant names the program knows, in the order the form lists them.
inline constexpr std::array<std::string_view, 10> kRefrigerants = {"R-12",   "R-22",   "R-134a", "R-401A", "R-402A",
                                                                   "R-404A", "R-407C", "R-410A", "R-502",  "R-507"};

/// A refrigerant added to the ten for this run (from the user's table):
/// rated with the correlations of its group, both capacities times its factor.
struct AddedRefrigerant {
    std::string name;
    RefrigerantGroup group = RefrigerantGroup::Unknown;
    double factor = 1.0;
};

/// Replaces the added refrigerants. Set once at start, before any rating;
/// entries whose name is one of the ten, or repeats an earlier entry, or
/// whose group is Unknown, are left out (the reader reports them first).
void setAddedRefrigerants(std::vector<AddedRefrigerant> added);

/// The added refrigerants, in the order given.
const std::vector<AddedRefrigerant>& addedRefrigerants();

/// The ten names, then the added ones: the order every list shows them in.
std::vector<std::string> refrigerantNames();

/// Family of `name` (exact, case-sensitive): one of the ten or an added
/// refrigerant; Unknown for any other text.
RefrigerantGroup refrigerantGroup(std::string_view name);

/// Multiplier applied to both nozzle and tube capacity: the ten's own, an
/// added refrigerant's factor, 1.0 for any other text.
double refrigerantFactor(std::string_view name);

/// Liquid temperature factor FL(T), T in °F.
double liquidFactor(double liquidTemp);

/// Which suction-factor curve is meant.
enum class SuctionUse { Nozzle, NozzleTypeTube, VenturiTypeTube };

/// Suction temperature factor FS(E), E in °F; the group must be known.
double suctionFactor(SuctionUse use, RefrigerantGroup group, double suctionTemp);

/// Nozzle base capacity in tons for the nominal orifice size s.
double nozzleBaseCapacity(RefrigerantGroup group, double orificeSize);

/// Tube base capacity (tons per tube) of a nozzle-type distributor tube of OD `d` inches.
double nozzleTypeTubeBaseCapacity(RefrigerantGroup group, double outletSize);

/// Tube base capacity of a venturi-type distributor tube; false when `d` is not a table size.
bool venturiTypeTubeBaseCapacity(RefrigerantGroup group, double outletSize, double& capacity);

/// Tube length factor of a nozzle-type distributor tube, length in inches.
double nozzleTypeTubeLengthFactor(double tubeLength);

}  // namespace vantrel
