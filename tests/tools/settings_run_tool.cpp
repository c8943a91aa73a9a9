// Starts the form over a settings file as the program does, then switches the
// units, which saves them: a run that writes its settings, in a process of its
// own, so the tests can make its reads of the settings file fail for real.
//   vantrel_settings_run_tool <settings file>
// Each message of the run goes to standard error as "CAPTION: text".
// With "--set PREFIX COUNT" it writes COUNT values PREFIX0=0, PREFIX1=1… one
// write at a time instead, as a second program sharing the settings would;
// the exit status is 1 when any write failed.
#include <cstdio>
#include <string>
#include <vector>

#include "util/console.h"
#include "util/environment.h"

#include "form/form_lists.h"
#include "form/selection_form.h"
#include "settings/settings_store.h"

namespace {

class StderrUi : public vantrel::FormUi {
public:
    vantrel::MessageAnswer showMessage(const std::string& text, const std::string& caption, vantrel::MessageIcon,
                                       vantrel::MessageButtons) override {
        std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
        return vantrel::MessageAnswer::Ok;
    }
    void setFocus(int) override {}
    void setControlText(int, const std::string&) override {}
};

}  // namespace

int main(int argc, char** argv) {
    vantrel::prepareStandardStreams();
    const std::vector<std::string> arguments = vantrel::programArguments(argc, argv);
    if (arguments.size() == 5 && arguments[2] == "--set") {
        vantrel::SettingsStore settings(arguments[1]);
        bool ok = true;
        for (int i = 0; i < std::stoi(arguments[4]); ++i)
            ok = settings.set(arguments[3] + std::to_string(i), std::to_string(i)) && ok;
        return ok ? 0 : 1;
    }
    if (arguments.size() != 2) {
        std::fputs("usage: vantrel_settings_run_tool <settings file> [--set PREFIX COUNT]\n", stderr);
        return 2;
    }
    vantrel::SettingsStore settings(arguments[1]);
    vantrel::SelectionForm form;
    StderrUi ui;
    // The catalogs do not matter here; the shipped ones spare their warnings.
    form.start(settings, vantrel::programDataDir(), ui);
    vantrel::FormInputs inputs = vantrel::lists::defaultInputs(form.siUnits);
    form.switchUnits(inputs, &settings);
    return 0;
}
