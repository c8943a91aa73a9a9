// Runs the GUI tests inside the real application: the program is started as
// it starts for a user (settings, catalog, help, splash, main window), with
// its settings and desktop files kept in a scratch folder, and every modal
// dialog answered and recorded by a hook instead of a person.
#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/evtloop.h>
#include <wx/init.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

#include "version.h"
#include "app/wx/TSDIDecFrame.h"
#include "app/wx/TmorvexApp.h"
#include "gui_support.h"

namespace fs = std::filesystem;

int main(int argc, char** argv) {
    const auto started = std::chrono::steady_clock::now();
    ::testing::InitGoogleTest(&argc, argv);

    const fs::path scratch = fs::temp_directory_path() / ("vantrel-gui-" + std::to_string(::getpid()));
    fs::create_directories(scratch / "data");
    fs::create_directories(scratch / "empty-root");
    setenv("XDG_DATA_HOME", (scratch / "data").c_str(), 1);
    const fs::path settings = scratch / "settings.ini";
    setenv("VANTREL_CONFIG", settings.c_str(), 1);
    fs::current_path(scratch);

    // The "missing" scenario points RootDir at an empty folder, so neither the
    // catalog nor the help book can be found.
    const char* scenario = std::getenv("VANTREL_GUI_SCENARIO");
    vantrel::test::gScenario = scenario ? scenario : "";
    if (vantrel::test::gScenario == "missing") {
        std::ofstream(settings) << "[SOFTWARE/Vantrel, Inc./Vantrel/" VANTREL_VERSION "]\nRootDir="
                                << (scratch / "empty-root").string() << "\n";
    } else if (vantrel::test::gScenario == "damaged") {
        // Catalog files that exist but hold nothing usable.
        const fs::path malformed = fs::path(VANTREL_TEST_DATA_DIR) / "malformed" / "catalogs";
        fs::create_directories(scratch / "damaged-root");
        fs::copy_file(malformed / "binary.csv", scratch / "damaged-root" / "vflo.csv");
        fs::copy_file(malformed / "enormous-line.csv", scratch / "damaged-root" / "nflo.csv");
        std::ofstream(settings) << "[SOFTWARE/Vantrel, Inc./Vantrel/" VANTREL_VERSION "]\nRootDir="
                                << (scratch / "damaged-root").string() << "\n";
    } else if (const char* language = vantrel::test::scenarioLanguage()) {
        std::ofstream(settings) << "[SOFTWARE/Vantrel, Inc./Vantrel/" VANTREL_VERSION "]\nunits=ENGLISH\nlanguage="
                                << language << "\n";
    } else if (vantrel::test::gScenario == "english") {
        std::ofstream(settings) << "[SOFTWARE/Vantrel, Inc./Vantrel/" VANTREL_VERSION "]\nunits=ENGLISH\n";
        // The user's own refrigerants, beside the settings: one good, one not.
        std::ofstream(scratch / "refrigerants.csv") << "name,group,factor,composition,gwp,safety,source\n"
                                                       "R-454X,R-22,0.95,,466,A2L,Example supplier's bulletin\n"
                                                       "R-999,R-99,1.0,,,,Made up\n";
    }

    vantrel::test::DialogRecorder recorder;
    recorder.Register();
    wxApp::SetInstance(new vantrel::TmorvexApp);
    int wxArgc = 1;
    char* wxArgv[] = {argv[0], nullptr};
    if (!wxEntryStart(wxArgc, wxArgv)) return 2;
    // The tests run the program's events themselves, inside this loop.
    wxEventLoop loop;
    wxEventLoopActivator activate(&loop);
    if (!wxTheApp->CallOnInit()) return 2;
    // Start-up time: from entering main to the main window shown on screen
    // (the splash closes by itself later and is not waited for).
    auto* frame = static_cast<vantrel::TmorvexApp*>(wxTheApp)->frame();
    for (int waited = 0; !frame->IsShownOnScreen() && waited < 5000; waited += 1) vantrel::test::runEventLoop(1);
    vantrel::test::runEventLoop(0);
    const double startupMs =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - started).count();
    if (std::getenv("VANTREL_REPORT_STARTUP")) std::fprintf(stderr, "startup-to-shown-ms %.1f\n", startupMs);
    vantrel::test::gRecorder = &recorder;
    vantrel::test::gStartupDialogs = recorder.seen;

    const int result = RUN_ALL_TESTS();

    wxTheApp->OnExit();
    wxEntryCleanup();
    std::error_code error;
    fs::remove_all(scratch, error);
    return result;
}
