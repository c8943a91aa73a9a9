// Control and command ids of the selection form. The window layer builds its
// controls with these ids, and the toolkit-free logic names its focus targets
// and rewritten fields by them.
#pragma once

namespace vantrel::ids {

inline constexpr int kDistributorGroup = 10021;
inline constexpr int kPerformanceGroup = 10022;
inline constexpr int kPartNumberGroup = 10023;
inline constexpr int kDistributorType = 10031;
inline constexpr int kLiquidTemp = 10032;
inline constexpr int kTubeLength = 10033;
inline constexpr int kInletConnection = 10034;
inline constexpr int kInletSize = 10035;
inline constexpr int kTubeSize = 10036;
inline constexpr int kNozzleSize = 10037;
inline constexpr int kOrificeType = 10038;
inline constexpr int kSidePort = 10039;
inline constexpr int kRefrigerant = 10040;
inline constexpr int kSuctionTemp = 10041;
inline constexpr int kCircuits = 10051;
inline constexpr int kCapacity = 10052;
inline constexpr int kPartNumber = 10053;
inline constexpr int kSelect = 10071;
inline constexpr int kRate = 10072;
inline constexpr int kCircuitsSpin = 10081;
inline constexpr int kOutputList = 10082;
inline constexpr int kLiquidUnit = 11010;
inline constexpr int kCapacityUnit = 11011;
inline constexpr int kSuctionUnit = 11012;

}  // namespace vantrel::ids
