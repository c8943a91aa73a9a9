// The catalog object: the two catalog files, their row formats, the model
// search and the part-number lookup. Nothing is cached: every search and
// lookup reads the files again, so an edited catalog takes effect at once.
// A batch of searches may read the files once into a LoadedCatalog instead.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
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

/// A load window as the search compares loads with it: fractions of the rated
/// capacity, a load fitting when low <= load <= high.
struct LoadRange {
    double low = 0.0;
    double high = 0.0;
    /// The edges in percent, to a millionth of a percent: the 0.1 steps leave
    /// binary noise (0.7000000000000001) that no typed limit has.
    double lowPercent() const;
    double highPercent() const;
};

/// The windows one catalog's search ended with.
struct CatalogSearch {
    bool searched = false;  ///< the distributor type asked for this catalog
    bool read = false;      ///< its file could be read; one that cannot finds nothing, like an empty one
    int found = 0;          ///< records from this catalog
    /// Widening steps from the Preferences limits to the windows below. With
    /// nothing found these are the widest windows tried.
    int step = 0;
    LoadRange tube;    ///< the tube load window
    LoadRange nozzle;  ///< the nozzle load window (nozzle catalog only; a venturi body has none)
    /// True when the windows are no longer the Preferences limits.
    bool widened() const { return step > 0; }
};

/// A distributor a search found, kept small until its record is wanted: where
/// its catalog row's text lies in the result, and the numbers of its rating.
/// What the row itself says (sizes, connection) is read from it again when
/// the record is built. A search of a large catalog may find thousands; most
/// callers show a few, or build each record once, row by row.
struct Found {
    bool nozzle = false;         ///< a nozzle body with an orifice; else a venturi model
    std::int32_t orificeNumber = 0;
    std::int32_t circuits = 0;
    std::uint32_t rowStart = 0;  ///< the row's fields in SearchResult::rowText
    std::uint32_t rowLength = 0;
    double capacity = 0.0;
    double totalDrop = 0.0;
    double nozzleDrop = 0.0;
    double tubeDrop = 0.0;
    double nozzleLoad = 0.0;
    double tubeLoad = 0.0;
};

/// What a search found.
struct SearchResult {
    int status = code::kOk;  ///< 0, 125, 126 or 129; with a refusal nothing else is set
    /// The distributors that fit, venturi first, then nozzle, each catalog's in
    /// catalog order (a nozzle body's orifices ascending). Numbers unrounded.
    std::vector<Found> found;
    CatalogSearch venturi;
    CatalogSearch nozzle;
    SearchRequest request;  ///< the conditions every record is rated at
    std::string rowText;    ///< the catalog rows of the distributors found, as read

    /// The full record of found[index]: the request's conditions, its row's
    /// texts, the numbers of its rating.
    dist record(std::size_t index) const;
};

/// Both catalog files' text, read once for many searches (a batch of duties
/// in one process). Searches given it do not see later edits of the files.
struct LoadedCatalog {
    std::string venturi;  ///< empty when the file could not be read
    std::string nozzle;
    bool venturiRead = false;
    bool nozzleRead = false;
};

/// "Loading windows widened for nozzle models: nozzle 70-130 %, tube 70-130 %."
/// when a catalog's results lie outside the Preferences limits; empty when
/// every result lies inside them. In the user's language.
std::string widenedWindowsNote(const SearchResult& search);

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

    /// Every catalog distributor that fits `request`. When a catalog yields
    /// nothing inside the load windows, the windows are widened by 0.1 a step
    /// (up to their bounds) until it does; the result holds the records of the
    /// first step that found any. Reads each needed file once, now.
    SearchResult search(const SearchRequest& request) const;
    /// The same search over catalog text read earlier by loadCatalog.
    SearchResult search(const SearchRequest& request, const LoadedCatalog& catalog) const;
    /// Reads both catalog files for searches to come.
    LoadedCatalog loadCatalog() const;

    /// Appends the result line of every record search(request) finds.
    /// Returns 0 (then `count` is the number appended), 125, 126 or 129.
    int findModel(const SearchRequest& request, std::vector<std::string>& lines, int& count) const;

    /// Which of the entries a part number's text names will do: an output
    /// list row wants the entry it was made from, which the text alone may
    /// not tell apart from another model's cross-reference name.
    using PartFilter = std::function<bool(const dist& entry)>;

    /// Resolves a typed part number (catalog or cross-reference model) to a
    /// record ready for rating: the first entry it names that `accept` (when
    /// set) takes; from catalog text read earlier when `loaded` is given.
    PartLookup findPart(std::string_view partNumber, dist& out, const LoadedCatalog* loaded = nullptr,
                        const PartFilter& accept = {}) const;

private:
    // Reads each file the request needs when `catalog` is null.
    SearchResult searchIn(const SearchRequest& request, const LoadedCatalog* catalog) const;
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
