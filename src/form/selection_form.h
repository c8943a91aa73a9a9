// The toolkit-free logic of the selection form: the catalog, the result rows,
// the units flag and the document flags, and the Select and Rate actions. The
// window and the command line both drive their actions through this class.
#pragma once

#include <string>
#include <vector>

#include "catalog/vantrel_data.h"
#include "form/form_inputs.h"
#include "form/form_ui.h"
#include "form/result_rows.h"
#include "output/comparators.h"
#include "output/output_list.h"

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
    std::vector<std::string> resultLines;  ///< the result lines behind the run, in order
    int appended = 0;                      ///< rows appended
    int duplicates = 0;                    ///< rows skipped as duplicates
};

/// Message captions.
inline constexpr const char* kErrorCaption = "ERROR";
inline constexpr const char* kMessageCaption = "MESSAGE";
inline constexpr const char* kAbortCaption = "ABORT";

class SettingsStore;

class SelectionForm : public OutputListEvents {
public:
    VantrelData catalog;        ///< catalog used by Select and Rate
    ResultTable rows;           ///< the output list
    bool siUnits = true;        ///< inputs and rows are in SI units
    bool resultsChanged = false;
    bool untitled = true;
    bool listEmpty = true;
    SortState sort;             ///< the column sorted last and its direction

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
    ActionReport rate(FormInputs& inputs, FormUi& ui);

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
    bool isDuplicate(const std::string& partNumber, const std::string& refrigerant, double capacity,
                     double suctionTemp, double liquidTemp, double tubeLength) const;
};

}  // namespace vantrel
