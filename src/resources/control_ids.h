// Control and command ids of the selection form. The window layer builds its
// controls with these ids, and the toolkit-free logic names its focus targets
// and rewritten fields by them.
#pragma once

namespace vantrel::ids {

enum FormControl : int {
    kCircuitsNote = 102,
    kDistributorGroup = 10021,
    kPerformanceGroup = 10022,
    kPartNumberGroup = 10023,
    kDistributorType = 10031,
    kLiquidTemp = 10032,
    kTubeLength = 10033,
    kInletConnection = 10034,
    kInletSize = 10035,
    kTubeSize = 10036,
    kNozzleSize = 10037,
    kOrificeType = 10038,
    kSidePort = 10039,
    kRefrigerant = 10040,
    kSuctionTemp = 10041,
    kCircuits = 10051,
    kCapacity = 10052,
    kPartNumber = 10053,
    kSelect = 10071,
    kRate = 10072,
    kChart = 10073,
    kCircuitsSpin = 10081,
    kOutputList = 10082,
    kLiquidUnit = 11010,
    kCapacityUnit = 11011,
    kSuctionUnit = 11012,
    kRefrigerantFacts = 11013,  ///< the chosen refrigerant's GWP and safety class
};

}  // namespace vantrel::ids
