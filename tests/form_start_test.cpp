#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <set>
#include <vector>
#ifndef _WIN32
#include <sys/stat.h>
#endif

#include "version.h"
#include "resources/control_ids.h"
#include "form/form_lists.h"
#include "form/selection_form.h"
#include "resources/command_ids.h"
#include "resources/dialog_templates.h"
#include "resources/menu_resources.h"
#include "settings/settings_store.h"
#include "test_support.h"

namespace vantrel {
namespace {

class FormStart : public ::testing::Test {
protected:
    void storeUnits(const std::string& units) { store.set(kUnitsValue, units); }
    test::TempDir dir;
    SettingsStore store{dir.path() + "/config/settings.ini"};
    SelectionForm form;
    test::RecordingUi ui;
};

TEST_F(FormStart, UnitsSettingOnlyExactEnglishMeansUsUnits) {
    const std::pair<std::optional<std::string>, bool> cases[] = {
        {std::nullopt, true}, {"", true}, {"english", true}, {"SI", true}, {"ENGLISH ", true}, {"ENGLISH", false}};
    for (const auto& [units, si] : cases) {
        EXPECT_EQ(siUnitsFromSetting(units), si) << units.value_or("<missing>");
    }
    storeUnits("ENGLISH");
    form.start(store, dir.path(), ui);
    EXPECT_FALSE(form.siUnits);
    storeUnits("english");
    form.start(store, dir.path(), ui);
    EXPECT_TRUE(form.siUnits);
}

TEST_F(FormStart, CreatesTheSettingsKeyAndKeepsOtherValues) {
    std::filesystem::create_directories(dir.path() + "/config");
    std::ofstream(store.path()) << "[Other]\nkeep=1\n";
    form.start(store, dir.path(), ui);
    EXPECT_TRUE(form.siUnits);  // no units value yet
    // Read and closed: on Windows a file held open blocks its replacement.
    const std::string content = test::fileText(store.path());
    EXPECT_NE(content.find("[SOFTWARE/Vantrel, Inc./Vantrel/" VANTREL_VERSION "]"), std::string::npos);
    EXPECT_NE(content.find("keep=1"), std::string::npos);
    ASSERT_TRUE(store.set(kUnitsValue, kSiUnits));
    EXPECT_EQ(store.get(kUnitsValue), std::optional<std::string>("SI"));
    EXPECT_EQ(SettingsStore(store.path()).get("keep"), std::nullopt);  // other groups are not this key's
}

std::string fileText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

TEST_F(FormStart, ADamagedSettingsFileIsSetAsideOnceAndNeverWrittenOver) {
    std::filesystem::create_directories(dir.path() + "/config");
    std::string binary(65536, '\0');
    for (std::size_t i = 0; i < binary.size(); ++i) binary[i] = static_cast<char>((i * 131 + 7) % 256);
    std::ofstream(store.path(), std::ios::binary) << binary;
    // Read, it gives nothing and takes nothing.
    EXPECT_TRUE(store.damaged());
    EXPECT_EQ(store.get(kUnitsValue), std::nullopt);
    EXPECT_FALSE(store.set(kUnitsValue, "ENGLISH"));
    EXPECT_EQ(fileText(store.path()), binary);

    auto warnings = [this] {
        return std::count_if(ui.messages.begin(), ui.messages.end(),
                             [](const test::ShownMessage& m) { return m.caption == "WARNING"; });
    };
    form.start(store, dir.path(), ui);
    ASSERT_EQ(warnings(), 1);
    EXPECT_EQ(ui.messages[0].caption, "WARNING");
    EXPECT_EQ(ui.messages[0].text, "The settings file " + store.path() + " could not be read.\nIt was moved to " +
                                       store.path() + ".bad and the program starts with its default settings.");
    EXPECT_EQ(fileText(store.path() + ".bad"), binary);
    EXPECT_FALSE(store.damaged());
    EXPECT_TRUE(store.set(kUnitsValue, "ENGLISH"));

    // The next start finds a sound file and says nothing.
    ui.messages.clear();
    form.start(store, dir.path(), ui);
    EXPECT_EQ(warnings(), 0);
    EXPECT_FALSE(form.siUnits);
    // Text a person wrote, comments and other groups included, is sound.
    std::ofstream(store.path()) << "; written by hand\n# another comment\n[Other]\nkeep = 1\n\n"
                                   "[SOFTWARE/Vantrel, Inc./Vantrel/" VANTREL_VERSION "]\nunits=ENGLISH\n";
    EXPECT_FALSE(store.damaged());
    EXPECT_TRUE(store.set(kRootDirValue, "/opt/vantrel"));
    const std::string text = fileText(store.path());
    for (const char* kept : {"; written by hand", "[Other]", "keep = 1", "units=ENGLISH", "RootDir=/opt/vantrel"})
        EXPECT_NE(text.find(kept), std::string::npos) << kept;
    // A line that is neither is damage too, as is text that is not UTF-8.
    std::ofstream(store.path()) << "[SOFTWARE/Vantrel, Inc./Vantrel/" VANTREL_VERSION "]\nunits ENGLISH\n";
    EXPECT_TRUE(store.damaged());
    std::ofstream(store.path()) << "[SOFTWARE/Vantrel, Inc./Vantrel/" VANTREL_VERSION "]\nRootDir=/opt/\xe9t\xe9\n";
    EXPECT_TRUE(store.damaged());
}

// Files that are there but cannot be read whole, as root too: the store
// gives defaults, the start says why once, and nothing is written beside or
// over them all run long, however often the program would save.
TEST(UnreadableSettings, AreLeftAsTheyAreForTheWholeRun) {
    const std::string text = "; mine\n[Other]\nkeep=1\n[SOFTWARE/Vantrel, Inc./Vantrel/" VANTREL_VERSION
                             "]\nunits=ENGLISH\n";
    const struct {
        const char* what;
        std::uintmax_t size;  // 0: a folder in the file's place
        const char* reason;
    } cases[] = {
        {"a folder in its place", 0, "it is not a regular file"},
        {"over the size limit", std::uintmax_t{300} << 20, "it is larger than 256 MiB"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        test::TempDir dir;
        const std::string path = dir.path() + "/settings.ini";
        if (c.size == 0) {
            std::filesystem::create_directory(path);
        } else {
            std::ofstream(path, std::ios::binary) << text;
            std::filesystem::resize_file(path, c.size);
        }
        const auto timeBefore = std::filesystem::last_write_time(path);
#ifndef _WIN32
        struct stat before {};
        ASSERT_EQ(::stat(path.c_str(), &before), 0);
#endif

        SettingsStore store(path);
        SelectionForm form;
        test::RecordingUi ui;
        form.start(store, dir.path(), ui);
        const auto warnings = std::count_if(ui.messages.begin(), ui.messages.end(),
                                            [](const test::ShownMessage& m) { return m.caption == "WARNING"; });
        EXPECT_EQ(warnings, 1);
        EXPECT_EQ(ui.messages.at(0).text, "The settings file " + path + " could not be read: " + c.reason +
                                              ".\nThe program starts with its default settings and does not "
                                              "change the file.");
        EXPECT_TRUE(form.siUnits);
        FormInputs inputs = lists::defaultInputs(form.siUnits);
        form.switchUnits(inputs, &store);
        EXPECT_FALSE(store.set(kWindowSizeValue, "800,600"));
        EXPECT_EQ(store.get(kUnitsValue), std::nullopt);

        EXPECT_TRUE(std::filesystem::last_write_time(path) == timeBefore);
        std::error_code noSize;
        if (c.size != 0) {
            EXPECT_EQ(std::filesystem::file_size(path, noSize), c.size);
        }
#ifndef _WIN32
        struct stat after {};
        ASSERT_EQ(::stat(path.c_str(), &after), 0);
        EXPECT_EQ(after.st_ino, before.st_ino);
        EXPECT_EQ(after.st_size, before.st_size);
        EXPECT_EQ(after.st_mtim.tv_sec, before.st_mtim.tv_sec);
        EXPECT_EQ(after.st_mtim.tv_nsec, before.st_mtim.tv_nsec);
#endif
        if (c.size != 0) {
            std::string start(text.size(), '\0');
            std::ifstream(path, std::ios::binary).read(&start[0], static_cast<std::streamsize>(start.size()));
            EXPECT_EQ(start, text);
        }
        // Nothing beside it either: no lock file, no temporary.
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()),
                                std::filesystem::directory_iterator()),
                  1);
    }
}

TEST_F(FormStart, TwoProgramsWritingSettingsAtOnceLoseNothing) {
    ASSERT_TRUE(store.ensureKey());
    // Two programs of their own, each writing 60 values one write at a time.
    test::ChildProcess a({VANTREL_SETTINGS_RUN_TOOL_PATH, store.path(), "--set", "a", "60"});
    test::ChildProcess b({VANTREL_SETTINGS_RUN_TOOL_PATH, store.path(), "--set", "b", "60"});
    for (test::ChildProcess* writer : {&a, &b}) EXPECT_EQ(writer->wait().exitCode, 0);
    for (const char* prefix : {"a", "b"}) {
        for (int i = 0; i < 60; ++i) EXPECT_EQ(store.get(prefix + std::to_string(i)), std::to_string(i)) << prefix << i;
    }
}

TEST(StoredLayout, NumberListsAreTakenWholeOrNotAtAll) {
    EXPECT_EQ(parseNumberList(std::string("810,780"), 2, 1, 100000), (std::vector<int>{810, 780}));
    EXPECT_EQ(formatNumberList({810, 780}), "810,780");
    const std::vector<int> widths{55, 120, 100};
    EXPECT_EQ(parseNumberList(formatNumberList(widths), 3, 8, 2000), widths);
    // Anything off is the whole value ignored: count, range, text, blanks,
    // signs, empty fields, absent.
    for (const char* bad : {"810", "810,780,1", "0,780", "810,100001", "810,abc", " 810,780", "810,-780", "810,,780",
                            "", ",", "810,780,", "99999999999999,1"})
        EXPECT_TRUE(parseNumberList(std::string(bad), 2, 1, 100000).empty()) << bad;
    EXPECT_TRUE(parseNumberList(std::nullopt, 2, 1, 100000).empty());
}

TEST_F(FormStart, MissingCatalogsWarnNozzleFirst) {
    form.start(store, dir.path() + "/nowhere", ui);
    ASSERT_EQ(ui.messages.size(), 2u);
    EXPECT_EQ(ui.messages[0].caption, "ABORT");
    EXPECT_EQ(ui.messages[0].text,
              "Can't find nflo.csv\nReinstall program to restore file.\nProgram will run but will be unable\n"
              "toselect any nozzle-type distributors.");
    EXPECT_EQ(ui.messages[1].text.substr(0, 20), "Can't find vflo.csv\n");
    EXPECT_NE(ui.messages[1].text.find("venturi-type"), std::string::npos);

    test::RecordingUi quiet;
    dir.write("nflo.csv", "503,QX5,2-12,1/4,J,N,\n");
    dir.write("vflo.csv", "5-4-4,\n");
    SelectionForm found;
    found.start(store, dir.path(), quiet);
    EXPECT_TRUE(quiet.messages.empty());
    EXPECT_EQ(found.catalog.nozzleFile, test::pathIn(dir.path(), "nflo.csv"));
}

TEST_F(FormStart, DefaultsPerUnitSystem) {
    const FormInputs us = lists::defaultInputs(false);
    const FormInputs si = lists::defaultInputs(true);
    EXPECT_EQ(us.suctionTemp, "40");
    EXPECT_EQ(us.liquidTemp, "100");
    EXPECT_EQ(si.suctionTemp, "10");
    EXPECT_EQ(si.liquidTemp, "35");
    EXPECT_EQ(us.tubeLength, "30");
    EXPECT_EQ(us.refrigerant, "R-22");
    EXPECT_EQ(us.circuits, "2");
    EXPECT_TRUE(lists::nozzleListsEnabled(lists::choiceAt<DistributorType>(0)));
    EXPECT_TRUE(lists::nozzleListsEnabled(lists::choiceAt<DistributorType>(1)));
    EXPECT_FALSE(lists::nozzleListsEnabled(lists::choiceAt<DistributorType>(2)));
}

// The side-port list reads "none", "Integral", "Auxiliary"; the search's
// "no filter" has no item, so it must never come from a list position a user
// can pick, nor be mistaken for "none".
TEST(FormLists, SidePortPositionsAndChoices) {
    ASSERT_EQ(lists::sidePorts().size(), 3u);
    EXPECT_EQ(lists::sidePortAt(0), SidePort::None);
    EXPECT_EQ(lists::sidePortAt(1), SidePort::Integral);
    EXPECT_EQ(lists::sidePortAt(2), SidePort::Auxiliary);
    EXPECT_EQ(lists::sidePortAt(3), SidePort::Any);
    EXPECT_EQ(lists::sidePortAt(-1), SidePort::Any);
    for (int position = 0; position < 3; ++position)
        EXPECT_EQ(lists::positionOf(lists::sidePortAt(position)), position);
    EXPECT_EQ(lists::positionOf(SidePort::Any), -1);
    EXPECT_EQ(lists::defaultInputs(true).sidePort, SidePort::None);
}

TEST(Templates, FormTabOrderAndControls) {
    const DialogTemplate& form = dialogTemplate(templates::kForm);
    EXPECT_EQ(form.width, 375);
    EXPECT_EQ(form.height, 215);
    std::vector<int> focusable;
    for (const ControlTemplate& c : form.controls) {
        const bool takesFocus = c.visible && c.kind != ControlKind::Label && c.kind != ControlKind::LabelRight &&
                                c.kind != ControlKind::GroupBox && c.kind != ControlKind::UpDown;
        if (takesFocus) focusable.push_back(c.id);
    }
    EXPECT_EQ(focusable, (std::vector<int>{10031, 10034, 10035, 10051, 10036, 10037, 10038, 10039, 10071, 10040, 10041,
                                           10032, 10033, 10052, 10053, 10072, 10073, 10082}));
    // The up-down arrows follow the field they attach to.
    const auto spin = std::find_if(form.controls.begin(), form.controls.end(),
                                   [](const ControlTemplate& c) { return c.id == ids::kCircuitsSpin; });
    ASSERT_NE(spin, form.controls.begin());
    EXPECT_EQ(std::prev(spin)->id, ids::kCircuits);
    EXPECT_FALSE(form.find(cmd::kRootDir)->visible);
    EXPECT_THROW(dialogTemplate(4242), std::out_of_range);
}

TEST(Templates, DialogsKeepTheirIdsInsideTheirBounds) {
    for (int id : {templates::kForm, templates::kPreferences, templates::kPrintHeader, templates::kAbout}) {
        const DialogTemplate& t = dialogTemplate(id);
        std::set<int> seen;
        for (const ControlTemplate& c : t.controls) {
            EXPECT_LE(c.x + c.width, t.width) << id << " control " << c.id;
            if (c.id >= 0) {
                EXPECT_TRUE(seen.insert(c.id).second) << "duplicate id " << c.id;
            }
        }
    }
}

TEST(MenuResources, ItemsHintsAndToolBar) {
    const auto& menu = mainMenu();
    ASSERT_EQ(menu.size(), 4u);
    EXPECT_EQ(menuText(cmd::kUndo), "&Undo\tAlt+BkSp");
    EXPECT_EQ(hintText(cmd::kHelpAbout), "About the morvex application");
    EXPECT_EQ(hintText(cmd::kUnits), "");
    int separators = 0;
    for (const ToolTemplate& tool : toolBar()) separators += tool.command == 0;
    EXPECT_EQ(separators, 5);
    EXPECT_EQ(toolBar().back().command, cmd::kHelpContents);
    // Every accelerator names a command the frame knows.
    for (const AcceleratorTemplate& accel : accelerators()) {
        EXPECT_TRUE(accel.command == cmd::kFindNext || !menuText(accel.command).empty()) << accel.command;
    }
}

}  // namespace
}  // namespace vantrel
