#include "cli/batch_command.h"

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <iostream>

#include "cli/batch_output.h"
#include "cli/output_formats.h"
#include "cli/render_loader.h"
#include "curve/sweep.h"
#include "engine/number_text.h"
#include "schedule/best_candidate.h"
#include "schedule/schedule_run.h"

namespace vantrel::cli {
namespace {

constexpr int kExitResults = 0;
constexpr int kExitNothingFound = 1;
constexpr int kExitError = 2;

// "N of M duties" on a terminal's standard error once the run has taken
// longer than a second, rewritten in place and cleared before any message.
class Progress {
public:
    explicit Progress(std::size_t total) : total_(total), shown_(isatty(STDERR_FILENO) != 0) {}
    void update(std::size_t done) {
        if (!shown_) return;
        // A terminal redrawn ten times a second is enough to watch.
        const auto now = std::chrono::steady_clock::now();
        if (now - start_ < std::chrono::seconds(1) || now - shownAt_ < std::chrono::milliseconds(100)) return;
        std::cerr << '\r' << done << " of " << total_ << " duties" << std::flush;
        visible_ = true;
        shownAt_ = now;
    }
    void clear() {
        if (!visible_) return;
        std::cerr << "\r\033[K" << std::flush;
        visible_ = false;
    }

private:
    std::size_t total_;
    bool shown_;
    bool visible_ = false;
    std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
    std::chrono::steady_clock::time_point shownAt_{};
};

// The widest tag as a table shows it.
std::size_t widestTag(const Schedule& schedule) {
    std::size_t width = 0;
    for (const ScheduleDuty& duty : schedule.duties) width = std::max(width, displayWidth(oneLine(duty.tag)));
    return width;
}

BatchEntry entryOf(const DutyRun& run, const SelectionForm& form, bool best) {
    BatchEntry entry;
    entry.line = run.duty->line;
    entry.tag = run.duty->tag;
    entry.rate = run.duty->rate;
    entry.refrigerant = run.duty->inputs.refrigerant;
    entry.kind = run.outcome == DutyOutcome::Results     ? BatchEntry::Kind::Results
                 : run.outcome == DutyOutcome::NoResults ? BatchEntry::Kind::NoResults
                                                         : BatchEntry::Kind::Error;
    for (const std::string& message : run.messages) entry.messages.push_back(oneLineMessage(message));
    const SearchResult& search = run.report.search;
    entry.search = &search;
    entry.windowsNote = run.duty->rate ? std::string() : widenedWindowsNote(search);
    if (entry.kind != BatchEntry::Kind::Results) return entry;
    const auto& rows = form.rows.rows();
    std::size_t first = run.firstRow;
    std::size_t last = rows.size();
    std::size_t firstLine = 0;
    std::size_t lastLine = run.report.resultLines.size();
    if (best && !run.duty->rate) {
        // Each duty starts with an empty list, so the rows follow the found
        // records one for one.
        const std::size_t chosen = bestCandidate(search);
        if (chosen != kNoCandidate && first + chosen < last) {
            first += chosen;
            last = first + 1;
            firstLine = chosen;
            lastLine = chosen + 1;
        }
    }
    entry.rows.assign(rows.begin() + static_cast<std::ptrdiff_t>(first),
                      rows.begin() + static_cast<std::ptrdiff_t>(last));
    entry.lines.assign(run.report.resultLines.begin() + static_cast<std::ptrdiff_t>(firstLine),
                       run.report.resultLines.begin() + static_cast<std::ptrdiff_t>(lastLine));
    return entry;
}

}  // namespace

int runBatch(const BatchSettings& settings, SelectionForm& form) {
    const ScheduleRead read = readScheduleFile(settings.file, settings.siUnits);
    if (!read.error.empty()) {
        std::cerr << read.error << '\n';
        return kExitError;
    }
    const Schedule& schedule = read.schedule;
    form.siUnits = settings.siUnits;
    const CatalogReadOnce catalog(form);

    ReportGatherer* report = nullptr;
    std::unique_ptr<BatchWriter> writer;
    const RenderModule* drawing = nullptr;
    if (settings.format == "pdf") {
        // Before the run, which may be long, rather than after it.
        std::string error;
        drawing = renderModule(error);
        if (!drawing) {
            std::cerr << error << '\n';
            return kExitError;
        }
        auto gatherer = std::make_unique<ReportGatherer>();
        report = gatherer.get();
        writer = std::move(gatherer);
    } else {
        writer =
            makeBatchWriter(settings.format, std::cout, settings.siUnits, widestTag(schedule), settings.refrigerants);
    }
    Progress progress(schedule.duties.size() + schedule.errors.size());
    std::size_t done = 0;
    bool someNone = false;
    bool someErrors = false;
    auto say = [&progress](const std::string& label, const std::string& text) {
        progress.clear();
        std::cerr << label << ": " << text << '\n';
    };
    visitInLineOrder(
        schedule,
        [&](const ScheduleDuty& duty) {
            // Each duty starts with an empty list: two coils with the same
            // duty each get their rows.
            form.rows.clear();
            const DutyRun run = runDuty(form, duty);
            const BatchEntry entry = entryOf(run, form, settings.best);
            const std::string label = lineLabel(duty.line, duty.tag);
            for (const std::string& message : entry.messages) say(label, message);
            if (!entry.windowsNote.empty()) say(label, entry.windowsNote);
            someNone |= entry.kind == BatchEntry::Kind::NoResults;
            someErrors |= entry.kind == BatchEntry::Kind::Error;
            writer->entry(entry);
            progress.update(++done);
        },
        [&](const ScheduleLineError& fault) {
            progress.clear();
            std::cerr << fault.message << '\n';
            BatchEntry entry;
            entry.line = fault.line;
            entry.tag = fault.tag;
            entry.kind = BatchEntry::Kind::Error;
            entry.messages.push_back(fault.fault);
            someErrors = true;
            writer->entry(entry);
            progress.update(++done);
        });
    writer->finish();
    progress.clear();
    // An older report of the same name stays; the user must not take it for this run's.
    if (report && report->rows().empty())
        std::cerr << "No duty found any rows: no report was written to " << settings.output << ".\n";
    if (report && !report->rows().empty()) {
        ReportOptions options = settings.report;
        options.siUnits = settings.siUnits;
        options.chartSweep = rowSweepsOf(form);
        std::string error;
        if (!drawing->writePackedReportPdf(report->rows(), options, settings.output, error)) {
            std::cerr << error << '\n';
            return kExitError;
        }
    }
    std::cout.flush();
    if (!std::cout) return kExitError;
    return someErrors ? kExitError : someNone ? kExitNothingFound : kExitResults;
}

}  // namespace vantrel::cli
