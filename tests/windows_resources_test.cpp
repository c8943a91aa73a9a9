// The Windows programs' resources: the scripts made from resources/vantrel.rc.in
// for each program (checked on every system), and on Windows what the program
// files really carry: version record, icon groups and manifest.
#include <gtest/gtest.h>

#include <filesystem>
#include <regex>
#include <string>
#include <vector>

#include "app/version_record.h"
#include "util/files.h"
#include "version.h"

#ifdef _WIN32
#include <windows.h>

#endif

namespace vantrel {
namespace {

// What each program's record holds: the About box's record, with the
// command line's own file names and description.
VersionRecord expectedRecord(const std::string& program) {
    VersionRecord record = buildVersionRecord();
    record["OriginalFilename"] = program + ".exe";
    record["InternalName"] = program;
    if (program == "vantrel-cli")
        record["FileDescription"] = "Vantrel Distributor Selection and Rating, command line";
    return record;
}

// "1.07" as the four numbers of a version resource: 1, 7, 0, 0.
std::vector<unsigned> versionNumbers() {
    std::vector<unsigned> numbers;
    const std::string version = VANTREL_VERSION;
    const std::regex digits("[0-9]+");
    for (auto it = std::sregex_iterator(version.begin(), version.end(), digits); it != std::sregex_iterator(); ++it)
        numbers.push_back(static_cast<unsigned>(std::stoul(it->str())));
    numbers.resize(4, 0);
    return numbers;
}

const char* const kPrograms[] = {"vantrel", "vantrel-cli"};

TEST(WindowsResources, EachProgramsScriptCarriesTheVersionAndItsOwnNames) {
    const std::vector<unsigned> n = versionNumbers();
    const std::string numbers =
        std::to_string(n[0]) + "," + std::to_string(n[1]) + "," + std::to_string(n[2]) + "," + std::to_string(n[3]);
    for (const std::string program : kPrograms) {
        SCOPED_TRACE(program);
        const std::string folder = VANTREL_BUILD_RESOURCES_DIR;
        std::string rc;
        ASSERT_TRUE(readWholeFile(folder + "/" + program + ".rc", rc));
        VersionRecord fromScript;
        const std::regex value(R"re(VALUE\s+"(\w+)",\s+"([^"]*)")re");
        for (auto it = std::sregex_iterator(rc.begin(), rc.end(), value); it != std::sregex_iterator(); ++it)
            fromScript[(*it)[1]] = (*it)[2];
        EXPECT_EQ(fromScript, expectedRecord(program));
        EXPECT_NE(rc.find("FILEVERSION " + numbers + "\n"), std::string::npos);
        EXPECT_NE(rc.find("PRODUCTVERSION " + numbers + "\n"), std::string::npos);
        EXPECT_NE(rc.find("RT_MANIFEST \"" + folder + "/" + program + ".manifest\""), std::string::npos);
        // The document icon, which the registry's "<program>,1" names, is the desktop program's second group.
        EXPECT_EQ(rc.find("1001 ICON") != std::string::npos, program == "vantrel");
    }
}

#ifdef _WIN32

// The resource types by number (RT_GROUP_ICON, RT_MANIFEST), whatever the
// character set the Windows headers were told of.
const LPCWSTR kIconGroups = MAKEINTRESOURCEW(14);
const LPCWSTR kManifests = MAKEINTRESOURCEW(24);

// A program file opened for its resources only.
class ResourceFile {
public:
    explicit ResourceFile(const std::string& path)
        : module_(LoadLibraryExW(std::filesystem::u8path(path).wstring().c_str(), nullptr,
                                 LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE)) {}
    ~ResourceFile() {
        if (module_) FreeLibrary(module_);
    }
    ResourceFile(const ResourceFile&) = delete;
    ResourceFile& operator=(const ResourceFile&) = delete;
    bool open() const { return module_ != nullptr; }

    /// The numbered resources of `type` in the order the shell counts them.
    std::vector<int> numbers(LPCWSTR type) const {
        std::vector<int> found;
        EnumResourceNamesW(
            module_, type,
            [](HMODULE, LPCWSTR, LPWSTR name, LONG_PTR list) -> BOOL {
                // A named resource counts as -1: it sorts before every number.
                reinterpret_cast<std::vector<int>*>(list)->push_back(
                    IS_INTRESOURCE(name) ? static_cast<int>(reinterpret_cast<ULONG_PTR>(name)) : -1);
                return TRUE;
            },
            reinterpret_cast<LONG_PTR>(&found));
        return found;
    }

    std::string text(int number, LPCWSTR type) const {
        HRSRC found = FindResourceW(module_, MAKEINTRESOURCEW(number), type);
        if (!found) return {};
        HGLOBAL loaded = LoadResource(module_, found);
        const char* data = loaded ? static_cast<const char*>(LockResource(loaded)) : nullptr;
        return data ? std::string(data, SizeofResource(module_, found)) : std::string();
    }

private:
    HMODULE module_;
};

TEST(WindowsResources, ProgramFilesCarryTheirRecordIconsAndManifest) {
    const std::filesystem::path cli = std::filesystem::u8path(VANTREL_CLI_PATH);
    std::vector<std::pair<std::string, std::string>> files = {{"vantrel-cli", cli.u8string()}};
    // The desktop program is there when the build has the toolkit.
    const std::filesystem::path desktop = cli.parent_path() / "vantrel.exe";
    if (std::filesystem::exists(desktop)) files.emplace_back("vantrel", desktop.u8string());

    const std::vector<unsigned> n = versionNumbers();
    for (const auto& [program, path] : files) {
        SCOPED_TRACE(program);
        const TProjectRCVersion version(path);
        for (const auto& [key, expected] : expectedRecord(program)) {
            std::string value;
            EXPECT_TRUE(version.GetValue(key.c_str(), value)) << key;
            EXPECT_EQ(value, expected) << key;
        }
        EXPECT_EQ(composeVersionLine(version, "Version"), std::string("Vantrel Version ") + VANTREL_VERSION);

        const std::wstring wide = std::filesystem::u8path(path).wstring();
        DWORD ignored = 0;
        std::vector<unsigned char> data(GetFileVersionInfoSizeW(wide.c_str(), &ignored));
        ASSERT_FALSE(data.empty());
        ASSERT_TRUE(GetFileVersionInfoW(wide.c_str(), 0, static_cast<DWORD>(data.size()), data.data()));
        VS_FIXEDFILEINFO* fixed = nullptr;
        UINT length = 0;
        ASSERT_TRUE(VerQueryValueW(data.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
        EXPECT_EQ(fixed->dwFileVersionMS, static_cast<DWORD>(MAKELONG(n[1], n[0])));
        EXPECT_EQ(fixed->dwFileVersionLS, static_cast<DWORD>(MAKELONG(n[3], n[2])));
        EXPECT_EQ(fixed->dwProductVersionMS, fixed->dwFileVersionMS);

        const ResourceFile file(path);
        ASSERT_TRUE(file.open());
        // Icon group 1 is the one the shell shows, 1001 the one "<program>,1" names.
        const std::vector<int> icons = file.numbers(kIconGroups);
        const std::vector<int> expectedIcons = program == "vantrel" ? std::vector<int>{1, 1001} : std::vector<int>{1};
        EXPECT_EQ(icons, expectedIcons);
        const std::string manifest = file.text(1, kManifests);
        for (const char* setting :
             {"<activeCodePage xmlns=\"http://schemas.microsoft.com/SMI/2019/WindowsSettings\">UTF-8</activeCodePage>",
              "PerMonitorV2", "name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\"",
              "<supportedOS Id=\"{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}\"/>", "level=\"asInvoker\"",
              "name=\"Vantrel." })
            EXPECT_NE(manifest.find(setting), std::string::npos) << setting;
    }
}

#endif

}  // namespace
}  // namespace vantrel
