// The toolkit-free logic of the selection form: the catalog, the result rows,
// the units flag and the document flags, and the Select and Rate actions. The
// window and the command line both drive their actions through this class.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "catalog/vantrel_data.h"
#include "form/form_inputs.h"
#include "form/document.h"
#include "form/form_ui.h"
#include "i18n/translate.h"
#include "results/result_rows.h"
#include "output/comparators.h"
#include "output/output_list.h"
#include "print/page_layout.h"

namespace vantrel {

/// How an action ended.
enum class ActionOutcome {
    Appended,       ///< rows were appended (possibly none, when all were duplicates)
    InputRejected,  ///< an input check stopped the run
    EngineError,    ///< the search, lookup or rating reported an error code
    NotFound,       ///< nothing matched ("Did not find any matches." / "No such model.")
    Duplicate,      ///< the rated part is already in the list
};

/// What an action did, for callers that want more than the rows.
struct ActionReport {
    ActionOutcome outcome = ActionOutcome::InputRejected;
    int status = 0;                        ///< the engine's status code for EngineError
    /// The result lines behind the run, one per distributor found (for Rate
    /// the one rated), in order; each an empty text unless the form's
    /// writeResultLines asked for them.
    std::vector<std::string> resultLines;
    int appended = 0;                      ///< rows appended
    int duplicates = 0;                    ///< rows skipped as duplicates
    /// Select: for each record found, whether it was appended as a row
    /// (false: it was skipped as a duplicate).
    std::vector<bool> listed;
    /// Select's search: the records found, unrounded, in the order of the
    /// result lines, and the loading windows each catalog's search used.
    SearchResult search;
    /// Rate: the record as rated, unrounded (its capacity the rated one when
    /// none was given).
    dist rated;
};

/// A Rate's conditions as the form reads its fields, in U.S. units.
struct RateConditions {
    std::string refrigerant;
    double capacity = 0.0;  ///< tons; 0 rates the distributor at its own rated capacity
    double suction = 0.0;   ///< °F
    double liquid = 0.0;    ///< °F
    double length = 0.0;    ///< inches
};

/// Message captions, in English: translated with tr() where a message is shown.
inline constexpr const char* kErrorCaption = N_("ERROR");
inline constexpr const char* kMessageCaption = N_("MESSAGE");
inline constexpr const char* kAbortCaption = N_("ABORT");
inline constexpr const char* kWarningCaption = N_("WARNING");

/// What the form says of a capacity of zero where a capacity is wanted
/// (English; shown through tr()).
inline constexpr const char* kZeroCapacityText = N_("Cannot have zero capacity.");

class SettingsStore;

class SelectionForm : public OutputListEvents {
public:
    VantrelData catalog;  ///< catalog used by Select and Rate
    /// Catalog text read once for a run of many actions (a schedule); null:
    /// every action reads the files afresh, so an edited catalog counts at once.
    const LoadedCatalog* loadedCatalog = nullptr;
    ResultTable rows;     ///< the output list
    bool siUnits = true;  ///< inputs and rows are in SI units
    /// Select and Rate write the result line of each distributor they find
    /// into their report (the command line's `lines` format prints them).
    /// Off, the report holds an empty text in each line's place, and a run
    /// that shows only rows does not pay for lines it never prints.
    bool writeResultLines = true;
    bool resultsChanged = false;
    bool untitled = true;
    bool listEmpty = true;
    SortState sort;               ///< the column sorted last and its direction
    FileData fileData;            ///< the document dialogs' shared data
    PrintHeaderData printHeader;  ///< the print header dialog's record, kept between print commands
    /// Texts of the Preferences fields: nozzle min, nozzle max, tube min, tube max (%).
    std::array<std::string, 4> prefTexts{"90", "110", "90", "110"};

    /// What the form does when it is created: creates the settings key when
    /// missing, takes the units from the stored setting, and locates the
    /// catalog files under `rootDir`, warning about each one missing (nozzle
    /// catalog first).
    void start(SettingsStore& settings, const std::string& rootDir, FormUi& ui);

    /// The first input checks of Select; 0 = go on, 1 = stopped with a message.
    int validateSelectInputs(const FormInputs& inputs, FormUi& ui) const;
    /// Select: checks the inputs, searches the catalog, appends the new rows.
    ActionReport select(const FormInputs& inputs, FormUi& ui);
    /// Rate: looks up the typed part number, rates it, appends its row. Writes
    /// the display form of the part number back into `inputs` and the field.
    /// With `accept`, only the catalog entries it takes are looked up.
    ActionReport rate(FormInputs& inputs, FormUi& ui, const VantrelData::PartFilter& accept = {});
    /// Rate's reading of the conditions: each field read and checked in turn,
    /// in the Rate's words; empty after the message.
    std::optional<RateConditions> readRateConditions(const FormInputs& inputs, FormUi& ui) const;
    /// Rate of a catalog entry already found, at conditions given as numbers:
    /// the Rate's checks of them, in its order and words, the rating, the row.
    ActionReport rateEntry(dist entry, const RateConditions& conditions, FormUi& ui);

    /// Stores the Preferences texts into the catalog's four limits.
    void applyPreferenceTexts();

    /// Switches between U.S. and SI units: rewrites the temperature and
    /// capacity texts of `inputs`, every row, and stores the new setting.
    void switchUnits(FormInputs& inputs, SettingsStore* settings);
    /// Rewrites the unit-dependent cells of every row into the current units,
    /// assuming they are written in the other ones.
    void convertRows();

    /// File > New: asks before dropping unsaved results, then empties the list.
    void newDocument(FormUi& ui);
    /// File > Open: asks for a document and loads it in place of the rows.
    void openDocument(FormUi& ui);
    // Asks before unsaved rows are replaced; true when the user agrees or nothing is unsaved.
    bool mayDiscardResults(FormUi& ui);
    /// Loads the document at `path` in place of the rows; false (and nothing
    /// changed) when it cannot be read.
    bool openDocumentFile(const std::string& path, FormUi& ui);
    /// File > Save: writes the rows to the remembered document.
    void saveDocument(FormUi& ui);
    /// File > Save As: asks for a name and writes the rows there.
    void saveDocumentAs(FormUi& ui);
    /// Save is usable for a named, changed, non-empty document.
    bool canSave() const { return !untitled && resultsChanged && !listEmpty; }
    /// Save As is usable whenever the list holds rows.
    bool canSaveAs() const { return !listEmpty; }
    /// May the program close? Asks when results are unsaved.
    bool mayClose(FormUi& ui);
    /// Writes the rows (in U.S. units) to `path`; false with `error` set when
    /// the file cannot be written, leaving any previous file intact.
    bool writeDocument(const std::string& path, std::string& error);

    /// Clear Results: asks for confirmation, then removes every row.
    void clearResults(FormUi& ui);
    /// A click on column heading `column`: sorts the rows by it.
    void sortByColumn(int column);

    // OutputListEvents: the list's notifications about deleted rows.
    void rowsDeleted() override { resultsChanged = true; }
    void listEmptied() override { listEmpty = true; }

    /// Appends `r` as a new last row in the current units.
    void addResultRow(const dist& r);
    /// True when a row shows this part at these conditions (U.S. customary values).
    bool isDuplicate(const std::string& partNumber, const std::string& refrigerant, double capacity, double suctionTemp,
                     double liquidTemp, double tubeLength) const;

private:
    // The document flags after rows were appended.
    void rowsAppended();
    // Appends a row for each distributor found and its result line to the
    // report, counting duplicates. Rows show the records rounded as their
    // result lines are.
    void appendFound(const SearchResult& found, ActionReport& report);
    // Rate's first step: finds the typed part and shows its catalog spelling.
    PartLookup lookUpPart(FormInputs& inputs, FormUi& ui, dist& record, ActionReport& report,
                          const VantrelData::PartFilter& accept) const;
};

}  // namespace vantrel
