#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "app/command_line.h"
#include "app/desktop_registration.h"
#include "app/help_location.h"
#include "app/version_record.h"
#include "test_support.h"
#include "version.h"

namespace vantrel {
namespace {

namespace fs = std::filesystem;
using test::TempDir;

std::string readAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

// Sets (or clears, for nullptr) an environment variable for one test.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const char* value)
        : variable_(name, value ? std::optional<std::string>(value) : std::nullopt) {}

private:
    test::ScopedVariable variable_;
};

// ---- command line ----

TEST(CommandLineTest, UnregisterAcceptsAnyLeadingPartInAnyCaseAfterEitherPrefix) {
    for (const char* token : {"-unregister", "/unregister", "/UNREGISTER", "-Unreg", "-u", "/U", "-unregiste"})
        EXPECT_TRUE(hasUnregisterOption({token})) << token;
}

TEST(CommandLineTest, UnregisterRejectsOtherWordsAndPrefixes) {
    for (const char* token :
         {"-unregisterx", "--unregister", "unregister", "-", "/", "-x", "/unregistered", "-unregistr", "-unreg ister"})
        EXPECT_FALSE(hasUnregisterOption({token})) << token;
    EXPECT_FALSE(hasUnregisterOption({}));
    EXPECT_TRUE(hasUnregisterOption({"results.dst", "-verbose", "/UnReg"}));
}

TEST(CommandLineTest, SlashStartsAnOptionOnlyWhenLettersAloneFollow) {
    EXPECT_TRUE(isOptionToken("/unregister"));
    EXPECT_TRUE(isOptionToken("-anything/at.all"));
    EXPECT_FALSE(isOptionToken("/home/user/a.dst"));
    EXPECT_FALSE(isOptionToken("/a.dst"));
    EXPECT_FALSE(isOptionToken("/"));
    EXPECT_FALSE(isOptionToken("a.dst"));
}

TEST(CommandLineTest, HelpAndVersionAnswerBeforeAnythingElse) {
    using Args = std::vector<std::string>;
    EXPECT_EQ(informationAsked(Args{}), ProgramInformation::None);
    EXPECT_EQ(informationAsked(Args{"results.dst", "-u"}), ProgramInformation::None);
    EXPECT_EQ(informationAsked(Args{"-unregister", "--help"}), ProgramInformation::Help);
    EXPECT_EQ(informationAsked(Args{"-h"}), ProgramInformation::Help);
    EXPECT_EQ(informationAsked(Args{"--version", "--help"}), ProgramInformation::Version);
    // Spellings that are not these options stay ignored, as before.
    EXPECT_EQ(informationAsked(Args{"--Help", "-help", "/h", "--versions", "help"}), ProgramInformation::None);
    EXPECT_EQ(informationText(ProgramInformation::Version), "vantrel " VANTREL_VERSION "\n");
    const std::string help = informationText(ProgramInformation::Help);
    for (const char* word : {"Usage: vantrel [FILE.dst]", "-unregister", "--help", "--version", "vantrel-cli"})
        EXPECT_NE(help.find(word), std::string::npos) << word;
    EXPECT_EQ(informationText(ProgramInformation::None), "");
}

TEST(CommandLineTest, DocumentIsTheFirstExistingDstFile) {
    TempDir dir;
    const std::string lower = dir.write("first.dst", VANTREL_VERSION ";0\n");
    const std::string upper = dir.write("SECOND.DST", VANTREL_VERSION ";0\n");
    const std::string text = dir.write("notes.txt", "x");
    const std::string folder = dir.path() + "/folder.dst";
    fs::create_directory(folder);

    EXPECT_EQ(documentArgument({"-u", dir.path() + "/missing.dst", folder, text, lower, upper}), lower);
    EXPECT_EQ(documentArgument({upper, lower}), upper);
    EXPECT_EQ(documentArgument({"-u", text}), std::nullopt);
    EXPECT_EQ(documentArgument({}), std::nullopt);
}

// ---- help file ----

class HelpLocationTest : public ::testing::Test {
protected:
    std::set<std::string> existing;
    HelpLocation locate(const std::string& rootDir) const {
        return locateHelpFile(kHelpFileName, rootDir,
                              [this](const std::string& path) { return existing.count(path) > 0; });
    }
};

TEST_F(HelpLocationTest, FileInCurrentFolderKeepsTheBareName) {
    existing = {"vantrel.hlp", "/opt/vantrel/vantrel.hlp"};
    const HelpLocation found = locate("/opt/vantrel");
    EXPECT_EQ(found.helpFilePath, "vantrel.hlp");
    EXPECT_EQ(found.cautionMessage, std::nullopt);
}

TEST_F(HelpLocationTest, EmptyRootDirWarnsWithTheBareName) {
    const HelpLocation found = locate("");
    EXPECT_EQ(found.helpFilePath, "vantrel.hlp");
    EXPECT_EQ(found.cautionMessage, "Cannot find vantrel.hlp\nalthough program will run without it.");
}

TEST_F(HelpLocationTest, FileUnderRootDirGivesTheFullPath) {
    const std::string full = test::pathIn("/opt/vantrel", "vantrel.hlp");
    existing = {full, "/opt/vantrel/vantrel.hlp"};
    EXPECT_EQ(locate("/opt/vantrel").helpFilePath, full);
    // A folder written with its separator does not get a second one.
    const HelpLocation trailing = locate("/opt/vantrel/");
    EXPECT_EQ(trailing.helpFilePath, "/opt/vantrel/vantrel.hlp");
    EXPECT_EQ(trailing.cautionMessage, std::nullopt);
}

TEST_F(HelpLocationTest, MissingUnderRootDirNamesTheFullPathButKeepsTheBareName) {
    const HelpLocation found = locate("/opt/vantrel");
    EXPECT_EQ(found.helpFilePath, "vantrel.hlp");
    EXPECT_EQ(found.cautionMessage, "Cannot find " + test::pathIn("/opt/vantrel", "vantrel.hlp") +
                                        "\nalthough program will run without it.");
}

TEST(HelpFileExistsTest, OnlyRegularFilesCount) {
    TempDir dir;
    EXPECT_TRUE(helpFileExists(dir.write("vantrel.hlp", "book")));
    EXPECT_FALSE(helpFileExists(dir.path()));
    EXPECT_FALSE(helpFileExists(dir.path() + "/other.hlp"));
}

// ---- version record ----

TEST(VersionRecordTest, BuiltInRecordComposesTheAboutLine) {
#ifdef _WIN32
    // Read from a program file's version resource: the command line's.
    const TProjectRCVersion version(VANTREL_CLI_PATH);
#else
    const TProjectRCVersion version("/any/program");
#endif
    std::string name, number, copyright, special = "untouched";
    ASSERT_TRUE(version.GetProductName(name));
    ASSERT_TRUE(version.GetProductVersion(number));
    EXPECT_EQ(name, "Vantrel");
    EXPECT_EQ(number, VANTREL_VERSION);
    EXPECT_TRUE(version.GetCopyright(copyright));
    EXPECT_NE(copyright.find("Vantrel, Inc."), std::string::npos);
    EXPECT_FALSE(version.GetSpecialBuild(special));
    EXPECT_EQ(special, "untouched");
    EXPECT_EQ(composeVersionLine(version, "Version"), std::string("Vantrel Version ") + VANTREL_VERSION);
}

TEST(VersionRecordTest, WithoutVersionDataEverythingFailsAndTheTextStays) {
    const TProjectRCVersion version(std::nullopt);
    std::string value = "untouched";
    EXPECT_FALSE(version.GetProductName(value));
    EXPECT_FALSE(version.GetProductVersion(value));
    EXPECT_FALSE(version.GetCopyright(value));
    EXPECT_FALSE(version.GetSpecialBuild(value));
    EXPECT_EQ(value, "untouched");
    EXPECT_EQ(composeVersionLine(version, "Version"), "Version");
}

TEST(VersionRecordTest, NameWithoutVersionLeavesTheLineButKeepsTheCopyright) {
    const TProjectRCVersion version(VersionRecord{{"ProductName", "Vantrel"}, {"LegalCopyright", "(c) V"}});
    EXPECT_EQ(composeVersionLine(version, "Version"), "Version");
    std::string copyright;
    EXPECT_TRUE(version.GetCopyright(copyright));
    EXPECT_EQ(copyright, "(c) V");
}

TEST(VersionRecordTest, LineLimitsCountCharactersAndNeverSplitOne) {
    const TProjectRCVersion version(VersionRecord{{"ProductName", "P"}, {"ProductVersion", "9"}});
    // 130 two-byte characters: only 127 are read.
    std::string degrees;
    for (int i = 0; i < 130; ++i) degrees += "\xC2\xB0";
    EXPECT_EQ(composeVersionLine(version, degrees), "P " + degrees.substr(0, 254) + " 9");

    const TProjectRCVersion longName(VersionRecord{{"ProductName", std::string(200, 'n')}, {"ProductVersion", "9"}});
    const std::string line = composeVersionLine(longName, degrees);
    EXPECT_EQ(line, std::string(200, 'n') + " " + degrees.substr(0, 2 * 54));
    EXPECT_EQ(truncateUtf8("a\xC2\xB0z", 2), "a\xC2\xB0");
    EXPECT_EQ(truncateUtf8("abc", 0), "");
}

TEST(VersionRecordTest, WindowsResourceCarriesTheSameTexts) {
    const std::string rc = readAll(std::string(VANTREL_BUILD_RESOURCES_DIR) + "/vantrel.rc");
    ASSERT_FALSE(rc.empty());
    VersionRecord fromResource;
    const std::regex value(R"re(VALUE\s+"(\w+)",\s+"([^"]*)")re");
    for (auto it = std::sregex_iterator(rc.begin(), rc.end(), value); it != std::sregex_iterator(); ++it)
        fromResource[(*it)[1]] = (*it)[2];
    VersionRecord expected = buildVersionRecord();
    expected["OriginalFilename"] = "vantrel.exe";
    EXPECT_EQ(fromResource, expected);
    EXPECT_NE(rc.find("BLOCK \"040904e4\""), std::string::npos);
    EXPECT_NE(rc.find("VALUE \"Translation\", 0x409, 1252"), std::string::npos);
}

// ---- desktop registration ----

// The freedesktop.org folders and tools of Linux desktops; Windows registers
// in its registry instead.
#ifndef _WIN32
TEST(DesktopRegistrationTest, DataFolderComesFromTheEnvironment) {
    ScopedEnv home("HOME", "/home/someone");
    {
        ScopedEnv xdg("XDG_DATA_HOME", "/data/here");
        const RegistrationPaths paths = registrationPaths();
        EXPECT_EQ(paths.dataHome, "/data/here");
        EXPECT_EQ(paths.mimePackage, "/data/here/mime/packages/vantrel.xml");
        EXPECT_EQ(paths.desktopEntry, "/data/here/applications/vantrel.desktop");
        EXPECT_EQ(paths.programIcon(48), "/data/here/icons/hicolor/48x48/apps/vantrel.png");
        EXPECT_EQ(paths.documentIcon(16),
                  "/data/here/icons/hicolor/16x16/mimetypes/application-x-vantrel-document.png");
    }
    {
        ScopedEnv xdg("XDG_DATA_HOME", "relative/ignored");
        EXPECT_EQ(registrationPaths().dataHome, "/home/someone/.local/share");
    }
    ScopedEnv xdg("XDG_DATA_HOME", nullptr);
    EXPECT_EQ(registrationPaths().dataHome, "/home/someone/.local/share");
    ScopedEnv noHome("HOME", nullptr);
    EXPECT_EQ(registrationPaths().dataHome, "");
}
#endif

TEST(DesktopRegistrationTest, ExecArgumentEscapesWhatTheLauncherInterprets) {
    EXPECT_EQ(quoteExecArgument("/opt/My Apps/vantrel"), "\"/opt/My Apps/vantrel\"");
    EXPECT_EQ(quoteExecArgument("/a\"b`c$d%e\\f"), "\"/a\\\"b\\`c\\$d%%e\\\\\\\\f\"");
}

class DesktopIntegrationTest : public ::testing::Test {
protected:
    void SetUp() override {
        paths = registrationPathsUnder(dir.path() + "/data");
        icons = dir.path() + "/icons";
        fs::create_directories(icons);
        writeFile(icons + "/vantrel-16.png", "app16");
        writeFile(icons + "/vantrel-48.png", "app48");
        writeFile(icons + "/vantrel-document-16.png", "doc16");
        // Unrelated files that share folders with ours.
        writeFile(paths.applicationsDir + "/other.desktop", "[Desktop Entry]\n");
        writeFile(dir.path() + "/data/mime/packages/other.xml", "<mime-info/>\n");
        writeFile(dir.path() + "/data/icons/hicolor/16x16/apps/other.png", "other");
    }

    static void writeFile(const std::string& path, const std::string& content) {
        fs::create_directories(fs::path(path).parent_path());
        std::ofstream(path, std::ios::binary) << content;
    }

    // Every regular file under the data folder with its content.
    std::map<std::string, std::string> snapshot() const {
        std::map<std::string, std::string> files;
        for (const auto& entry : fs::recursive_directory_iterator(paths.dataHome)) {
            if (entry.is_regular_file()) files[entry.path().string()] = readAll(entry.path().string());
        }
        return files;
    }

    ToolRunner recorder() {
        return [this](const std::string& program, const std::vector<std::string>& arguments) {
            ran.push_back(program + " " + (arguments.empty() ? std::string() : arguments.front()));
        };
    }

    TempDir dir;
    RegistrationPaths paths;
    std::string icons;
    std::vector<std::string> ran;
};

TEST_F(DesktopIntegrationTest, WritesTypeEntryAndTheIconsThatExist) {
    const IntegrationChanges changes = writeDesktopIntegration(paths, "/opt/vantrel/bin/vantrel", icons, recorder());

    const std::vector<std::string> expected = {paths.mimePackage, paths.desktopEntry, paths.programIcon(16),
                                               paths.documentIcon(16), paths.programIcon(48)};
    EXPECT_EQ(changes.written, expected);
    EXPECT_EQ(readAll(paths.programIcon(48)), "app48");
    EXPECT_EQ(readAll(paths.documentIcon(16)), "doc16");
    EXPECT_FALSE(fs::exists(paths.documentIcon(48)));

    const std::string entry = readAll(paths.desktopEntry);
    EXPECT_EQ(entry.rfind("[Desktop Entry]\n", 0), 0u);
    for (const char* line : {"\nExec=\"/opt/vantrel/bin/vantrel\" %f\n", "\nMimeType=application/x-vantrel-document;\n",
                             "\nIcon=vantrel\n", "\nCategories=Engineering;Science;\n", "\nType=Application\n"})
        EXPECT_NE(entry.find(line), std::string::npos) << line;
    const std::string mime = readAll(paths.mimePackage);
    EXPECT_NE(mime.find("<mime-type type=\"application/x-vantrel-document\">"), std::string::npos);
    EXPECT_NE(mime.find("<glob pattern=\"*.dst\"/>"), std::string::npos);

    EXPECT_EQ(ran, (std::vector<std::string>{"update-mime-database " + paths.mimeDir,
                                             "update-desktop-database " + paths.applicationsDir}));
}

TEST(DesktopTexts, RegisteredTextsAreTheInstalledOnes) {
    auto fileText = [](const std::string& name) {
        std::ifstream in(std::string(VANTREL_PACKAGING_DIR) + "/" + name, std::ios::binary);
        return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    };
    EXPECT_EQ(mimePackageText(), fileText("vantrel-mime.xml"));
    // The installed entry finds the program on PATH; the per-user one names
    // the program that wrote it, in both places.
    std::string installed = fileText("vantrel.desktop.in");
    for (const auto& [line, own] : {std::pair<std::string, std::string>{"\nExec=vantrel %f\n",
                                                                          "\nExec=\"/home/a b/vantrel\" %f\n"},
                                    {"\nTryExec=vantrel\n", "\nTryExec=/home/a b/vantrel\n"}}) {
        ASSERT_NE(installed.find(line), std::string::npos) << line;
        installed.replace(installed.find(line), line.size(), own);
    }
    EXPECT_EQ(desktopEntryText("/home/a b/vantrel"), installed);
    EXPECT_NE(desktopEntryText(" /odd\\path\n").find("\nTryExec=\\s/odd\\\\path\\n\n"), std::string::npos);
}

TEST(DesktopRegistrationTest, AnInstallationWithItsEntryRegistersNothingPerUser) {
    TempDir dir;
    const fs::path prefix = fs::path(dir.path()) / "prefix";
    fs::create_directories(prefix / "bin");
    std::ofstream((prefix / "bin" / "vantrel").string()) << "program";
    // A build tree, or an installation whose entry was removed: not installed.
    EXPECT_EQ(installedDesktopEntry((prefix / "bin" / "vantrel").string()), "");
    fs::create_directories(prefix / "share" / "applications" / "vantrel.desktop");  // a folder is no entry
    EXPECT_EQ(installedDesktopEntry((prefix / "bin" / "vantrel").string()), "");
    fs::remove(prefix / "share" / "applications" / "vantrel.desktop");
    std::ofstream((prefix / "share" / "applications" / "vantrel.desktop").string()) << "[Desktop Entry]\n";
    EXPECT_EQ(installedDesktopEntry((prefix / "bin" / "vantrel").string()),
              (prefix / "share" / "applications" / "vantrel.desktop").string());
    EXPECT_EQ(installedDesktopEntry(""), "");
}

TEST_F(DesktopIntegrationTest, RepeatedRegistrationTouchesNothing) {
    writeDesktopIntegration(paths, "/opt/vantrel/bin/vantrel", icons, recorder());
    const auto stamp = fs::last_write_time(paths.desktopEntry);
    fs::last_write_time(paths.desktopEntry, stamp - std::chrono::hours(1));
    ran.clear();

    const IntegrationChanges again = writeDesktopIntegration(paths, "/opt/vantrel/bin/vantrel", icons, recorder());
    EXPECT_TRUE(again.written.empty());
    EXPECT_TRUE(ran.empty());
    EXPECT_EQ(fs::last_write_time(paths.desktopEntry), stamp - std::chrono::hours(1));

    // A moved program rewrites only its entry and refreshes only that database.
    const IntegrationChanges moved = writeDesktopIntegration(paths, "/usr/bin/vantrel", icons, recorder());
    EXPECT_EQ(moved.written, std::vector<std::string>{paths.desktopEntry});
    EXPECT_EQ(ran, std::vector<std::string>{"update-desktop-database " + paths.applicationsDir});

    // A changed icon is copied again.
    writeFile(icons + "/vantrel-48.png", "new48");
    EXPECT_EQ(writeDesktopIntegration(paths, "/usr/bin/vantrel", icons, recorder()).written,
              std::vector<std::string>{paths.programIcon(48)});
}

TEST_F(DesktopIntegrationTest, UnregistrationRemovesExactlyWhatRegistrationWrote) {
    const auto before = snapshot();
    const IntegrationChanges written = writeDesktopIntegration(paths, "/opt/vantrel/bin/vantrel", icons, recorder());
    ran.clear();

    const IntegrationChanges removed = removeDesktopIntegration(paths, recorder());
    EXPECT_EQ(std::set<std::string>(removed.removed.begin(), removed.removed.end()),
              std::set<std::string>(written.written.begin(), written.written.end()));
    EXPECT_EQ(snapshot(), before);
    EXPECT_TRUE(fs::is_directory(fs::path(paths.programIcon(48)).parent_path()));
    EXPECT_EQ(ran, (std::vector<std::string>{"update-mime-database " + paths.mimeDir,
                                             "update-desktop-database " + paths.applicationsDir}));

    ran.clear();
    EXPECT_TRUE(removeDesktopIntegration(paths, recorder()).removed.empty());
    EXPECT_TRUE(ran.empty());
}

#ifndef _WIN32
TEST_F(DesktopIntegrationTest, PublicCallsFollowXdgDataHome) {
    ScopedEnv xdg("XDG_DATA_HOME", paths.dataHome.c_str());
    registerDesktopIntegration("/opt/vantrel/bin/vantrel", icons);
    EXPECT_TRUE(fs::exists(paths.desktopEntry));
    EXPECT_TRUE(fs::exists(paths.programIcon(16)));
    unregisterDesktopIntegration();
    EXPECT_FALSE(fs::exists(paths.desktopEntry));
    EXPECT_FALSE(fs::exists(paths.mimePackage));
    EXPECT_FALSE(fs::exists(paths.programIcon(16)));
    EXPECT_TRUE(fs::exists(paths.applicationsDir + "/other.desktop"));
    EXPECT_TRUE(fs::exists(dir.path() + "/data/mime/packages/other.xml"));
}

TEST(DesktopToolTest, RunsWithoutAShellAndIgnoresMissingPrograms) {
    TempDir dir;
    // A shell would split this into several words and commands.
    const std::string odd = dir.path() + "/a b;c $(d)";
    runDesktopTool("touch", {odd});
    EXPECT_TRUE(fs::exists(odd));
    EXPECT_FALSE(fs::exists(dir.path() + "/a"));
    runDesktopTool("vantrel-no-such-tool", {dir.path()});
}
#endif

}  // namespace
}  // namespace vantrel
