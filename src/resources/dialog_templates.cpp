#include "resources/dialog_templates.h"

#include <stdexcept>

namespace vantrel {
namespace {

using K = ControlKind;
constexpr int kNoId = -1;

DialogTemplate makeForm() {
    // Controls in creation order: the capacity field follows the tube length
    // box so that Tab walks the performance inputs top to bottom, capacity last.
    return {templates::kForm,
            "Dialog Client",
            375,
            215,
            {
                {10021, K::GroupBox, "Distributor", 5, 3, 180, 121},
                {kNoId, K::Label, "Distributor Type", 12, 15, 55, 12},
                {10031, K::DropDownList, "", 65, 13, 50, 40},
                {kNoId, K::Label, "Inlet:", 12, 30, 20, 12},
                {10034, K::DropDownList, "", 30, 28, 65, 80},
                {kNoId, K::LabelRight, "Size", 95, 30, 20, 12},
                {10035, K::DropDownList, "", 117, 28, 40, 120},
                {kNoId, K::Label, "inch", 160, 30, 20, 12},
                {kNoId, K::Label, "Number of Circuits", 12, 45, 65, 12},
                {10051, K::Edit, "", 72, 44, 40, 12},
                {10081, K::UpDown, "", 101, 44, 12, 12},
                {102, K::Label, "(leave blank to select)", 115, 45, 69, 8},
                {kNoId, K::Label, "Distributor Tubing OD", 12, 60, 75, 12},
                {10036, K::DropDownList, "", 83, 58, 50, 75},
                {kNoId, K::Label, "inch", 135, 60, 20, 12},
                {kNoId, K::Label, "Nozzle Size", 12, 75, 40, 12},
                {10037, K::DropDownList, "", 55, 73, 40, 130},
                {kNoId, K::LabelRight, "Type", 98, 75, 20, 12},
                {10038, K::DropDownList, "", 122, 73, 60, 90},
                {kNoId, K::LabelRight, "Side Port", 83, 90, 35, 12},
                {10039, K::DropDownList, "", 122, 88, 60, 60},
                {10071, K::DefaultButton, "&Select", 12, 103, 50, 16},
                {10022, K::GroupBox, "Performance", 190, 3, 180, 89},
                {kNoId, K::Label, "Refrigerant Type", 198, 15, 60, 12},
                {10040, K::DropDownList, "", 278, 13, 40, 100},
                {kNoId, K::Label, "Capacity", 198, 30, 35, 12},
                {kNoId, K::Label, "Suction Temperature", 198, 45, 75, 12},
                {10041, K::ComboBox, "", 278, 43, 40, 80},
                {11012, K::Label, "°F", 320, 45, 20, 12},
                {kNoId, K::Label, "Liquid Temperature", 198, 60, 75, 12},
                {10032, K::ComboBox, "", 278, 58, 40, 80},
                {11010, K::Label, "°F", 320, 60, 20, 12},
                {kNoId, K::Label, "Distributor Tube Length", 198, 75, 80, 12},
                {10033, K::ComboBox, "", 278, 73, 40, 80},
                {kNoId, K::Label, "inch", 320, 75, 20, 12},
                {10052, K::Edit, "", 277, 28, 41, 12},
                {11011, K::Label, "tons", 320, 30, 20, 12},
                {10023, K::GroupBox, "Part Number", 190, 93, 180, 31},
                {10053, K::Edit, "", 198, 105, 112, 12},
                {10072, K::Button, "&Rate", 316, 103, 50, 16},
                {10082, K::ListView, "", 4, 128, 365, 82},
                {101, K::Button, "", 178, 118, 3, 3, false},
            }};
}

DialogTemplate makePreferences() {
    return {templates::kPreferences,
            "Preferences",
            180,
            105,
            {
                {kNoId, K::GroupBox, "Nozzle Loading", 5, 2, 100, 45},
                {kNoId, K::Label, "Minimum", 10, 15, 30, 10},
                {10056, K::Edit, "", 45, 13, 25, 12},
                {kNoId, K::Label, "%", 75, 15, 10, 10},
                {kNoId, K::Label, "Maximum", 10, 30, 30, 10},
                {10057, K::Edit, "", 45, 28, 25, 12},
                {kNoId, K::Label, "%", 75, 30, 10, 10},
                {kNoId, K::GroupBox, "Tube Loading", 5, 55, 100, 45},
                {kNoId, K::Label, "Minimum", 10, 68, 30, 10},
                {10058, K::Edit, "", 45, 66, 25, 12},
                {kNoId, K::Label, "%", 75, 68, 10, 10},
                {kNoId, K::Label, "Maximum", 10, 83, 30, 10},
                {10059, K::Edit, "", 45, 81, 25, 12},
                {kNoId, K::Label, "%", 75, 83, 10, 10},
                {1, K::DefaultButton, "OK", 120, 10, 50, 14},
                {2, K::Button, "Cancel", 120, 35, 50, 14},
                {9, K::Button, "Help", 120, 60, 50, 14},
                {10073, K::Button, "Default", 120, 80, 50, 14},
            }};
}

DialogTemplate makePrintHeader() {
    return {templates::kPrintHeader,
            "Header Information",
            250,
            125,
            {
                {kNoId, K::Label, "&Project Name", 5, 20, 50, 10},
                {10054, K::Edit, "", 55, 18, 175, 12},
                {kNoId, K::Label, "C&ustomer", 5, 45, 50, 10},
                {10055, K::Edit, "", 55, 43, 175, 12},
                {101, K::GroupBox, "Page Range", 5, 65, 104, 55},
                {102, K::RadioButton, "&All", 20, 82, 44, 8},
                {103, K::RadioButton, "&Selection", 20, 98, 60, 12},
                {1, K::DefaultButton, "&Continue", 145, 70, 60, 18},
                {2, K::Button, "Cancel", 145, 95, 60, 18},
            }};
}

DialogTemplate makeAbout() {
    return {templates::kAbout,
            "About Vantrel",
            220,
            135,
            {
                {kNoId, K::Icon, "", 2, 2, 16, 16},
                {kNoId, K::LabelCentre, "Distributor Selection and Rating", 2, 4, 216, 8},
                {22001, K::LabelCentre, "Version", 2, 14, 216, 8},
                {22002, K::LabelCentre, "", 2, 27, 216, 17},
                {kNoId, K::LabelCentre,
                 "Vantrel, Inc.\nEngineering Software Division\n410 Harbor Works Road\nMillbrook, OH 45000\n"
                 "Telephone (555) 014-2270\nsupport@vantrel.example",
                 2, 45, 216, 65},
                {22003, K::LabelRight, "", 144, 115, 66, 8},
                {1, K::DefaultButton, "OK", 90, 115, 40, 14},
            }};
}

}  // namespace

const ControlTemplate* DialogTemplate::find(int controlId) const {
    for (const ControlTemplate& control : controls) {
        if (control.id == controlId) return &control;
    }
    return nullptr;
}

const DialogTemplate& dialogTemplate(int id) {
    static const DialogTemplate kTemplates[] = {makeForm(), makePreferences(), makePrintHeader(), makeAbout()};
    for (const DialogTemplate& t : kTemplates) {
        if (t.id == id) return t;
    }
    throw std::out_of_range("no dialog template " + std::to_string(id));
}

}  // namespace vantrel
