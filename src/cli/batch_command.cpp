#include "cli/batch_command.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <iostream>

#include "cli/batch_output.h"
#include "cli/output_formats.h"
#include "cli/render_loader.h"
#include "curve/sweep.h"
#include "engine/number_text.h"
#include "i18n/translate.h"
#include "schedule/best_candidate.h"
#include "schedule/schedule_run.h"
#include "util/console.h"

namespace vantrel::cli {
namespace {

constexpr int kExitResults = 0;
constexpr int kExitNothingFound = 1;
constexpr int kExitError = 2;

// "N of M duties" on a terminal's standard error once the run has taken
// longer than a second, rewritten in place and cleared before any message.
// The schedule is read as it runs, so the count of its lines is taken only
// when the progress is first shown, by a quick read of the file of its own.
class Progress {
public:
    Progress(const std::string& path, bool siUnits)
        : path_(path), siUnits_(siUnits), shown_(isTerminal(StandardStream::Error)) {}
    void update(std::size_t done) {
        if (!shown_) return;
        // A terminal redrawn ten times a second is enough to watch.
        const auto now = std::chrono::steady_clock::now();
        if (now - start_ < std::chrono::seconds(1) || now - shownAt_ < std::chrono::milliseconds(100)) return;
        if (total_ == 0) total_ = ScheduleReader(path_, siUnits_, ScheduleReader::Check::AsRead).countRemaining();
        std::cerr << '\r'
                  // TRANSLATORS: the progress of a batch run: %1$s duties done of %2$s.
                  << formatText(tr("%1$s of %2$s duties"),
                                {std::to_string(done), std::to_string(std::max(total_, done))})
                  << std::flush;
        visible_ = true;
        shownAt_ = std::chrono::steady_clock::now();
    }
    void clear() {
        if (!visible_) return;
        std::cerr << "\r\033[K" << std::flush;
        visible_ = false;
    }

private:
    std::string path_;
    bool siUnits_;
    bool shown_;
    bool visible_ = false;
    std::size_t total_ = 0;
    std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
    std::chrono::steady_clock::time_point shownAt_{};
};

// The table's tag column. A schedule is written while it is read, so the
// column is set from the first lines: as wide as their widest tag when the
// schedule ends among them (each tag shown whole up to kShownTagLength), and
// kShownTagLength for a longer schedule, whose later tags are not known yet.
constexpr std::size_t kTagLookahead = 1000;

std::size_t tagColumnWidth(const std::string& path, bool siUnits) {
    ScheduleReader reader(path, siUnits, ScheduleReader::Check::AsRead);
    ScheduleLine line;
    std::size_t width = 0;
    for (std::size_t read = 0; read < kTagLookahead; ++read) {
        if (!reader.next(line)) return width;
        if (line.errors.empty()) width = std::max(width, displayWidth(visibleText(line.duty.tag, kShownTagLength)));
    }
    return kShownTagLength;
}

BatchEntry entryOf(const DutyRun& run, ScheduleDuty& duty, const SelectionForm& form, bool best) {
    BatchEntry entry;
    entry.line = duty.line;
    entry.tag = std::move(duty.tag);
    entry.rate = duty.rate;
    entry.refrigerant = duty.inputs.refrigerant;
    entry.kind = run.outcome == DutyOutcome::Results     ? BatchEntry::Kind::Results
                 : run.outcome == DutyOutcome::NoResults ? BatchEntry::Kind::NoResults
                                                         : BatchEntry::Kind::Error;
    for (const std::string& message : run.messages) entry.messages.push_back(oneLineMessage(message));
    const SearchResult& search = run.report.search;
    entry.search = &search;
    entry.windowsNote = duty.rate ? std::string() : widenedWindowsNote(search);
    if (entry.kind != BatchEntry::Kind::Results) return entry;
    const auto& rows = form.rows.rows();
    std::size_t first = run.firstRow;
    std::size_t last = rows.size();
    std::size_t firstLine = 0;
    std::size_t lastLine = run.report.resultLines.size();
    if (best && !duty.rate) {
        // Each duty starts with an empty list, so its rows are the found
        // records that were listed, in order; a duplicate made no row.
        const std::vector<bool>& listed = run.report.listed;
        const std::size_t chosen = bestCandidate(search, &listed);
        if (chosen != kNoCandidate) {
            first += static_cast<std::size_t>(
                std::count(listed.begin(), listed.begin() + static_cast<std::ptrdiff_t>(chosen), true));
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
    ScheduleReader reader(settings.file, settings.siUnits);
    if (!reader.error().empty()) {
        std::cerr << reader.error() << '\n';
        return kExitError;
    }
    form.siUnits = settings.siUnits;
    const CatalogReadOnce catalog(form);

    // Made at the first line, so a schedule that holds no duties writes nothing.
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
    }
    auto writerNow = [&]() -> BatchWriter& {
        if (writer) return *writer;
        if (settings.format == "pdf") {
            auto gatherer = std::make_unique<ReportGatherer>();
            report = gatherer.get();
            writer = std::move(gatherer);
        } else {
            const std::size_t tagWidth =
                settings.format == "table" ? tagColumnWidth(settings.file, settings.siUnits) : 0;
            writer = makeBatchWriter(settings.format, std::cout, settings.siUnits, tagWidth, settings.refrigerants);
        }
        return *writer;
    };
    Progress progress(settings.file, settings.siUnits);
    bool someNone = false;
    bool someErrors = false;
    // Standard error writes at once: each message goes out in one piece.
    auto say = [&progress](const std::string& message) {
        progress.clear();
        std::cerr.write(message.data(), static_cast<std::streamsize>(message.size()));
    };
    // Output goes out at least every 50 ms, so a reader of a pipe sees the
    // first results at once, without a write for every duty of a long run.
    auto flushedAt = std::chrono::steady_clock::now();
    auto flushNow = [&flushedAt] {
        const auto now = std::chrono::steady_clock::now();
        if (now - flushedAt < std::chrono::milliseconds(50)) return;
        std::cout.flush();
        flushedAt = now;
    };
    ScheduleLine line;
    bool firstLine = true;
    while (reader.next(line)) {
        BatchWriter& out = writerNow();
        if (!line.errors.empty()) {
            for (ScheduleLineError& fault : line.errors) {
                say(fault.message + '\n');
                BatchEntry entry;
                entry.line = fault.line;
                entry.tag = std::move(fault.tag);
                entry.kind = BatchEntry::Kind::Error;
                entry.messages.push_back(std::move(fault.fault));
                out.entry(entry);
            }
            someErrors = true;
        } else {
            // Each duty starts with an empty list: two coils with the same
            // duty each get their rows.
            form.rows.clear();
            const DutyRun run = runDuty(form, line.duty);
            const BatchEntry entry = entryOf(run, line.duty, form, settings.best);
            for (const std::string& message : entry.messages) say(lineMessage(entry.line, entry.tag, message) + '\n');
            if (!entry.windowsNote.empty()) say(lineMessage(entry.line, entry.tag, entry.windowsNote) + '\n');
            someNone |= entry.kind == BatchEntry::Kind::NoResults;
            someErrors |= entry.kind == BatchEntry::Kind::Error;
            out.entry(entry);
        }
        if (firstLine) {
            std::cout.flush();
            firstLine = false;
        } else {
            flushNow();
        }
        progress.update(reader.lines());
    }
    progress.clear();
    // No duties at all, or a file that could not be read to its end.
    if (!reader.error().empty()) {
        std::cerr << reader.error() << '\n';
        someErrors = true;
        if (!writer) return kExitError;
    }
    writer->finish();
    // An older report of the same name stays; the user must not take it for this run's.
    if (report && report->rows().empty())
        // TRANSLATORS: %s is the report's file.
        std::cerr << formatText(tr("No duty found any rows: no report was written to %s."), {settings.output}) << '\n';
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
