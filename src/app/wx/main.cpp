// Entry point of the desktop program.
#include "app/wx/TmorvexApp.h"

#ifdef _WIN32
wxIMPLEMENT_APP(vantrel::TmorvexApp);
#else
#include <iostream>
#include <string>
#include <vector>

#include "app/command_line.h"

wxIMPLEMENT_APP_NO_MAIN(vantrel::TmorvexApp);

int main(int argc, char** argv) {
    // Answered before the toolkit starts: it would need a display first.
    const std::vector<std::string> args(argv + 1, argv + argc);
    const vantrel::ProgramInformation asked = vantrel::informationAsked(args);
    if (asked != vantrel::ProgramInformation::None) {
        std::cout << vantrel::informationText(asked) << std::flush;
        return std::cout ? 0 : 1;
    }
    return wxEntry(argc, argv);
}
#endif
