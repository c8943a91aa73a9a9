// Refrigerant knowledge of the rating engine: the known names, their
// families and the empirical capacity correlations. Pure functions on
// U.S. customary values (tons, °F, inches).
#pragma once

#include <array>
#include <string_view>

namespace vantrel {

/// The two coefficient families of the correlations.
enum class RefrigerantGroup { R22, R502, Unknown };

/// The ten refrigerant names the program knows, in the order the form lists them.
inline constexpr std::array<std::string_view, 10> kRefrigerants = {"R-12",   "R-22",   "R-134a", "R-401A", "R-402A",
                                                                   "R-404A", "R-407C", "R-410A", "R-502",  "R-507"};

/// Family of `name` (exact, case-sensitive); Unknown for any other text.
RefrigerantGroup refrigerantGroup(std::string_view name);

/// Multiplier applied to both nozzle and tube capacity (1.0 when not listed).
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
