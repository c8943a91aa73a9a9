// The one record of the system: a distributor model from the catalog, the
// operating conditions it is rated at and the results of the rating.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace vantrel {

/// Status codes shared by the engine, the catalog and the search. 0 is success.
namespace code {
inline constexpr int kOk = 0;
inline constexpr int kTooFewCircuits = 100;
inline constexpr int kTubeLoadLow = 101;
inline constexpr int kTubeLoadHigh = 102;
inline constexpr int kNozzleLoadLow = 103;
inline constexpr int kNozzleLoadHigh = 104;
inline constexpr int kTubeLiquidLow = 105;
inline constexpr int kTubeLiquidHigh = 106;
inline constexpr int kLengthShort = 107;
inline constexpr int kLengthLong = 108;
inline constexpr int kOutletR22 = 109;
inline constexpr int kOutletR502 = 110;
inline constexpr int kNozzleLiquidLow = 111;
inline constexpr int kNozzleLiquidHigh = 112;
inline constexpr int kNoVenturiFile = 113;
inline constexpr int kNoNozzleFile = 114;
inline constexpr int kInvalidModel = 115;
inline constexpr int kBadInletNumber = 116;
inline constexpr int kBadInletSize = 117;
inline constexpr int kBadOutletNumber = 118;
inline constexpr int kBadOutletNumberText = 119;
inline constexpr int kBadOutletSize = 120;
inline constexpr int kBadOrificeNumberText = 121;
inline constexpr int kBadOrificeNumber = 122;
inline constexpr int kBadOrificeSize = 123;
inline constexpr int kUnknownBody = 124;
inline constexpr int kNeedCircuitsOrCapacity = 125;
inline constexpr int kNeedTubeSize = 126;
inline constexpr int kNeedBoth = 127;
/// A refrigerant name outside the ten known ones; refused before any correlation.
inline constexpr int kUnknownRefrigerant = 129;
}  // namespace code

/// Distributor record: catalog fields, rating inputs and rating results, all in
/// U.S. customary units (tons, °F, inches, psi; loads as fractions).
class dist {
public:
    std::string partNumber;          ///< full part number
    std::string model;               ///< nozzle body model; "NULL" for venturi models
    std::string xrefModel;           ///< cross-reference body model; "NULL" for venturi models
    std::uint8_t isXref = 0;         ///< the part number was typed with the cross-reference model
    std::string type;                ///< "N" nozzle-type; anything else is venturi-type
    std::string connection;          ///< inlet connection style "ODM", "FLARE" or "IDM"
    std::string sidePort;            ///< side port code "I", "A", "N"; "NULL" for venturi
    std::string sideConnection;      ///< side connection sizes, derived from model
    std::string nozzleSize;          ///< nozzle body letter; "NULL" for venturi
    std::int32_t inletNumber = 0;    ///< inlet size number (or a lookup error code)
    std::int32_t outletNumber = 0;   ///< tube size number (or a lookup error code)
    std::int32_t circuits = 0;       ///< number of circuits, one tube each
    std::int32_t orificeNumber = 0;  ///< orifice number of a nozzle body; 0 for venturi
    std::string refrigerant;         ///< refrigerant name
    double capacity = 0.0;           ///< tons; 0 asks for a rating at full tube load
    double suctionTemp = 0.0;        ///< °F
    double liquidTemp = 0.0;         ///< °F
    double tubeLength = 0.0;         ///< inches
    double totalDrop = 0.0;          ///< psi
    double nozzleDrop = 0.0;         ///< psi across the nozzle or the venturi body
    double tubeDrop = 0.0;           ///< psi across the distributor tubes
    double nozzleLoad = 0.0;         ///< fraction of rated nozzle capacity
    double tubeLoad = 0.0;           ///< fraction of rated tube capacity
    double orificeSize = 0.0;        ///< nominal orifice size; 0 for venturi
    double inletSize = 0.0;          ///< inches
    double outletSize = 0.0;         ///< tube OD, inches

    /// Stores the conditions and rates the record by its type. Returns 0 or a code.
    int rate(const std::string& refrigerant, double capacity, double suctionTemp, double liquidTemp, double tubeLength);
    /// Rates a nozzle-type record whose conditions are stored.
    int rate_nozzle();
    /// Rates a venturi-type record whose conditions are stored.
    int rate_venturi();
    /// Rated capacity of one tube (tons) under the stored conditions.
    int StdTubeRating(double& tubeCapacity) const;
    /// Rated capacity of the nozzle (tons) under the stored conditions.
    int StdNozzleRating(double& nozzleCapacity) const;
    /// rate_nozzle with the tube capacity already known from StdTubeRating of the same record.
    int rateNozzleWithTubeCapacity(double tubeCapacity);
    /// rate_nozzle with both capacities already known from StdTubeRating and StdNozzleRating.
    int rateNozzleWithCapacities(double tubeCapacity, double nozzleCapacity);
    /// The nozzle load rateNozzleWithCapacities gives a body with at least one circuit.
    static double nozzleLoadOf(double capacity, double nozzleCapacity) { return capacity / nozzleCapacity; }
    /// rate_venturi with the tube capacity already known from StdTubeRating of the same record.
    int rateVenturiWithTubeCapacity(double tubeCapacity);
    /// Sets sideConnection from model.
    void setSideConnection();

    /// Message text of a status code ("Unknown error code." for codes without one),
    /// in English: translated with tr() where it is shown.
    static const char* getErrorText(int code);
    /// Copies the message of `code` into a caller buffer of `size` bytes (NUL-terminated, cut to fit).
    static void getErrorText(int code, char* buffer, std::size_t size);

    /// The 22-field comma-separated result line of this record (read back by
    /// parseResultLine in engine/result_line.h).
    std::string makeResultLine() const;
    /// Appends the result line to `text` (avoids a temporary in the search loop).
    void appendResultLine(std::string& text) const;
};

/// True when `type` marks a nozzle-type distributor.
inline bool isNozzleType(const std::string& type) { return type == "N"; }

}  // namespace vantrel
