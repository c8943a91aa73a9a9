#include "test_support.h"

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace vantrel::test {
namespace fs = std::filesystem;

TempDir::TempDir() {
    std::string pattern = (fs::temp_directory_path() / "vantrel-test-XXXXXX").string();
    if (!mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
    path_ = pattern;
}

TempDir::~TempDir() {
    std::error_code error;
    fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, error);
    fs::remove_all(path_, error);
}

std::string TempDir::write(const std::string& name, const std::string& content) const {
    const std::string file = (fs::path(path_) / name).string();
    std::ofstream out(file, std::ios::binary);
    out << content;
    return file;
}

MessageAnswer RecordingUi::showMessage(const std::string& text, const std::string& caption, MessageIcon icon,
                                       MessageButtons buttons) {
    messages.push_back({text, caption, icon, buttons});
    return answer;
}

namespace {

std::string slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

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
    const std::string outPath = scratch.path() + "/out";
    const std::string errPath = scratch.path() + "/err";
    const std::string config = configPath.empty() ? scratch.path() + "/settings.ini" : configPath;
    const pid_t child = fork();
    if (child < 0) throw std::runtime_error("fork failed");
    if (child == 0) {
        std::FILE* out = std::freopen(outPath.c_str(), "w", stdout);
        std::FILE* err = std::freopen(errPath.c_str(), "w", stderr);
        if (!out || !err) _exit(127);
        setenv("VANTREL_CONFIG", config.c_str(), 1);
        // The developer's own refrigerants would change every listing and choice.
        unsetenv("VANTREL_REFRIGERANTS");
        for (const auto& [name, value] : environment) setenv(name.c_str(), value.c_str(), 1);
        // Run where no catalog lies, so only the explicit or located files count.
        if (chdir(scratch.path().c_str()) != 0) _exit(127);
        std::vector<char*> argv;
        std::string program = VANTREL_CLI_PATH;
        argv.push_back(program.data());
        std::vector<std::string> copies(arguments);
        for (std::string& argument : copies) argv.push_back(argument.data());
        argv.push_back(nullptr);
        execv(program.c_str(), argv.data());
        _exit(127);
    }
    int status = 0;
    struct rusage usage {};
    wait4(child, &status, 0, &usage);
    RunResult result;
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    result.peakKib = usage.ru_maxrss;
    result.out = slurp(outPath);
    result.err = withoutSanitizerWarnings(slurp(errPath));
    return result;
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
