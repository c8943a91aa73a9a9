// Timings of the output list at 100,000 rows, the size a whole imported
// schedule gives: appending (1,000 rows to 99,000, one row to 99,999 with
// the duplicate test), sorting by each of the 19 columns in both directions
// from a shuffled and from an already sorted order, deleting scattered
// selected rows and the Delete key's row, Select All with Delete Selection,
// the units switch both ways, and, for information, writing the document.
// Each operation must stay under 100 ms; the summary at the end sets every
// median against that and against copying the whole table, measured in the
// same run, which is what an operation that copied every row would cost at
// the least.
//
//   vantrel_list_bench [google benchmark flags]
//
// Without flags every benchmark runs 10 repetitions and only the aggregates
// are printed. Each timing covers the operation alone (manual timing with
// steady_clock); putting the table back for the next run is not timed.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <iostream>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "catalog_rows.h"
#include "engine/result_line.h"
#include "form/document.h"
#include "form/form_lists.h"
#include "form/selection_form.h"
#include "large_catalog.h"
#include "bench_run.h"
#include "output/comparators.h"
#include "output/output_list.h"

namespace {

using namespace vantrel;
using Clock = std::chrono::steady_clock;

constexpr std::size_t kRows = 100000;
constexpr std::size_t kBatch = 1000;

const std::string kVenturiFile = VANTREL_SHIPPED_DATA_DIR "/vflo.csv";
const std::string kNozzleFile = VANTREL_SHIPPED_DATA_DIR "/nflo.csv";

// 100,000 result lines, no two the same row, in shuffled order as a list
// gathered over many Selects and imports is; and the table they make in
// U.S. units.
struct ListData {
    std::vector<std::string> lines;
    ResultTable shuffled;
    std::size_t parts = 0;
};

ListData gData;
std::string gScratchFile;

class SilentEvents : public OutputListEvents {
public:
    void rowsDeleted() override {}
    void listEmptied() override {}
};

// Appends result lines as Select does: read each back, skip it when the list
// already shows it, append it otherwise. Returns how many were appended.
int appendLines(SelectionForm& form, std::vector<std::string>::const_iterator first,
                std::vector<std::string>::const_iterator last) {
    int appended = 0;
    dist found;
    for (auto it = first; it != last; ++it) {
        if (!parseResultLine(*it, found)) continue;
        if (form.isDuplicate(found.partNumber, found.refrigerant, found.capacity, found.suctionTemp, found.liquidTemp,
                             found.tubeLength))
            continue;
        form.addResultRow(found);
        ++appended;
    }
    return appended;
}

// Takes the rows from `from` on away again, outside the timing, so the next
// run appends to the same list.
void dropRowsFrom(ResultTable& rows, std::size_t from) {
    for (std::size_t i = from; i < rows.size(); ++i) rows.setSelected(i, true);
    rows.removeSelected();
}

std::string prepare() {
    const std::vector<dist> records = bench::catalogRecords(kVenturiFile, kNozzleFile);
    if (records.size() < 50) return "the shipped catalog gave only " + std::to_string(records.size()) + " parts";
    gData.parts = records.size();
    gData.lines = bench::distinctResultLines(records, kRows);
    if (gData.lines.size() != kRows) return "only " + std::to_string(gData.lines.size()) + " rows could be rated";
    std::shuffle(gData.lines.begin(), gData.lines.end(), std::mt19937(20240601));
    SelectionForm form;
    form.siUnits = false;
    if (appendLines(form, gData.lines.begin(), gData.lines.end()) != static_cast<int>(kRows))
        return "the rows are not all distinct";
    gData.shuffled = std::move(form.rows);
    return {};
}

// A form holding the first `count` lines, built by appending as the program
// builds it (so the table has the spare room its growth leaves).
void fillForm(SelectionForm& form, std::size_t count) {
    form.siUnits = false;
    appendLines(form, gData.lines.begin(), gData.lines.begin() + static_cast<std::ptrdiff_t>(count));
}

template <typename Operation>
void timed(benchmark::State& state, Operation&& operation) {
    const Clock::time_point start = Clock::now();
    operation();
    const Clock::time_point stop = Clock::now();
    state.SetIterationTime(std::chrono::duration<double>(stop - start).count());
}

// --- appending ------------------------------------------------------------------

void appendBatch(benchmark::State& state, std::size_t base, std::size_t batch) {
    SelectionForm form;
    fillForm(form, base);
    const auto first = gData.lines.begin() + static_cast<std::ptrdiff_t>(base);
    int appended = 0;
    for (auto _ : state) {
        timed(state, [&] { appended = appendLines(form, first, first + static_cast<std::ptrdiff_t>(batch)); });
        dropRowsFrom(form.rows, base);
    }
    state.SetLabel(std::to_string(appended) + " appended to " + std::to_string(base));
}

// A line already in the list: read back, found by the duplicate test, not
// appended.
void appendDuplicate(benchmark::State& state) {
    SelectionForm form;
    fillForm(form, kRows - 1);
    const auto line = gData.lines.begin() + static_cast<std::ptrdiff_t>(kRows / 2);
    int appended = 0;
    for (auto _ : state) timed(state, [&] { appended = appendLines(form, line, line + 1); });
    if (appended != 0) state.SkipWithError("a duplicate was appended");
}

// The worst single append: a table with no spare room, as a copied table
// has, so the row storage grows and every row moves once.
void appendAtFullCapacity(benchmark::State& state) {
    ResultTable base;
    for (std::size_t i = 0; i + 1 < kRows; ++i) base.append(gData.shuffled.row(i));
    const auto last = gData.lines.begin() + static_cast<std::ptrdiff_t>(kRows - 1);
    for (auto _ : state) {
        SelectionForm form;
        form.siUnits = false;
        form.rows = ResultTable(base);  // a fresh copy keeps no spare room
        timed(state, [&] { appendLines(form, last, last + 1); });
    }
}

// --- sorting --------------------------------------------------------------------

// The sort state a heading click turns into `ascending` on `column`.
SortState stateBeforeClick(int column, bool ascending) {
    SortState sort;
    if (!ascending) {
        sort.SortColumn = column;
        sort.SortAscending = true;
    }
    return sort;
}

void sortShuffled(benchmark::State& state, int column, bool ascending) {
    ResultTable rows;
    for (auto _ : state) {
        rows = gData.shuffled;
        SortState sort = stateBeforeClick(column, ascending);
        timed(state, [&] { sortByColumn(rows, sort, column); });
    }
}

// Sorted already by the same column in the same direction: the sort must
// still look at every key, and, being stable, leaves the order as it is,
// so the next run starts from the same order.
void sortSorted(benchmark::State& state, int column, bool ascending) {
    ResultTable rows = gData.shuffled;
    SortState prime = stateBeforeClick(column, ascending);
    sortByColumn(rows, prime, column);
    for (auto _ : state) {
        SortState sort = stateBeforeClick(column, ascending);
        timed(state, [&] { sortByColumn(rows, sort, column); });
    }
}

// --- deleting -------------------------------------------------------------------

void deleteScattered(benchmark::State& state) {
    std::vector<std::size_t> chosen(kRows);
    for (std::size_t i = 0; i < kRows; ++i) chosen[i] = i;
    std::shuffle(chosen.begin(), chosen.end(), std::mt19937(7));
    chosen.resize(kRows / 10);
    ResultTable rows;
    SilentEvents events;
    std::size_t left = 0;
    for (auto _ : state) {
        rows = gData.shuffled;
        for (std::size_t i : chosen) rows.setSelected(i, true);
        timed(state, [&] { deleteSelection(rows, events); });
        left = rows.size();
    }
    state.SetLabel(std::to_string(left) + " rows left");
}

// The Delete key on one selected, focused row; the first row is the worst
// case, since every row after it moves up.
void deleteWithKeyAt(benchmark::State& state, std::size_t row) {
    ResultTable rows;
    SilentEvents events;
    for (auto _ : state) {
        rows = gData.shuffled;
        rows.setSelected(row, true);
        rows.setFocused(row);
        timed(state, [&] { deleteWithKey(rows, events); });
    }
}

void selectAllAndDelete(benchmark::State& state) {
    ResultTable rows;
    SilentEvents events;
    for (auto _ : state) {
        rows = gData.shuffled;
        timed(state, [&] {
            selectAll(rows);
            deleteSelection(rows, events);
        });
    }
}

// --- the units switch -----------------------------------------------------------

// Each run switches twice; only the switch into `toSi` units is timed.
void unitsSwitch(benchmark::State& state, bool toSi) {
    SelectionForm form;
    form.rows = gData.shuffled;
    form.siUnits = false;
    FormInputs inputs = lists::defaultInputs(false);
    if (!toSi) form.switchUnits(inputs, nullptr);
    for (auto _ : state) {
        timed(state, [&] { form.switchUnits(inputs, nullptr); });
        form.switchUnits(inputs, nullptr);
    }
}

// --- the document ---------------------------------------------------------------

void writeDocument(benchmark::State& state, bool si) {
    SelectionForm form;
    form.rows = gData.shuffled;
    form.siUnits = false;
    FormInputs inputs = lists::defaultInputs(false);
    if (si) form.switchUnits(inputs, nullptr);
    std::string error;
    for (auto _ : state) {
        bool written = false;
        timed(state, [&] { written = form.writeDocument(gScratchFile, error); });
        if (!written) {
            state.SkipWithError(("cannot write the document: " + error).c_str());
            return;
        }
    }
}

// --- baselines ------------------------------------------------------------------

// What copying every row costs: the least an operation that copied the
// table would take.
void copyAllRows(benchmark::State& state) {
    for (auto _ : state) {
        ResultTable copy;
        timed(state, [&] { copy = gData.shuffled; });
        benchmark::DoNotOptimize(copy.size());
    }
}

// One read of every cell: the floor of any pass over all rows.
void readAllCells(benchmark::State& state) {
    for (auto _ : state) {
        std::size_t total = 0;
        timed(state, [&] {
            for (const ResultRow& row : gData.shuffled.rows())
                for (const std::string& cell : row) total += cell.size() + static_cast<unsigned char>(cell[0]);
        });
        benchmark::DoNotOptimize(total);
    }
}

// --- summary --------------------------------------------------------------------

const char* const kColumnNames[kColumnCount] = {
    "style",      "part_number", "refrigerant",  "capacity",    "suction",       "liquid",     "length",
    "total_drop", "tube_drop",   "tube_load",    "nozzle_drop", "nozzle_load",   "inlet_size", "outlet_size",
    "circuits",   "orifice",     "orifice_type", "side_port",   "side_port_size"};

class SummaryReporter : public bench::MedianReporter {
public:
    void Finalize() override {
        ConsoleReporter::Finalize();
        std::ostream& out = GetOutputStream();
        const auto copy = seconds_.find("Baseline/copy_all_rows");
        out << "\nSummary (medians, ms; goal < 100 ms; ratio to copying all 100,000 rows in this run)\n";
        double slowest = 0;
        std::string slowestName;
        for (const auto& [name, seconds] : seconds_) {
            const bool informational = name.rfind("Baseline/", 0) == 0 || name.rfind("DocumentWrite/", 0) == 0;
            char text[200];
            std::snprintf(text, sizeof text, "  %-44s %9.3f ms  %5.2f x copy  %s\n", name.c_str(), seconds * 1e3,
                          copy == seconds_.end() ? 0.0 : seconds / copy->second,
                          informational           ? "(information)"
                          : seconds * 1e3 < 100.0 ? "met"
                                                  : "MISSED");
            out << text;
            if (!informational && seconds > slowest) {
                slowest = seconds;
                slowestName = name;
            }
        }
        if (!slowestName.empty()) out << "  slowest operation: " << slowestName << '\n';
    }

private:
};

// --- registration ---------------------------------------------------------------

void registerAll() {
    using benchmark::RegisterBenchmark;
    auto manual = [](benchmark::internal::Benchmark* b) {
        return b->Unit(benchmark::kMillisecond)->UseManualTime()->MinTime(0.1);
    };
    // Runs that copy the whole table first: a fixed, small number of timed
    // runs per repetition, or the untimed copies would take minutes.
    auto afterCopy = [](benchmark::internal::Benchmark* b) {
        return b->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(3);
    };
    manual(RegisterBenchmark("Baseline/copy_all_rows", copyAllRows));
    manual(RegisterBenchmark("Baseline/read_all_cells", readAllCells));
    manual(RegisterBenchmark("ListAppend/1000_onto_99000", appendBatch, kRows - kBatch, kBatch));
    manual(RegisterBenchmark("ListAppend/1_onto_99999", appendBatch, kRows - 1, std::size_t{1}));
    manual(RegisterBenchmark("ListAppend/1_duplicate_of_99999", appendDuplicate));
    afterCopy(RegisterBenchmark("ListAppend/1_onto_99999_full_capacity", appendAtFullCapacity));
    for (int col = 0; col < kColumnCount; ++col) {
        for (const bool ascending : {true, false}) {
            const std::string suffix = std::string(kColumnNames[col]) + (ascending ? "/ascending" : "/descending");
            afterCopy(RegisterBenchmark(("ListSort/shuffled/" + suffix).c_str(), sortShuffled, col, ascending));
            manual(RegisterBenchmark(("ListSort/sorted/" + suffix).c_str(), sortSorted, col, ascending));
        }
    }
    afterCopy(RegisterBenchmark("ListDelete/10pct_scattered", deleteScattered));
    afterCopy(RegisterBenchmark("ListDelete/key_first_row", deleteWithKeyAt, std::size_t{0}));
    afterCopy(RegisterBenchmark("ListDelete/key_middle_row", deleteWithKeyAt, kRows / 2));
    afterCopy(RegisterBenchmark("ListDelete/select_all", selectAllAndDelete));
    manual(RegisterBenchmark("UnitsSwitch/us_to_si", unitsSwitch, true));
    manual(RegisterBenchmark("UnitsSwitch/si_to_us", unitsSwitch, false));
    manual(RegisterBenchmark("DocumentWrite/us", writeDocument, false));
    manual(RegisterBenchmark("DocumentWrite/si", writeDocument, true));
}

}  // namespace

int main(int argc, char** argv) {
    if (!bench::initializeWithDefaults(argc, argv)) return 1;

    const bench::ScratchDir scratch;
    if (scratch.path().empty()) {
        std::cerr << "cannot create a temporary directory\n";
        return 1;
    }
    gScratchFile = scratch.file("list.dst");
    if (const std::string problem = prepare(); !problem.empty()) {
        std::cerr << "cannot prepare the 100,000-row list: " << problem << '\n';
        return 1;
    }
    std::cerr << "100,000 rows from " << gData.parts << " catalog parts\n";

    registerAll();
    SummaryReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
