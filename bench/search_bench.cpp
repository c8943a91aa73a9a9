// Timings of the selection search: one rating, a search and a whole Select on
// the shipped catalog, the same searches on a catalog a hundred times larger,
// and, as the floor a sequential search cannot go below, just reading each
// file in one read and splitting it into lines. Then the output list when it
// has grown long: appending a Select's results to 10,000 rows and sorting
// 10,000 rows by a column. A schedule of 10,000 duties runs as the command
// line's batch runs it, without output and with CSV output. The summary at
// the end sets the search against that floor, a batch duty against one
// Select, and all against the response times the program must keep.
//
//   vantrel_search_bench [google benchmark flags]
//
// Without flags every benchmark runs 10 repetitions and only the aggregates
// are printed. The summary's times are medians of real (wall-clock) time,
// since the search spends part of its time in file I/O; its ratios come from
// paired rounds run after the benchmarks (paired_ratio.h), which a busy
// machine moves far less than a ratio of two medians.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <map>
#include <memory>
#include <random>
#include <streambuf>
#include <string>
#include <string_view>
#include <vector>

#include "catalog/catalog_file.h"
#include "cli/batch_command.h"
#include "catalog/vantrel_data.h"
#include "engine/dist.h"
#include "engine/result_line.h"
#include "form/form_lists.h"
#include "form/selection_form.h"
#include "catalog_rows.h"
#include "large_catalog.h"
#include "bench_run.h"
#include "paired_ratio.h"
#include "output/comparators.h"
#include "schedule/schedule_run.h"

// Only the read-only form of benchmark::DoNotOptimize is used here: with GCC
// 12 and benchmark 1.7, the read-write form left garbage in an int that was
// read after the timing loop.

namespace {

using namespace vantrel;

constexpr int kLargeCopies = 100;
constexpr int kMediumCopies = 10;

struct CatalogPaths {
    std::string venturi;
    std::string nozzle;
};

CatalogPaths gShipped{VANTREL_SHIPPED_DATA_DIR "/vflo.csv", VANTREL_SHIPPED_DATA_DIR "/nflo.csv"};
CatalogPaths gLarge;
CatalogPaths gMedium;  // ten times the shipped rows: how the cost grows with the catalog

// The batch benchmarks' schedule: generated duties, written to a file for the
// command line's batch run, which reads its schedule from one.
constexpr int kScheduleDuties = 10000;
std::string gScheduleFile;

VantrelData catalogAt(const CatalogPaths& paths) {
    VantrelData data;
    data.venturiFile = paths.venturi;
    data.nozzleFile = paths.nozzle;
    return data;
}

// Two duties at R-22, 40 °F suction, 100 °F liquid, 30 in tubes, 8 circuits.
// At 14 tons on 1/4 in tubes both catalogs have bodies loaded near 100 %, so
// the records come from the Preferences windows. At 1000 tons with any tube
// nothing fits at any load, so the windows widen step by step up to their
// outer bounds; with no tube size chosen, every 8-circuit body of every tube
// size is rated. Each catalog is read and scanned once either way.
enum class Duty { AtOnce, Widening };

// The default tube window's upper edge needs 19 steps of 10 % from 110 % to
// its 300 % bound: the widening duty ends with the windows of step 19.
constexpr int kWideningSteps = 19;

constexpr DistributorType kEither = DistributorType::Either;
constexpr DistributorType kNozzle = DistributorType::Nozzle;
constexpr DistributorType kVenturi = DistributorType::Venturi;

SearchRequest requestFor(Duty duty, DistributorType distributorType) {
    SearchRequest r;
    r.distributorType = distributorType;
    r.refrigerant = "R-22";
    r.suctionTemp = 40;
    r.liquidTemp = 100;
    r.tubeLength = 30;
    r.circuits = 8;
    r.sidePort = SidePort::None;
    if (duty == Duty::AtOnce) {
        r.capacity = 14;
        r.tubeNumber = 3;  // 1/4 in
    } else {
        r.capacity = 1000;
        r.tubeNumber = 0;
    }
    return r;
}

FormInputs inputsFor(Duty duty) {
    FormInputs in = lists::defaultInputs(false);
    in.distributorType = kEither;
    in.refrigerant = "R-22";
    in.suctionTemp = "40";
    in.liquidTemp = "100";
    in.tubeLength = "30";
    in.circuits = "8";
    if (duty == Duty::AtOnce) {
        in.capacity = "14";
        in.tubeSize = 3;
    } else {
        in.capacity = "1000";
        in.tubeSize = 0;
    }
    return in;
}

class SilentUi : public FormUi {
public:
    MessageAnswer showMessage(const std::string&, const std::string&, MessageIcon, MessageButtons) override {
        return MessageAnswer::Ok;
    }
    void setFocus(int) override {}
    void setControlText(int, const std::string&) override {}
};

// --- benchmark bodies --------------------------------------------------------

void rateRecord(benchmark::State& state, const std::string& partNumber) {
    const VantrelData data = catalogAt(gShipped);
    dist d;
    if (data.findPart(partNumber, d).outcome != PartOutcome::Found) {
        state.SkipWithError(("part not in the shipped catalog: " + partNumber).c_str());
        return;
    }
    const std::string refrigerant = "R-22";
    for (auto _ : state) {
        const int status = d.rate(refrigerant, 14, 40, 100, 30);
        const double totalDrop = d.totalDrop;
        benchmark::DoNotOptimize(status);
        benchmark::DoNotOptimize(totalDrop);
    }
}

void findModel(benchmark::State& state, const CatalogPaths& paths, Duty duty, DistributorType distributorType) {
    const VantrelData data = catalogAt(paths);
    const SearchRequest request = requestFor(duty, distributorType);
    int count = 0;
    for (auto _ : state) {
        // A fresh list each time, as every Select starts with one.
        std::vector<std::string> lines;
        const int status = data.findModel(request, lines, count);
        benchmark::DoNotOptimize(status);
        benchmark::DoNotOptimize(lines.data());
    }
    state.SetLabel(std::to_string(count) + " results");
}

// --- workloads of the goal checks ----------------------------------------------

// The timed work of a benchmark that a goal sets against another, built once:
// the same work runs under Google Benchmark and in the goal checks' paired
// rounds, so both time exactly the same thing.
struct Workload {
    std::function<void()> run;
    double units = 1;                    ///< units of work a run does (duties of a schedule), for per-unit ratios
    std::function<std::string()> label;  ///< what the last run did
    std::string error;                   ///< set when the work cannot run
};
using WorkloadMaker = std::function<Workload()>;

Workload searchWork(const CatalogPaths& paths, Duty duty, DistributorType distributorType) {
    struct State {
        VantrelData data;
        SearchRequest request;
        std::size_t found = 0;
    };
    auto s = std::make_shared<State>(State{catalogAt(paths), requestFor(duty, distributorType)});
    return {[s] {
                const SearchResult result = s->data.search(s->request);
                s->found = result.found.size();
                benchmark::DoNotOptimize(result.found.data());
            },
            1, [s] { return std::to_string(s->found) + " records"; }, {}};
}

Workload selectWork(const CatalogPaths& paths, Duty duty) {
    struct State {
        SelectionForm form;
        FormInputs inputs;
        SilentUi ui;
        int appended = 0;
    };
    auto s = std::make_shared<State>();
    s->form.siUnits = false;
    s->form.catalog = catalogAt(paths);
    s->inputs = inputsFor(duty);
    return {[s] {
                // An emptied list, so that no run finds its rows already there.
                s->form.rows.clear();
                s->appended = s->form.select(s->inputs, s->ui).appended;
            },
            1, [s] { return std::to_string(s->appended) + " rows"; }, {}};
}

// A schedule of generated duties near the found-at-once one, run as
// vantrel-cli batch runs it: read once, each catalog file read once, every
// duty on an emptied list. The time per duty compares with one Select.
std::string generatedSchedule(int duties) {
    std::string text = "tag,refrigerant,capacity,circuits,suction,liquid,length,tube\n";
    for (int i = 0; i < duties; ++i) {
        const int tenths = 130 + i % 21;  // 13.0 to 15.0 tons
        text += "C-" + std::to_string(i) + ",R-22," + std::to_string(tenths / 10) + "." + std::to_string(tenths % 10) +
                ",8,40,100,30,1/4\n";
    }
    return text;
}

// The duties alone, without any output.
Workload batchWork(const CatalogPaths& paths, int duties) {
    struct State {
        CatalogPaths paths;
        std::string text;
        std::size_t rows = 0;
        int widened = 0;
    };
    auto s = std::make_shared<State>(State{paths, generatedSchedule(duties)});
    return {[s] {
                const ScheduleRead read = readScheduleText(s->text, false);
                SelectionForm form;
                form.siUnits = false;
                form.writeResultLines = false;  // as vantrel-cli sets it for every format but lines
                form.catalog = catalogAt(s->paths);
                const CatalogReadOnce catalog(form);
                s->rows = 0;
                s->widened = 0;
                for (const ScheduleDuty& duty : read.schedule.duties) {
                    form.rows.clear();
                    const DutyRun run = runDuty(form, duty);
                    s->rows += form.rows.size();
                    s->widened += run.report.search.nozzle.widened() || run.report.search.venturi.widened();
                }
            },
            static_cast<double>(duties),
            [s] { return std::to_string(s->rows) + " rows, " + std::to_string(s->widened) + " duties widened"; },
            {}};
}

// Takes what is written to standard output while it lives.
class DiscardedOutput {
public:
    DiscardedOutput() : saved_(std::cout.rdbuf(&sink_)) {}
    ~DiscardedOutput() { std::cout.rdbuf(saved_); }
    DiscardedOutput(const DiscardedOutput&) = delete;
    DiscardedOutput& operator=(const DiscardedOutput&) = delete;
    std::size_t written() const { return sink_.written; }

private:
    struct Sink : std::streambuf {
        std::size_t written = 0;
        int_type overflow(int_type c) override {
            ++written;
            return traits_type::not_eof(c);
        }
        std::streamsize xsputn(const char*, std::streamsize count) override {
            written += static_cast<std::size_t>(count);
            return count;
        }
    };
    Sink sink_;
    std::streambuf* saved_;
};

// The command line's own batch run, `vantrel-cli batch FILE --format csv`:
// the schedule read from its file, and each duty's rows written as CSV
// records as soon as the duty is done (into a stream that keeps nothing).
Workload batchCsvWork(const CatalogPaths& paths, const std::string& scheduleFile) {
    struct State {
        CatalogPaths paths;
        cli::BatchSettings settings;
        std::size_t bytes = 0;
        int status = 0;
    };
    auto s = std::make_shared<State>();
    s->paths = paths;
    s->settings.file = scheduleFile;
    s->settings.format = "csv";
    const ScheduleRead read = readScheduleFile(scheduleFile, false);
    const auto duties = static_cast<double>(read.schedule.duties.size());
    Workload work{[s] {
                      SelectionForm form;
                      form.writeResultLines = false;  // as vantrel-cli sets it for every format but lines
                      form.catalog = catalogAt(s->paths);
                      const DiscardedOutput output;
                      s->status = cli::runBatch(s->settings, form);
                      s->bytes = output.written();
                  },
                  duties, [s] { return std::to_string(s->bytes) + " bytes of CSV"; }, {}};
    if (!read.error.empty() || duties == 0) work.error = "cannot read the generated schedule " + scheduleFile;
    return work;
}

// The floor of any search that reads a file afresh: the file's whole size
// in one read into a fresh buffer, then every line found with memchr and its
// first byte touched.
Workload readLinesWork(const std::string& path) {
    std::error_code failure;
    const auto size = static_cast<std::size_t>(std::filesystem::file_size(path, failure));
    if (failure || size == 0) return {[] {}, 1, [] { return std::string(); }, "cannot size " + path};
    struct State {
        std::string path;
        std::size_t size = 0;
        std::size_t rows = 0;
    };
    auto s = std::make_shared<State>(State{path, size});
    return {[s] {
                std::FILE* file = std::fopen(s->path.c_str(), "rb");
                if (!file) return;
                std::setvbuf(file, nullptr, _IONBF, 0);  // straight into the buffer, one read of the whole size
                const std::unique_ptr<char[]> buffer(new char[s->size]);
                const std::size_t got = std::fread(buffer.get(), 1, s->size, file);
                std::fclose(file);
                const char* p = buffer.get();
                const char* const end = p + got;
                std::size_t touched = 0;
                std::size_t rows = 0;
                while (p < end) {
                    const void* newline = std::memchr(p, '\n', static_cast<std::size_t>(end - p));
                    const char* lineEnd = newline ? static_cast<const char*>(newline) : end;
                    ++rows;
                    touched += static_cast<unsigned char>(*p);
                    p = lineEnd + 1;
                }
                s->rows = rows;
                const std::size_t seen = touched + rows;
                benchmark::DoNotOptimize(seen);
            },
            1, [s] { return std::to_string(s->rows) + " lines"; }, {}};
}

// Every workload by its benchmark's name, for the goal checks.
std::map<std::string, WorkloadMaker> gWorkloads;

void runWorkload(benchmark::State& state, const WorkloadMaker& make) {
    const Workload work = make();
    if (!work.error.empty()) {
        state.SkipWithError(work.error.c_str());
        return;
    }
    for (auto _ : state) work.run();
    if (work.units != 1) {
        state.counters["per_duty_us"] = benchmark::Counter(work.units * static_cast<double>(state.iterations()),
                                                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
    }
    state.SetLabel(work.label());
}

void registerWorkload(const std::string& name, WorkloadMaker make, benchmark::TimeUnit unit) {
    gWorkloads[name] = make;
    benchmark::RegisterBenchmark(name.c_str(), runWorkload, std::move(make))->Unit(unit)->UseRealTime();
}

void readAndSplit(benchmark::State& state, const std::string& path) {
    std::size_t rows = 0;
    for (auto _ : state) {
        // A fresh buffer each time, like every search pass.
        std::string content;
        if (!readWholeFile(path, content)) {
            state.SkipWithError(("cannot read " + path).c_str());
            return;
        }
        std::size_t touched = 0;
        rows = 0;
        forEachCatalogRow(content, [&](std::string_view line) {
            ++rows;
            touched += line.size() + static_cast<unsigned char>(line.front());
            return true;
        });
        const std::size_t seen = touched + rows;
        benchmark::DoNotOptimize(seen);
    }
    state.SetLabel(std::to_string(rows) + " rows");
}

// --- the output list when it has grown long ----------------------------------

constexpr int kLongList = 10000;
constexpr int kAppended = 1000;

// A long list and a Select's worth of new result lines for it, made from
// real records of the shipped catalog.
struct ListData {
    ResultTable rows;                   // kLongList rows in no particular order
    std::vector<std::string> newLines;  // kAppended result lines, none already in `rows`
};

ListData gList;

// Appends the lines as Select does: read each one back, skip it when the list
// already shows it, append it otherwise. Returns how many were appended.
int appendLines(SelectionForm& form, const std::vector<std::string>& lines) {
    int appended = 0;
    dist found;
    for (const std::string& line : lines) {
        if (!parseResultLine(line, found)) continue;
        if (form.isDuplicate(found.partNumber, found.refrigerant, found.capacity, found.suctionTemp, found.liquidTemp,
                             found.tubeLength))
            continue;
        form.addResultRow(found);
        ++appended;
    }
    return appended;
}

// Row j is catalog record j mod n at a capacity raised by 0.01 ton for each
// round through the records, so no two rows are duplicates of each other.
std::string prepareListData() {
    const std::vector<dist> records = bench::catalogRecords(gShipped.venturi, gShipped.nozzle);
    if (records.size() < 50) return "the shipped catalog gave only " + std::to_string(records.size()) + " parts";
    std::vector<std::string> lines;
    for (int j = 0; j < kLongList + kAppended; ++j) {
        dist d = records[static_cast<std::size_t>(j) % records.size()];
        d.capacity += 0.01 * static_cast<double>(static_cast<std::size_t>(j) / records.size());
        lines.push_back(d.makeResultLine());
    }
    // A list gathered over many Selects: shuffled, so no column starts sorted.
    std::shuffle(lines.begin(), lines.begin() + kLongList, std::mt19937(20240601));
    SelectionForm form;
    form.siUnits = false;
    const std::vector<std::string> first(lines.begin(), lines.begin() + kLongList);
    if (appendLines(form, first) != kLongList) return "the long list has duplicate rows";
    gList.newLines.assign(lines.begin() + kLongList, lines.end());
    gList.rows = form.rows;
    if (appendLines(form, gList.newLines) != kAppended) return "the new lines are already in the long list";
    return {};
}

using Clock = std::chrono::steady_clock;

// Only the appending is timed: the list is copied before and dropped after,
// so each run starts from the same 10,000 rows and the same index.
void appendToLongList(benchmark::State& state) {
    int appended = 0;
    for (auto _ : state) {
        SelectionForm form;
        form.siUnits = false;
        form.rows = gList.rows;
        const Clock::time_point start = Clock::now();
        appended = appendLines(form, gList.newLines);
        const Clock::time_point stop = Clock::now();
        state.SetIterationTime(std::chrono::duration<double>(stop - start).count());
        benchmark::DoNotOptimize(form.rows.size());
    }
    state.SetLabel(std::to_string(appended) + " appended to " + std::to_string(kLongList) + " rows");
}

// A first click on the heading (ascending), timed alone on a fresh copy of the
// unsorted list; the comparator's preparation and the reordering count.
void sortLongList(benchmark::State& state, int column) {
    for (auto _ : state) {
        ResultTable rows = gList.rows;
        SortState sort;
        const Clock::time_point start = Clock::now();
        sortByColumn(rows, sort, column);
        const Clock::time_point stop = Clock::now();
        state.SetIterationTime(std::chrono::duration<double>(stop - start).count());
        benchmark::DoNotOptimize(rows.row(0).data());
    }
    state.SetLabel(std::to_string(gList.rows.size()) + " rows");
}

// --- checks that the duties still do what the names claim ---------------------

// The at_once duty must find its records inside the Preferences windows, the
// widening duty nothing up to the outer bounds, as the search reports.
std::string checkFoundAtOnce(const CatalogPaths& paths, DistributorType distributorType, int& count) {
    const SearchResult result = catalogAt(paths).search(requestFor(Duty::AtOnce, distributorType));
    const CatalogSearch& searched = distributorType == kNozzle ? result.nozzle : result.venturi;
    const std::string& file = distributorType == kNozzle ? paths.nozzle : paths.venturi;
    count = searched.found;
    if (result.status != code::kOk || count == 0) return "found-at-once duty finds nothing in " + file;
    if (searched.widened()) return "found-at-once duty needs wider windows in " + file;
    return {};
}

std::string checkDuties() {
    for (const DistributorType type : {kNozzle, kVenturi}) {
        int shippedCount = 0;
        int largeCount = 0;
        if (std::string e = checkFoundAtOnce(gShipped, type, shippedCount); !e.empty()) return e;
        if (std::string e = checkFoundAtOnce(gLarge, type, largeCount); !e.empty()) return e;
        if (largeCount != kLargeCopies * shippedCount) return "the large catalog does not repeat the shipped rows";
    }
    for (const CatalogPaths* paths : {&gShipped, &gLarge}) {
        const SearchResult result = catalogAt(*paths).search(requestFor(Duty::Widening, kEither));
        if (result.status != code::kOk || !result.found.empty())
            return "widening duty finds something in " + paths->venturi + " or " + paths->nozzle;
        if (result.venturi.step != kWideningSteps || result.nozzle.step != kWideningSteps)
            return "widening duty no longer widens " + std::to_string(kWideningSteps) + " steps";
    }
    return {};
}

// --- summary -----------------------------------------------------------------

// Rounds of a goal check, and the least time each half of a round runs: a
// round of two 50 ms halves is short enough that a slow spell of the shared
// machine usually covers both, and fifteen of them give the spread.
constexpr int kGoalRounds = 15;
constexpr double kGoalSliceSeconds = 0.05;

// The console report, then the goals: times from the medians of the run,
// ratios from paired rounds run after it (see bench/paired_ratio.h).
class SummaryReporter : public bench::MedianReporter {
public:
    void printSummary() const {
        std::ostream& out = GetOutputStream();
        out << "\nSummary: times are medians of real time; ratios are the median of " << kGoalRounds
            << " rounds that run both sides alternately, with the smallest and largest round and the quartiles\n";
        timeGoal(out, "Select, shipped catalog, found at once", "Select/shipped/at_once", 1.0);
        timeGoal(out, "Select, shipped catalog, widening to the bounds", "Select/shipped/widening", 5.0);
        ratioGoal(out, "Select, widening / found at once", "Select/shipped/widening", "Select/shipped/at_once", 1.5);
        ratioGoal(out, "Batch of 10,000 duties, per duty / Select found at once", "Batch/shipped/10000",
                  "Select/shipped/at_once", 1.2);
        ratioGoal(out, "Batch with CSV output, per duty / Select found at once", "Batch/shipped/10000/csv",
                  "Select/shipped/at_once", 1.0);
        // One scan of each file, against reading it in one read and finding its lines.
        ratioGoal(out, "Search nozzle, at once / read+lines, large", "Search/large/at_once/nozzle",
                  "ReadLines/large/nozzle", 3.0);
        ratioGoal(out, "Search nozzle, widening / read+lines, large", "Search/large/widening/nozzle",
                  "ReadLines/large/nozzle", 3.0);
        ratioGoal(out, "Search venturi, at once / read+lines, large", "Search/large/at_once/venturi",
                  "ReadLines/large/venturi", 3.0);
        ratioGoal(out, "Search venturi, widening / read+lines, large", "Search/large/widening/venturi",
                  "ReadLines/large/venturi", 3.0);
        timeGoal(out, "Append 1,000 results to a 10,000-row list", "ListAppend/1000_onto_10000", 100.0);
        timeGoal(out, "Sort 10,000 rows by Tons", "ListSort/10000/tons", 100.0);
        timeGoal(out, "Sort 10,000 rows by Part Number", "ListSort/10000/part_number", 100.0);
        timeGoal(out, "Sort 10,000 rows by Inlet Size", "ListSort/10000/inlet_size", 100.0);
    }

private:
    const double* find(const std::string& name) const {
        const auto it = seconds_.find(name);
        return it == seconds_.end() ? nullptr : &it->second;
    }

    void timeGoal(std::ostream& out, const char* what, const std::string& name, double limitMs) const {
        const double* s = find(name);
        if (!s) return;
        char text[160];
        std::snprintf(text, sizeof text, "  %-56s %9.3f ms   goal < %.0f ms: %s\n", what, *s * 1e3, limitMs,
                      *s * 1e3 < limitMs ? "met" : "MISSED");
        out << text;
    }

    // Checked only when both benchmarks ran (a filter may have left one out).
    void ratioGoal(std::ostream& out, const char* what, const std::string& measured, const std::string& base,
                   double limit) const {
        if (!find(measured) || !find(base)) return;
        const Workload m = gWorkloads.at(measured)();
        const Workload b = gWorkloads.at(base)();
        if (!m.error.empty() || !b.error.empty()) return;
        const auto [measuredSlice, baseSlice] = bench::matchedSlices(m.run, m.units, b.run, b.units, kGoalSliceSeconds);
        const bench::PairedRatio ratio = bench::pairedRatio(measuredSlice, baseSlice, kGoalRounds);
        const int within = ratio.roundsAtMost(limit);
        const auto rounds = static_cast<int>(ratio.ratios.size());
        char text[300];
        std::snprintf(text, sizeof text,
                      "  %-56s %6.2f  (%.2f to %.2f, quartiles %.2f and %.2f)  goal <= %.1f: %s, in %d of %d rounds\n",
                      what, ratio.median, ratio.low, ratio.high, ratio.lowerQuartile, ratio.upperQuartile, limit,
                      ratio.median <= limit ? "met" : "MISSED", within, rounds);
        out << text;
    }
};

// --- registration ------------------------------------------------------------

void registerAll() {
    using benchmark::RegisterBenchmark;
    const std::pair<const char*, DistributorType> types[] = {
        {"either", kEither}, {"nozzle", kNozzle}, {"venturi", kVenturi}};
    const std::pair<const char*, Duty> duties[] = {{"at_once", Duty::AtOnce}, {"widening", Duty::Widening}};

    RegisterBenchmark("Rate/nozzle", rateRecord, std::string("502-8-1/4-8"))->Unit(benchmark::kNanosecond);
    RegisterBenchmark("Rate/venturi", rateRecord, std::string("5-4-8"))->Unit(benchmark::kNanosecond);

    for (const auto& [catalogName, paths] : {std::pair<const char*, const CatalogPaths*>{"shipped", &gShipped},
                                             std::pair<const char*, const CatalogPaths*>{"medium", &gMedium},
                                             std::pair<const char*, const CatalogPaths*>{"large", &gLarge}}) {
        const std::string catalog = catalogName;
        for (const auto& [dutyName, duty] : duties) {
            for (const auto& [typeName, type] : types) {
                RegisterBenchmark(("FindModel/" + catalog + "/" + dutyName + "/" + typeName).c_str(), findModel,
                                  std::cref(*paths), duty, type)
                    ->Unit(benchmark::kMicrosecond)
                    ->UseRealTime();
            }
        }
        if (paths != &gMedium) {
            for (const auto& [dutyName, duty] : duties) {
                for (const auto& [typeName, type] : types) {
                    const CatalogPaths& files = *paths;
                    registerWorkload("Search/" + catalog + "/" + dutyName + "/" + typeName,
                                     [&files, duty = duty, type = type] { return searchWork(files, duty, type); },
                                     benchmark::kMicrosecond);
                }
            }
        }
        if (paths == &gShipped) {
            registerWorkload(
                "Batch/shipped/10000", [] { return batchWork(gShipped, kScheduleDuties); }, benchmark::kMillisecond);
            registerWorkload(
                "Batch/shipped/10000/csv", [] { return batchCsvWork(gShipped, gScheduleFile); },
                benchmark::kMillisecond);
            for (const auto& [dutyName, duty] : duties) {
                registerWorkload(
                    "Select/shipped/" + std::string(dutyName), [duty = duty] { return selectWork(gShipped, duty); },
                    benchmark::kMicrosecond);
            }
        }
        RegisterBenchmark(("ReadSplit/" + catalog + "/venturi").c_str(), readAndSplit, paths->venturi)
            ->Unit(benchmark::kMicrosecond)
            ->UseRealTime();
        RegisterBenchmark(("ReadSplit/" + catalog + "/nozzle").c_str(), readAndSplit, paths->nozzle)
            ->Unit(benchmark::kMicrosecond)
            ->UseRealTime();
        const std::string venturi = paths->venturi;
        const std::string nozzle = paths->nozzle;
        registerWorkload(
            "ReadLines/" + catalog + "/venturi", [venturi] { return readLinesWork(venturi); }, benchmark::kMicrosecond);
        registerWorkload(
            "ReadLines/" + catalog + "/nozzle", [nozzle] { return readLinesWork(nozzle); }, benchmark::kMicrosecond);
    }

    // Each run copies the 10,000-row list outside the timing, which costs about
    // as much again as what is timed; a shorter minimum keeps the whole
    // program's run from growing by a minute.
    constexpr double kListMinSeconds = 0.2;
    RegisterBenchmark("ListAppend/1000_onto_10000", appendToLongList)
        ->Unit(benchmark::kMillisecond)
        ->UseManualTime()
        ->MinTime(kListMinSeconds);
    const std::pair<const char*, int> sortColumns[] = {
        {"tons", column::kCapacity}, {"part_number", column::kPartNumber}, {"inlet_size", column::kInletSize}};
    for (const auto& [name, col] : sortColumns) {
        RegisterBenchmark(("ListSort/10000/" + std::string(name)).c_str(), sortLongList, col)
            ->Unit(benchmark::kMillisecond)
            ->UseManualTime()
            ->MinTime(kListMinSeconds);
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (!bench::initializeWithDefaults(argc, argv)) return 1;

    const bench::ScratchDir scratch;
    if (scratch.path().empty()) {
        std::cerr << "cannot create a temporary directory\n";
        return 1;
    }
    gLarge = {scratch.file("vflo.csv"), scratch.file("nflo.csv")};
    gMedium = {scratch.file("vflo10.csv"), scratch.file("nflo10.csv")};
    std::string error;
    if (!bench::writeRepeatedCatalog(gShipped.venturi, gLarge.venturi, kLargeCopies, error) ||
        !bench::writeRepeatedCatalog(gShipped.nozzle, gLarge.nozzle, kLargeCopies, error) ||
        !bench::writeRepeatedCatalog(gShipped.venturi, gMedium.venturi, kMediumCopies, error) ||
        !bench::writeRepeatedCatalog(gShipped.nozzle, gMedium.nozzle, kMediumCopies, error)) {
        std::cerr << error << '\n';
        return 1;
    }
    if (const std::string problem = checkDuties(); !problem.empty()) {
        std::cerr << "benchmark duties no longer fit the catalog: " << problem << '\n';
        return 1;
    }
    if (const std::string problem = prepareListData(); !problem.empty()) {
        std::cerr << "cannot prepare the long output list: " << problem << '\n';
        return 1;
    }

    gScheduleFile = scratch.file("schedule.csv");
    if (!(std::ofstream(gScheduleFile, std::ios::binary) << generatedSchedule(kScheduleDuties))) {
        std::cerr << "cannot write " << gScheduleFile << '\n';
        return 1;
    }

    registerAll();
    SummaryReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.printSummary();
    benchmark::Shutdown();
    return 0;
}
