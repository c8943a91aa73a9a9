// The refrigerant table: the ten refrigerants the engine knows, described by
// the shipped refrigerants.csv (composition, GWP, safety class, source), and
// the user's own refrigerants from a file of the same columns, which are
// handed to the engine at start. docs/refrigerants.md describes the files.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "engine/refrigerant.h"

namespace vantrel {

/// One refrigerant as the programs list it.
struct RefrigerantInfo {
    std::string name;
    RefrigerantGroup group = RefrigerantGroup::Unknown;
    double factor = 1.0;        ///< both capacities of the group's correlations times this
    std::string composition;    ///< "R-32 50% / R-125 50%" (mass percentages); empty when not given
    std::optional<double> gwp;  ///< 100-year GWP (IPCC AR4); none when unknown
    std::string safetyClass;    ///< ASHRAE 34 class ("A1", "A2L"); empty when not given
    std::string source;         ///< where the values come from
    bool shipped = false;       ///< one of the ten; false for the user's
};

/// What the programs learn at start.
struct RefrigerantStart {
    /// The ten (the shipped table's data, or the engine's values alone when
    /// the shipped file is missing), then the user's, in the order of the file.
    std::vector<RefrigerantInfo> table;
    /// One per bad line, "line 4: the factor must be a number from 0.2 to 3.0.",
    /// or per file that could not be read at all.
    std::vector<std::string> problems;
    /// The file each of `problems` is about.
    std::vector<std::string> problemFiles;

    /// The text of the one WARNING the programs show at start: each file
    /// with its bad lines and the rule each broke. Empty when nothing went wrong.
    std::string warningText() const;
};

/// The columns of every refrigerant table file, in order: its header line.
inline constexpr std::array<std::string_view, 7> kRefrigerantColumns = {"name", "group",  "factor", "composition",
                                                                        "gwp",  "safety", "source"};
/// The shipped table and the components' GWPs, in the data folder; the
/// user's table has the shipped table's name, beside the settings file.
inline constexpr const char* kRefrigerantFileName = "refrigerants.csv";
inline constexpr const char* kComponentFileName = "refrigerant-components.csv";
/// Names the user's table instead of the one beside the settings file.
inline constexpr const char* kUserRefrigerantsVariable = "VANTREL_REFRIGERANTS";
/// Larger refrigerant files are no table anyone wrote; they are not read.
inline constexpr std::size_t kMaxRefrigerantFileSize = 1024 * 1024;

/// The user's table: $VANTREL_REFRIGERANTS when set, else refrigerants.csv
/// in userSettingsFolder() (which VANTREL_CONFIG moves).
std::string userRefrigerantsPath();

/// Reads the shipped table and the components' GWPs from `dataFolder`, and
/// the user's table (userRefrigerantsPath()), then gives the user's
/// refrigerants to the engine (setAddedRefrigerants), replacing any given before.
///
/// `dataFolder` is the folder the catalog falls back to when it is not in
/// the working directory: RootDir from the settings, or the program's data
/// folder when RootDir is not set, i.e. effectiveRootDir(settings) — what
/// both programs pass to the catalog lookup. A shipped file missing there
/// quietly leaves the ten with the engine's values alone; one that is there
/// but cannot be read, and every bad line of any file, is a problem.
RefrigerantStart startRefrigerants(const std::string& dataFolder);

/// startRefrigerants without the engine: reads the files at these paths (an
/// empty path: no such file). A missing user file adds nothing quietly
/// unless `userNamed` (the user named it): then it is a problem.
RefrigerantStart readRefrigerants(const std::string& shippedFile, const std::string& componentFile,
                                  const std::string& userFile, bool userNamed = false);

/// The label shown beside the refrigerant list: "GWP 1810 · A1" (U+00B7),
/// "GWP 675" without a class, "A2L" without a GWP, "" for an unknown name.
std::string refrigerantLabel(const std::vector<RefrigerantInfo>& table, const std::string& name);

/// The entry for `name` (exact spelling), or null.
const RefrigerantInfo* findRefrigerant(const std::vector<RefrigerantInfo>& table, std::string_view name);

/// "R-22" or "R-502": the group's name in the files; empty for Unknown.
std::string groupName(RefrigerantGroup group);

/// A GWP as the programs show it: rounded to a whole number.
std::string gwpText(double gwp);

/// A factor in the fewest digits that read back as the same number ("1.076", "1").
std::string factorText(double factor);

/// One component of a blend and its mass percentage.
struct BlendComponent {
    std::string name;
    double percent = 0.0;
};

/// "R-125 44% / R-143a 52% / R-134a 4%": components separated by "/", each
/// a name, a blank and a percentage, adding up to 100 (within 0.1); none
/// when the text is not written so.
std::optional<std::vector<BlendComponent>> parseComposition(std::string_view text);

/// A component's 100-year GWP, from refrigerant-components.csv.
struct ComponentGwp {
    std::string name;
    double gwp = 0.0;
    std::string source;
};

/// The blend's GWP, the mass-weighted sum of its components', rounded to a
/// whole number; none when a component is not in `components`.
std::optional<double> compositionGwp(const std::vector<BlendComponent>& blend,
                                     const std::vector<ComponentGwp>& components);

/// What reading one table file's text found.
struct RefrigerantFileRead {
    /// The lines that keep every rule, with the line each starts on.
    std::vector<std::pair<int, RefrigerantInfo>> rows;
    std::vector<std::string> problems;  ///< "line 4: …", in line order
};

/// Reads a refrigerant table's text (any bytes). A line is refused when its
/// name is one of `taken` (compared without regard to case) or of an earlier
/// line. Rows take `shipped`; a blank gwp is computed from the composition
/// with `components` when it can be.
RefrigerantFileRead readRefrigerantText(std::string_view text, const std::vector<std::string>& taken,
                                        const std::vector<ComponentGwp>& components, bool shipped);

/// Reads refrigerant-components.csv's text (name, gwp, source).
std::vector<ComponentGwp> readComponentText(std::string_view text, std::vector<std::string>& problems);

}  // namespace vantrel
