#include "schedule/schedule_run.h"

#include <algorithm>

#include "engine/number_text.h"
#include "i18n/translate.h"

namespace vantrel {
namespace {

// A form user who reads every message and answers nothing: the schedule's
// actions only ever inform.
class MessageLog : public FormUi {
public:
    explicit MessageLog(std::vector<std::string>& messages) : messages_(messages) {}
    MessageAnswer showMessage(const std::string& text, const std::string&, MessageIcon,
                              MessageButtons buttons) override {
        messages_.push_back(text);
        return buttons == MessageButtons::Ok ? MessageAnswer::Ok : MessageAnswer::No;
    }
    void setFocus(int) override {}
    void setControlText(int, const std::string&) override {}

private:
    std::vector<std::string>& messages_;
};

// "3, 5 and 8"; past the listed lines, "3, 5, ... 8 and 12 more".
std::string lineList(const std::vector<int>& lines, std::size_t count) {
    std::string text;
    const bool more = count > lines.size();
    const std::size_t listed = lines.size() > 1 && !more ? lines.size() - 1 : lines.size();
    for (std::size_t i = 0; i < listed; ++i) {
        if (i > 0) text += ", ";
        text += formatInt(lines[i]);
    }
    if (more) return formatText(tr("%s and %s more"), {text, formatInt(static_cast<long long>(count - lines.size()))});
    // TRANSLATORS: the end of a list: the first %s is the list so far, the second its last item.
    if (listed < lines.size()) return formatText(tr("%s and %s"), {text, formatInt(lines.back())});
    return text;
}

}  // namespace

DutyOutcome outcomeOf(const ActionReport& report) {
    switch (report.outcome) {
        case ActionOutcome::Appended:
        case ActionOutcome::Duplicate: return DutyOutcome::Results;
        case ActionOutcome::NotFound: return DutyOutcome::NoResults;
        default: return DutyOutcome::Error;
    }
}

void ScheduleSums::add(const DutyRun& run) {
    switch (run.outcome) {
        case DutyOutcome::Results:
            ++duties;
            ++withResults;
            break;
        case DutyOutcome::NoResults:
            ++duties;
            ++withoutResults;
            break;
        case DutyOutcome::Error: addLineError(run.duty ? run.duty->line : 0); break;
    }
}

void ScheduleSums::addLineError(int line) {
    ++duties;
    ++errors;
    // A schedule of millions of faulty lines keeps only the lines it names.
    if (errorLines.size() < kListedErrorLines || line < errorLines.back()) {
        errorLines.insert(std::upper_bound(errorLines.begin(), errorLines.end(), line), line);
        if (errorLines.size() > kListedErrorLines) errorLines.pop_back();
    }
}

DutyRun runDuty(SelectionForm& form, const ScheduleDuty& duty) {
    DutyRun run;
    run.duty = &duty;
    run.firstRow = form.rows.size();
    MessageLog log(run.messages);
    FormInputs inputs = duty.inputs;
    run.report = duty.rate ? form.rate(inputs, log) : form.select(inputs, log);
    run.outcome = outcomeOf(run.report);
    return run;
}

void runSchedule(SelectionForm& form, ScheduleReader& reader, const std::function<void(const DutyRun&)>& done,
                 const std::function<void(const ScheduleLine&)>& failed) {
    ScheduleLine line;
    while (reader.next(line)) {
        if (line.errors.empty()) {
            done(runDuty(form, line.duty));
        } else {
            failed(line);
        }
    }
}

std::string scheduleSummary(const ScheduleSums& sums, bool siUnits) {
    const std::string duties = formatInt(static_cast<long long>(sums.duties));
    const auto n = static_cast<unsigned long>(sums.duties);
    std::string text = formatText(siUnits ? trn("%s duty read (capacity in kW, temperatures in °C).",
                                                "%s duties read (capacity in kW, temperatures in °C).", n)
                                          : trn("%s duty read (capacity in tons, temperatures in °F).",
                                                "%s duties read (capacity in tons, temperatures in °F).", n),
                                  {duties});
    text += '\n';
    text += formatText(tr("With results: %s"), {formatInt(static_cast<long long>(sums.withResults))});
    text += '\n';
    text += formatText(tr("Without results: %s"), {formatInt(static_cast<long long>(sums.withoutResults))});
    text += '\n';
    const std::string errors = formatInt(static_cast<long long>(sums.errors));
    if (sums.errorLines.empty()) return text + formatText(tr("With errors: %s"), {errors});
    // TRANSLATORS: %1$s is how many lines had errors, %2$s lists their numbers.
    return text + formatText(trn("With errors: %1$s (line %2$s)", "With errors: %1$s (lines %2$s)", sums.errors),
                             {errors, lineList(sums.errorLines, sums.errors)});
}

}  // namespace vantrel
