// The catalog object: the two catalog files, their row formats, the model
// search and the part-number lookup. Nothing is cached: every search and
// lookup reads the files again, so an edited catalog takes effect at once.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "engine/dist.h"

namespace vantrel {

/// One selection request: the form's choices and the operating conditions,
/// already in U.S. customary units. Zero means "not chosen / not given".
struct SearchRequest {
    int distributorType = 0;  ///< 0 either, 1 nozzle only, 2 venturi only
    int inletStyle = 0;       ///< 0 any, 1 "ODM", 2 "FLARE", 3 "IDM"
    int inletNumber = 0;      ///< inlet size number, 0 = not chosen
    int circuits = 0;         ///< number of circuits, 0 = not given
    int tubeNumber = 0;       ///< tube size number, 0 = not chosen
    int orificeNumber = 0;    ///< orifice number, 0 = not chosen
    int sidePort = 3;         ///< 1 "I", 2 "A", 3 "N"; 0 = no filter
    int nozzleKind = 0;       ///< 0 any, 1 permanent ("P" bodies), 2 replaceable
    std::string refrigerant;
    double capacity = 0.0;  ///< tons, 0 = not given
    double suctionTemp = 0.0;
    double liquidTemp = 0.0;
    double tubeLength = 0.0;
};

/// Result codes of findPart besides the shared status codes.
namespace part {
inline constexpr int kFound = 0;
inline constexpr int kNoSuchModel = 1;
}  // namespace part

/// Catalog data: loading limits of the search and the catalog file names.
class VantrelData {
public:
    double nozzleLoadMin = 90;   ///< percent
    double nozzleLoadMax = 110;  ///< percent
    double tubeLoadMin = 90;     ///< percent
    double tubeLoadMax = 110;    ///< percent
    std::string venturiFile = "vflo.csv";
    std::string nozzleFile = "nflo.csv";

    void setVenturiFile(const std::string& name) { venturiFile = name; }
    void setNozzleFile(const std::string& name) { nozzleFile = name; }

    /// Parses one vflo.csv row into `d`. False (and `d` unusable) when the part
    /// number lacks its two dashes or holds a number beyond any range.
    bool parseVenturiRow(std::string_view line, dist& d) const;

    /// Parses one nflo.csv row into `d` with the row's circuit range. False when
    /// the row lacks a separator or its tube size is unreadable.
    bool parseNozzleRow(std::string_view line, dist& d, int& minCircuits, int& maxCircuits) const;

    /// Appends a result line for every catalog distributor that fits `request`,
    /// venturi lines first, widening the load windows when a catalog yields
    /// nothing. Returns 0 (then `count` is the number appended), 125, 126 or 129.
    int findModel(const SearchRequest& request, std::vector<std::string>& lines, int& count) const;

    /// Resolves a typed part number (catalog or cross-reference model) to a
    /// record ready for rating. Returns 0, 1 (no such model), 113, 114, 115 or 123;
    /// `minCircuits` receives the catalog minimum of the nozzle rows examined.
    int findPart(std::string_view partNumber, dist& out, int& minCircuits) const;

private:
    int venturiPass(const SearchRequest& request, double tubeLow, double tubeHigh,
                    std::vector<std::string>& lines) const;
    int nozzlePass(const SearchRequest& request, double tubeLow, double tubeHigh, double nozzleLow, double nozzleHigh,
                   std::vector<std::string>& lines) const;
};

/// Splits a nozzle part number model-circuits-tube-orifice (text from the first
/// "(" on is ignored). Returns 0 or 115.
int parseNozzlePartNumber(std::string_view text, std::string& model, double& tubeSize, int& circuits,
                          double& orificeSize);

/// Which catalog files could not be found by locateCatalogFiles.
struct MissingCatalogs {
    bool nozzle = false;
    bool venturi = false;
};

/// Keeps each bare file name that names an existing file, else uses
/// `rootDir`/name when that exists; reports the ones found in neither place.
MissingCatalogs locateCatalogFiles(VantrelData& data, const std::string& rootDir);

}  // namespace vantrel
