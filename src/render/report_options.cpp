// What a report needs apart from drawing it: the moment it is made and the
// system's paper. The command line links these without the drawing module.
#include <ctime>
#include <optional>

#ifdef _WIN32
#include <windows.h>
#endif
#include <sstream>

#include "render/pdf_report.h"
#include "util/environment.h"
#include "util/files.h"
#include "util/local_time.h"
#include "util/plain_text.h"

namespace vantrel {
namespace {

// The first word of a paper name, or of a paper file's first line that is
// not a comment.
std::string firstWord(const std::string& text) {
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
        std::istringstream words(line);
        std::string word;
        if (words >> word && word[0] != '#') return asciiLowered(word);
    }
    return {};
}

bool paperOfName(const std::string& name, PaperSize& paper) {
    if (name == "a4") paper = PaperSize::A4;
    else if (name == "letter") paper = PaperSize::Letter;
    else return false;
    return true;
}

}  // namespace

ReportTime reportTimeNow() {
    const std::tm local = localTime(std::time(nullptr));
    return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec};
}

PaperSize systemPaperSize(const char* paperVariable, const std::string& paperFile, const char* locale) {
    PaperSize paper = PaperSize::A4;
    if (paperVariable && paperOfName(firstWord(paperVariable), paper)) return paper;
    std::string content;
    if (!paperFile.empty() && readWholeFile(paperFile, content) && paperOfName(firstWord(content), paper))
        return paper;
    // "en_US.UTF-8", "fr_CA@euro": the country sits between '_' and '.' or '@'.
    const std::string name = locale ? locale : "";
    const std::size_t underscore = name.find('_');
    if (underscore == std::string::npos) return PaperSize::A4;
    const std::string country = name.substr(underscore + 1, name.find_first_of(".@", underscore) - underscore - 1);
    // The countries whose locales print on Letter.
    for (const char* letter : {"US", "CA", "MX", "PR", "PH", "CL", "CO", "CR", "DO", "GT", "NI", "PA", "SV", "VE"})
        if (country == letter) return PaperSize::Letter;
    return PaperSize::A4;
}

PaperSize systemPaperSize() {
    std::string locale;
    for (const char* name : {"LC_ALL", "LC_PAPER", "LANG"}) {
        locale = environmentText(name);
        if (!locale.empty()) break;
    }
    const std::optional<std::string> paper = environmentValue("PAPERSIZE");
#ifdef _WIN32
    // Windows keeps no paper file, and its locales are named "en-US": the
    // user's locale, as the variables would name it.
    wchar_t name[LOCALE_NAME_MAX_LENGTH] = {};
    if (locale.empty() && GetUserDefaultLocaleName(name, LOCALE_NAME_MAX_LENGTH) > 0) {
        for (const wchar_t* c = name; *c; ++c) locale += *c == L'-' ? '_' : static_cast<char>(*c & 0x7F);
    }
    const std::string paperFile;
#else
    const std::string paperFile = "/etc/papersize";
#endif
    return systemPaperSize(paper ? paper->c_str() : nullptr, paperFile, locale.empty() ? nullptr : locale.c_str());
}

const char* paperName(PaperSize paper) { return paper == PaperSize::Letter ? "letter" : "a4"; }

}  // namespace vantrel
