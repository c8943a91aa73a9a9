#include "app/command_line.h"

#include <cctype>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "version.h"

namespace vantrel {
namespace fs = std::filesystem;

namespace {

char lowered(char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); }

bool isAsciiLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

bool endsWithDstIgnoringCase(const std::string& text) {
    static constexpr char kSuffix[] = ".dst";
    const std::size_t length = sizeof kSuffix - 1;
    if (text.size() < length) return false;
    for (std::size_t i = 0; i < length; ++i) {
        if (lowered(text[text.size() - length + i]) != kSuffix[i]) return false;
    }
    return true;
}

// The word after the "-" or "/" matches when it is a non-empty leading part of
// the option name, letter case aside.
bool abbreviates(const std::string& word, const char* option) {
    const std::size_t optionLength = std::strlen(option);
    if (word.empty() || word.size() > optionLength) return false;
    for (std::size_t i = 0; i < word.size(); ++i) {
        if (lowered(word[i]) != option[i]) return false;
    }
    return true;
}

}  // namespace

bool isOptionToken(const std::string& token) {
    if (token.empty()) return false;
    if (token[0] == '-') return true;
    if (token[0] != '/' || token.size() < 2) return false;
    for (std::size_t i = 1; i < token.size(); ++i) {
        if (!isAsciiLetter(token[i])) return false;
    }
    return true;
}

bool hasUnregisterOption(const std::vector<std::string>& args) {
    for (const std::string& token : args) {
        if (token.empty() || (token[0] != '-' && token[0] != '/')) continue;
        if (abbreviates(token.substr(1), kUnregisterOption)) return true;
    }
    return false;
}

ProgramInformation informationAsked(const std::vector<std::string>& args) {
    for (const std::string& token : args) {
        if (token == "--help" || token == "-h") return ProgramInformation::Help;
        if (token == "--version") return ProgramInformation::Version;
    }
    return ProgramInformation::None;
}

std::string informationText(ProgramInformation asked) {
    switch (asked) {
        case ProgramInformation::None: return {};
        case ProgramInformation::Version: return "vantrel " VANTREL_VERSION "\n";
        case ProgramInformation::Help:
            return "Selects and rates refrigerant distributors in a window.\n"
                   "Usage: vantrel [FILE.dst]\n"
                   "       vantrel -unregister\n"
                   "\n"
                   "  FILE.dst      open this results document at start\n"
#ifdef _WIN32
                   "  -unregister   first remove the .dst document type an earlier start\n"
                   "                registered for this user (-u, /u and any leading part\n"
                   "                of the word do the same)\n"
#else
                   "  -unregister   first remove the desktop entry, document type and icons\n"
                   "                an earlier start registered for this user (-u, /u and\n"
                   "                any leading part of the word do the same)\n"
#endif
                   "  -h, --help    print this help and exit\n"
                   "  --version     print the version and exit\n"
                   "\n"
                   "Other options are ignored. vantrel-cli selects and rates without a window;\n"
#ifdef _WIN32
                   "see vantrel-cli --help.\n";
#else
                   "see vantrel-cli --help, and the manual pages vantrel(1) and vantrel-cli(1).\n";
#endif
    }
    return {};
}

std::optional<std::string> documentArgument(const std::vector<std::string>& args) {
    for (const std::string& token : args) {
        if (token.empty() || isOptionToken(token) || !endsWithDstIgnoringCase(token)) continue;
        std::error_code error;
        if (fs::is_regular_file(fs::u8path(token), error)) return token;
    }
    return std::nullopt;
}

}  // namespace vantrel
