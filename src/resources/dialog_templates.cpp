#include "resources/dialog_templates.h"

#include <stdexcept>

#include "i18n/translate.h"
#include "resources/control_ids.h"
#include "resources/command_ids.h"
#include "resources/dialog_ids.h"

namespace vantrel {

// Ids that must not collide: within each dialog, and with the toolkit's own.
static_assert(soundIds({ids::kDistributorGroup,
                        ids::kPerformanceGroup,
                        ids::kPartNumberGroup,
                        ids::kDistributorType,
                        ids::kLiquidTemp,
                        ids::kTubeLength,
                        ids::kInletConnection,
                        ids::kInletSize,
                        ids::kTubeSize,
                        ids::kNozzleSize,
                        ids::kOrificeType,
                        ids::kSidePort,
                        ids::kRefrigerant,
                        ids::kSuctionTemp,
                        ids::kCircuits,
                        ids::kCapacity,
                        ids::kPartNumber,
                        ids::kSelect,
                        ids::kRate,
                        ids::kChart,
                        ids::kCircuitsSpin,
                        ids::kOutputList,
                        ids::kLiquidUnit,
                        ids::kCapacityUnit,
                        ids::kSuctionUnit,
                        ids::kRefrigerantFacts,
                        ids::kCircuitsNote,
                        cmd::kRootDir}));
static_assert(soundIds({prefs_ids::kNozzleMin, prefs_ids::kNozzleMax, prefs_ids::kTubeMin, prefs_ids::kTubeMax,
                        prefs_ids::kHelp, prefs_ids::kDefault, dialog_ids::kOk, dialog_ids::kCancel}));
static_assert(soundIds({print_ids::kProjectName, print_ids::kCustomerName, print_ids::kPageRange, print_ids::kAll,
                        print_ids::kSelection, print_ids::kIncludeCharts, dialog_ids::kOk, dialog_ids::kCancel}));
static_assert(soundIds({about_ids::kVersionLine, about_ids::kCopyright, about_ids::kSpecialBuild, dialog_ids::kOk}));
static_assert(soundIds({cmd::kCancel,      cmd::kRootDir,     cmd::kHelpContents, cmd::kHelpUsing,    cmd::kHelpAbout,
                        cmd::kPreferences, cmd::kPrintSetup,  cmd::kPrint,        cmd::kClearResults, cmd::kUnits, cmd::kImportSchedule, cmd::kExportPdf,
                        cmd::kRowsDeleted, cmd::kListEmptied, cmd::kExit,         cmd::kUndo,         cmd::kCut,
                        cmd::kCopy,        cmd::kPaste,       cmd::kDelete,       cmd::kClearAll,     cmd::kNew,
                        cmd::kOpen,        cmd::kSave,        cmd::kSaveAs,       cmd::kFind,         cmd::kFindNext,
                        listcmd::kDeleteSelection, listcmd::kSelectAll, listcmd::kCopyPartNumber,
                        listcmd::kCopySelectedRows, listcmd::kPerformanceChart}));

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
                {ids::kDistributorGroup, K::GroupBox, N_("Distributor"), 5, 3, 180, 121},
                {kNoId, K::Label, N_("Distributor Type"), 12, 15, 55, 12},
                {ids::kDistributorType, K::DropDownList, "", 65, 13, 50, 40},
                {kNoId, K::Label, N_("Inlet:"), 12, 30, 20, 12},
                {ids::kInletConnection, K::DropDownList, "", 30, 28, 65, 80},
                {kNoId, K::LabelRight, N_("Size"), 95, 30, 20, 12},
                {ids::kInletSize, K::DropDownList, "", 117, 28, 40, 120},
                // TRANSLATORS: the unit after a size field; the word or its usual abbreviation.
                {kNoId, K::Label, N_("inch"), 160, 30, 20, 12},
                {kNoId, K::Label, N_("Number of Circuits"), 12, 45, 65, 12},
                {ids::kCircuits, K::Edit, "", 72, 44, 40, 12},
                {ids::kCircuitsSpin, K::UpDown, "", 101, 44, 12, 12},
                {ids::kCircuitsNote, K::Label, N_("(leave blank to select)"), 115, 45, 69, 8},
                {kNoId, K::Label, N_("Distributor Tubing OD"), 12, 60, 75, 12},
                {ids::kTubeSize, K::DropDownList, "", 83, 58, 50, 75},
                {kNoId, K::Label, N_("inch"), 135, 60, 20, 12},
                {kNoId, K::Label, N_("Nozzle Size"), 12, 75, 40, 12},
                {ids::kNozzleSize, K::DropDownList, "", 55, 73, 40, 130},
                {kNoId, K::LabelRight, N_("Type"), 98, 75, 20, 12},
                {ids::kOrificeType, K::DropDownList, "", 122, 73, 60, 90},
                {kNoId, K::LabelRight, N_("Side Port"), 83, 90, 35, 12},
                {ids::kSidePort, K::DropDownList, "", 122, 88, 60, 60},
                {ids::kSelect, K::DefaultButton, N_("&Select"), 12, 103, 50, 16},
                {ids::kPerformanceGroup, K::GroupBox, N_("Performance"), 190, 3, 180, 89},
                {kNoId, K::Label, N_("Refrigerant Type"), 198, 15, 60, 12},
                {ids::kRefrigerant, K::DropDownList, "", 278, 13, 40, 100},
                {ids::kRefrigerantFacts, K::Label, "", 320, 15, 49, 8},
                {kNoId, K::Label, N_("Capacity"), 198, 30, 35, 12},
                {kNoId, K::Label, N_("Suction Temperature"), 198, 45, 75, 12},
                {ids::kSuctionTemp, K::ComboBox, "", 278, 43, 40, 80},
                {ids::kSuctionUnit, K::Label, "°F", 320, 45, 20, 12, true, false},
                {kNoId, K::Label, N_("Liquid Temperature"), 198, 60, 75, 12},
                {ids::kLiquidTemp, K::ComboBox, "", 278, 58, 40, 80},
                {ids::kLiquidUnit, K::Label, "°F", 320, 60, 20, 12, true, false},
                {kNoId, K::Label, N_("Distributor Tube Length"), 198, 75, 80, 12},
                {ids::kTubeLength, K::ComboBox, "", 278, 73, 40, 80},
                {kNoId, K::Label, N_("inch"), 320, 75, 20, 12},
                {ids::kCapacity, K::Edit, "", 277, 28, 41, 12},
                // TRANSLATORS: refrigeration tons, the unit after the capacity field.
                {ids::kCapacityUnit, K::Label, N_("tons"), 320, 30, 20, 12},
                {ids::kPartNumberGroup, K::GroupBox, N_("Part Number"), 190, 93, 180, 31},
                {ids::kPartNumber, K::Edit, "", 198, 105, 78, 12},
                {ids::kRate, K::Button, N_("&Rate"), 316, 103, 50, 16},
                {ids::kChart, K::Button, N_("C&hart"), 280, 103, 32, 16},
                {ids::kOutputList, K::ListView, "", 4, 128, 365, 82},
                {cmd::kRootDir, K::Button, "", 178, 118, 3, 3, false},
            }};
}

DialogTemplate makePreferences() {
    return {templates::kPreferences,
            N_("Preferences"),
            180,
            105,
            {
                {kNoId, K::GroupBox, N_("Nozzle Loading"), 5, 2, 100, 45},
                {kNoId, K::Label, N_("Minimum"), 10, 15, 30, 10},
                {prefs_ids::kNozzleMin, K::Edit, "", 45, 13, 25, 12},
                {kNoId, K::Label, "%", 75, 15, 10, 10, true, false},
                {kNoId, K::Label, N_("Maximum"), 10, 30, 30, 10},
                {prefs_ids::kNozzleMax, K::Edit, "", 45, 28, 25, 12},
                {kNoId, K::Label, "%", 75, 30, 10, 10, true, false},
                {kNoId, K::GroupBox, N_("Tube Loading"), 5, 55, 100, 45},
                {kNoId, K::Label, N_("Minimum"), 10, 68, 30, 10},
                {prefs_ids::kTubeMin, K::Edit, "", 45, 66, 25, 12},
                {kNoId, K::Label, "%", 75, 68, 10, 10, true, false},
                {kNoId, K::Label, N_("Maximum"), 10, 83, 30, 10},
                {prefs_ids::kTubeMax, K::Edit, "", 45, 81, 25, 12},
                {kNoId, K::Label, "%", 75, 83, 10, 10, true, false},
                {dialog_ids::kOk, K::DefaultButton, N_("OK"), 120, 10, 50, 14},
                {dialog_ids::kCancel, K::Button, N_("Cancel"), 120, 35, 50, 14},
                {prefs_ids::kHelp, K::Button, N_("Help"), 120, 60, 50, 14},
                {prefs_ids::kDefault, K::Button, N_("Default"), 120, 80, 50, 14},
            }};
}

DialogTemplate makePrintHeader() {
    return {templates::kPrintHeader,
            N_("Header Information"),
            250,
            142,
            {
                {kNoId, K::Label, N_("&Project Name"), 5, 20, 50, 10},
                {print_ids::kProjectName, K::Edit, "", 55, 18, 175, 12},
                {kNoId, K::Label, N_("C&ustomer"), 5, 45, 50, 10},
                {print_ids::kCustomerName, K::Edit, "", 55, 43, 175, 12},
                {print_ids::kPageRange, K::GroupBox, N_("Page Range"), 5, 65, 104, 55},
                {print_ids::kAll, K::RadioButton, N_("&All"), 20, 82, 44, 8},
                {print_ids::kSelection, K::RadioButton, N_("&Selection"), 20, 98, 60, 12},
                {print_ids::kIncludeCharts, K::CheckBox, N_("Include performance c&harts"), 5, 126, 150, 10},
                {dialog_ids::kOk, K::DefaultButton, N_("&Continue"), 145, 70, 60, 18},
                {dialog_ids::kCancel, K::Button, N_("Cancel"), 145, 95, 60, 18},
            }};
}

DialogTemplate makeAbout() {
    return {templates::kAbout,
            N_("About Vantrel"),
            220,
            135,
            {
                {kNoId, K::Icon, "", 2, 2, 16, 16},
                {kNoId, K::LabelCentre, N_("Distributor Selection and Rating"), 2, 4, 216, 8},
                // TRANSLATORS: shown between the program's name and its version number.
                {about_ids::kVersionLine, K::LabelCentre, N_("Version"), 2, 14, 216, 8},
                {about_ids::kCopyright, K::LabelCentre, "", 2, 27, 216, 17},
                // The maker's address reads the same in every language.
                {kNoId, K::LabelCentre,
                 "Vantrel, Inc.\nEngineering Software Division\n410 Harbor Works Road\nMillbrook, OH 45000\n"
                 "Telephone (555) 014-2270\nsupport@vantrel.example",
                 2, 45, 216, 65, true, false},
                {about_ids::kSpecialBuild, K::LabelRight, "", 144, 115, 66, 8},
                {dialog_ids::kOk, K::DefaultButton, N_("OK"), 90, 115, 40, 14},
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
