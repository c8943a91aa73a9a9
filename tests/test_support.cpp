#include "test_support.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>

#include "util/environment.h"

namespace vantrel::test {
namespace fs = std::filesystem;

TempDir::TempDir() : TempDir(std::string()) {}

TempDir::TempDir(const std::string& suffix) {
    std::random_device source;
    for (int attempt = 0; attempt < 100; ++attempt) {
        const fs::path candidate =
            fs::temp_directory_path() / fs::u8path("vantrel-test-" + std::to_string(source()) + suffix);
        if (fs::create_directory(candidate)) {
            path_ = candidate.u8string();
            return;
        }
    }
    throw std::runtime_error("no temporary folder could be made");
}

TempDir::~TempDir() {
    // Read-only files and folders (tests make some) are given back their
    // write permission first: Windows deletes no read-only file.
    std::error_code error;
    const fs::path root = fs::u8path(path_);
    fs::permissions(root, fs::perms::owner_all, fs::perm_options::add, error);
    for (auto entry = fs::recursive_directory_iterator(root, error); !error && entry != fs::recursive_directory_iterator();
         entry.increment(error)) {
        if (!entry->is_symlink()) fs::permissions(entry->path(), fs::perms::owner_all, fs::perm_options::add, error);
    }
    fs::remove_all(root, error);
}

std::string pathIn(const std::string& folder, const std::string& name) {
    return (fs::u8path(folder) / fs::u8path(name)).u8string();
}

std::string TempDir::write(const std::string& name, const std::string& content) const {
    const std::string file = pathIn(path_, name);
    std::ofstream out(fs::u8path(file), std::ios::binary);
    out << content;
    return file;
}

std::string fileText(const std::string& path) {
    std::ifstream in(fs::u8path(path), std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

MessageAnswer RecordingUi::showMessage(const std::string& text, const std::string& caption, MessageIcon icon,
                                       MessageButtons buttons) {
    messages.push_back({text, caption, icon, buttons});
    return answer;
}

namespace {

// A sanitized program may add notes of the sanitizer's own to standard error,
// "==1234==WARNING: invalid path to external symbolizer!" on a machine without
// llvm-symbolizer: they say nothing about the program, whose messages the
// tests compare. Its reports of faults start with "ERROR" and stay.
std::string withoutSanitizerWarnings(const std::string& text) {
    std::string kept;
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line)) {
        const std::size_t close = line.rfind("==WARNING: ", 64);
        const bool sanitizerNote = line.rfind("==", 0) == 0 && close != std::string::npos && close > 2 &&
                                   line.find_first_not_of("0123456789", 2) == close;
        if (sanitizerNote) continue;
        kept += line;
        if (!lines.eof()) kept += '\n';
    }
    return kept;
}

}  // namespace

SelectionForm shippedForm(bool siUnits) {
    SelectionForm form;
    form.siUnits = siUnits;
    form.catalog.setVenturiFile(shippedCatalog("vflo.csv"));
    form.catalog.setNozzleFile(shippedCatalog("nflo.csv"));
    return form;
}

RunResult runCli(const std::vector<std::string>& arguments, const std::string& configPath,
                 const std::vector<std::pair<std::string, std::string>>& environment) {
    TempDir scratch;
    RunOptions options;
    options.environment.emplace_back("VANTREL_CONFIG",
                                     configPath.empty() ? (fs::u8path(scratch.path()) / "settings.ini").u8string()
                                                        : configPath);
    // The developer's own refrigerants would change every listing and choice.
    options.environment.emplace_back("VANTREL_REFRIGERANTS", std::nullopt);
    for (const auto& [name, value] : environment) options.environment.emplace_back(name, value);
    // Run where no catalog lies, so only the explicit or located files count.
    options.folder = scratch.path();
    std::vector<std::string> command{VANTREL_CLI_PATH};
    command.insert(command.end(), arguments.begin(), arguments.end());
    RunResult result = runProgram(command, options);
    result.err = withoutSanitizerWarnings(result.err);
    return result;
}

RunResult runProgram(const std::vector<std::string>& command, const RunOptions& options) {
    return ChildProcess(command, options).wait();
}

ChildProcess::~ChildProcess() {
    if (!result_) wait();
}

ScopedVariable::ScopedVariable(std::string name, const std::optional<std::string>& value)
    : name_(std::move(name)), old_(environmentValue(name_.c_str())) {
    if (value) {
        setEnvironmentValue(name_.c_str(), *value);
    } else {
        removeEnvironmentValue(name_.c_str());
    }
}

ScopedVariable::~ScopedVariable() {
    if (old_) {
        setEnvironmentValue(name_.c_str(), *old_);
    } else {
        removeEnvironmentValue(name_.c_str());
    }
}

void makeReadOnly(const std::string& path) {
    fs::permissions(fs::u8path(path), fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
}

std::string shippedCatalog(const std::string& name) { return std::string(VANTREL_SHIPPED_DATA_DIR) + "/" + name; }

std::string firstDifference(const dist& a, const dist& b) {
    const std::pair<const char*, std::string dist::*> texts[] = {
        {"partNumber", &dist::partNumber},         {"model", &dist::model},
        {"xrefModel", &dist::xrefModel},           {"type", &dist::type},
        {"connection", &dist::connection},         {"sidePort", &dist::sidePort},
        {"sideConnection", &dist::sideConnection}, {"nozzleSize", &dist::nozzleSize},
        {"refrigerant", &dist::refrigerant}};
    for (const auto& [name, field] : texts) {
        if (a.*field != b.*field) return name;
    }
    const std::pair<const char*, std::int32_t dist::*> integers[] = {{"inletNumber", &dist::inletNumber},
                                                                     {"outletNumber", &dist::outletNumber},
                                                                     {"circuits", &dist::circuits},
                                                                     {"orificeNumber", &dist::orificeNumber}};
    for (const auto& [name, field] : integers) {
        if (a.*field != b.*field) return name;
    }
    if (a.isXref != b.isXref) return "isXref";
    const std::pair<const char*, double dist::*> numbers[] = {
        {"capacity", &dist::capacity},       {"suctionTemp", &dist::suctionTemp}, {"liquidTemp", &dist::liquidTemp},
        {"tubeLength", &dist::tubeLength},   {"totalDrop", &dist::totalDrop},     {"nozzleDrop", &dist::nozzleDrop},
        {"tubeDrop", &dist::tubeDrop},       {"nozzleLoad", &dist::nozzleLoad},   {"tubeLoad", &dist::tubeLoad},
        {"orificeSize", &dist::orificeSize}, {"inletSize", &dist::inletSize},     {"outletSize", &dist::outletSize}};
    for (const auto& [name, field] : numbers) {
        if (std::memcmp(&(a.*field), &(b.*field), sizeof(double)) != 0) return name;
    }
    return {};
}

}  // namespace vantrel::test
