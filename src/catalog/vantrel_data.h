// The catalog object: the two catalog files, their row formats, the model
// search and the part-number lookup. Nothing is cached: every search and
// lookup reads the files again, so an edited catalog takes effect at once.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "catalog/search_request.h"
#include "engine/dist.h"

namespace vantrel {

/// How a part-number lookup ended.
enum class PartOutcome {
    Found,        ///< the record is ready for rating
    NoSuchModel,  ///< a well-formed part number the catalog does not hold
    Refused,      ///< a catalog is missing or the text is no part number: see `status`
};

/// What findPart reports.
struct PartLookup {
    PartOutcome outcome = PartOutcome::NoSuchModel;
    int status = code::kOk;  ///< for Refused: 113, 114, 115 or 123, shown through getErrorText
    int minCircuits = 0;     ///< the catalog minimum of the last nozzle row examined
};

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
    /// record ready for rating.
    PartLookup findPart(std::string_view partNumber, dist& out) const;

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
