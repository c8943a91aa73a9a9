// Where the settings live on Windows (the user's registry key, or the file
// VANTREL_CONFIG names) and the settings file's lock, which every system has.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "form/selection_form.h"
#include "settings/settings_lock.h"
#include "settings/settings_store.h"
#include "test_support.h"
#include "version.h"

#ifdef _WIN32
#include <windows.h>

#include <aclapi.h>
#include <cstdlib>

#include "settings/user_registry.h"
#include "util/wide_text.h"
#endif

namespace vantrel {
namespace {

// A writer waits while another program holds the settings file's lock, and
// writes once it is given up (before, Windows had no lock at all).
TEST(SettingsFileLock, AWriterWaitsForTheHolderAndLosesNothing) {
    test::TempDir dir;
    const std::string path = dir.path() + "/settings.ini";
    SettingsStore store(path);
    ASSERT_TRUE(store.ensureKey());
    std::atomic<bool> written{false};
    std::thread writer;
    {
        SettingsLock held(path);
        ASSERT_TRUE(held.held());
        writer = std::thread([&] { written = SettingsStore(path).set(kUnitsValue, kEnglishUnits); });
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        EXPECT_FALSE(written);
        EXPECT_EQ(store.get(kUnitsValue), std::nullopt);
    }
    writer.join();
    EXPECT_TRUE(written);
    EXPECT_EQ(store.get(kUnitsValue), std::optional<std::string>(kEnglishUnits));

    // Two writers at once, each reading, changing and writing the whole file.
    std::vector<std::thread> writers;
    std::atomic<int> failed{0};
    for (const char* prefix : {"a", "b"}) {
        writers.emplace_back([&, prefix] {
            SettingsStore own(path);
            for (int i = 0; i < 40; ++i)
                if (!own.set(prefix + std::to_string(i), std::to_string(i))) ++failed;
        });
    }
    for (std::thread& w : writers) w.join();
    EXPECT_EQ(failed, 0);
    for (const char* prefix : {"a", "b"}) {
        for (int i = 0; i < 40; ++i) EXPECT_EQ(store.get(prefix + std::to_string(i)), std::to_string(i)) << prefix << i;
    }
}

#ifdef _WIN32

// Sets an environment variable for one test (nullptr: removes it).
class ScopedWideEnv {
public:
    ScopedWideEnv(const wchar_t* name, const wchar_t* value) : name_(name) {
        if (const wchar_t* old = _wgetenv(name)) old_ = old;
        _wputenv_s(name, value ? value : L"");
    }
    ~ScopedWideEnv() { _wputenv_s(name_.c_str(), old_.c_str()); }
    ScopedWideEnv(const ScopedWideEnv&) = delete;
    ScopedWideEnv& operator=(const ScopedWideEnv&) = delete;

private:
    std::wstring name_;
    std::wstring old_;
};

// A key of its own below HKEY_CURRENT_USER for each test, removed afterwards.
class RegistrySettings : public ::testing::Test {
protected:
    void TearDown() override { deleteUserRegistryTree(scratch); }
    const std::string scratch = "Software\\Vantrel tests\\settings " + std::to_string(GetCurrentProcessId());
    const std::string location = "HKEY_CURRENT_USER\\" + scratch;
};

TEST_F(RegistrySettings, ValuesAreStringsOfTheUsersKey) {
    SettingsStore store(location);
    EXPECT_TRUE(store.inRegistry());
    EXPECT_EQ(store.get(kUnitsValue), std::nullopt);  // no key yet
    ASSERT_TRUE(store.ensureKey());
    EXPECT_EQ(store.get(kUnitsValue), std::nullopt);
    const std::string folder = "C:\\Users\\J\xC3\xBCrgen\\K\xC3\xBChlr\xC3\xA4ume";
    ASSERT_TRUE(store.set(kRootDirValue, folder));
    ASSERT_TRUE(store.set(kUnitsValue, kEnglishUnits));
    ASSERT_TRUE(store.set(kWindowSizeValue, "810,780"));
    EXPECT_EQ(readUserRegistryString(scratch, "RootDir"), folder);
    EXPECT_EQ(SettingsStore(location).get(kUnitsValue), std::optional<std::string>("ENGLISH"));
    EXPECT_EQ(effectiveRootDir(store), folder);
    EXPECT_EQ(store.readProblem(), "");
    EXPECT_FALSE(store.damaged());
    EXPECT_EQ(store.setAside(), "");

    // A value of another type is none of the program's: read as absent, then replaced.
    const DWORD number = 1;
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, wideFromUtf8(scratch).c_str(), 0, KEY_SET_VALUE, &key), ERROR_SUCCESS);
    RegSetValueExW(key, L"units", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number), sizeof number);
    RegCloseKey(key);
    EXPECT_EQ(store.get(kUnitsValue), std::nullopt);
    EXPECT_EQ(store.readProblem(), "");
    ASSERT_TRUE(store.set(kUnitsValue, kSiUnits));
    EXPECT_EQ(store.get(kUnitsValue), std::optional<std::string>("SI"));

    // The form starts from them as from a file.
    SelectionForm form;
    test::RecordingUi ui;
    store.set(kUnitsValue, kEnglishUnits);
    form.start(store, "", ui);
    EXPECT_FALSE(form.siUnits);
}

// A key the user may not read (here: denied by its access list) is said once
// at start and never written that run, like a settings file that cannot be read.
TEST_F(RegistrySettings, AKeyThatCannotBeReadIsToldOnceAndNeverWritten) {
    ASSERT_TRUE(writeUserRegistryString(scratch, "units", "ENGLISH"));
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, wideFromUtf8(scratch).c_str(), 0, READ_CONTROL | WRITE_DAC, &key),
              ERROR_SUCCESS);
    // Everyone may change the access list back, and nothing else.
    EXPLICIT_ACCESS_W allowDac{};
    BuildExplicitAccessWithNameW(&allowDac, const_cast<wchar_t*>(L"EVERYONE"), READ_CONTROL | WRITE_DAC, SET_ACCESS,
                                 NO_INHERITANCE);
    PACL acl = nullptr;
    ASSERT_EQ(SetEntriesInAclW(1, &allowDac, nullptr, &acl), DWORD{ERROR_SUCCESS});
    ASSERT_EQ(SetSecurityInfo(key, SE_REGISTRY_KEY, DACL_SECURITY_INFORMATION | PROTECTED_DACL_SECURITY_INFORMATION,
                              nullptr, nullptr, acl, nullptr),
              DWORD{ERROR_SUCCESS});
    LocalFree(acl);

    SettingsStore store(location);
    SelectionForm form;
    test::RecordingUi ui;
    form.start(store, "", ui);
    const auto warnings = std::count_if(ui.messages.begin(), ui.messages.end(),
                                        [](const test::ShownMessage& m) { return m.caption == "WARNING"; });
    EXPECT_EQ(warnings, 1);
    ASSERT_FALSE(store.readProblem().empty());
    EXPECT_EQ(ui.messages.at(0).text, "The settings registry key " + location + " could not be read: " +
                                          store.readProblem() +
                                          ".\nThe program starts with its default settings and does not change "
                                          "the registry key.");
    EXPECT_TRUE(form.siUnits);
    EXPECT_FALSE(store.set(kUnitsValue, kSiUnits));
    EXPECT_FALSE(store.ensureKey());
    EXPECT_EQ(store.get(kUnitsValue), std::nullopt);

    // Given its access back, the key still holds what it held.
    EXPLICIT_ACCESS_W allowAll{};
    BuildExplicitAccessWithNameW(&allowAll, const_cast<wchar_t*>(L"EVERYONE"), KEY_ALL_ACCESS, SET_ACCESS,
                                 NO_INHERITANCE);
    ASSERT_EQ(SetEntriesInAclW(1, &allowAll, nullptr, &acl), DWORD{ERROR_SUCCESS});
    SetSecurityInfo(key, SE_REGISTRY_KEY, DACL_SECURITY_INFORMATION, nullptr, nullptr, acl, nullptr);
    LocalFree(acl);
    RegCloseKey(key);
    EXPECT_EQ(readUserRegistryString(scratch, "units"), std::optional<std::string>("ENGLISH"));
}

TEST(DefaultSettings, TheRegistryUnlessAFileIsNamed) {
    const std::string appData = utf8FromWide(_wgetenv(L"APPDATA"));
    ASSERT_FALSE(appData.empty());
    {
        ScopedWideEnv config(L"VANTREL_CONFIG", nullptr);
        EXPECT_EQ(defaultSettingsPath(), "HKEY_CURRENT_USER\\SOFTWARE\\Vantrel, Inc.\\Vantrel\\" VANTREL_VERSION);
        EXPECT_TRUE(SettingsStore(defaultSettingsPath()).inRegistry());
        // The user's own files (the refrigerant table) go to the roaming profile.
        EXPECT_EQ(userSettingsFolder(), appData + "\\Vantrel");
    }
    {
        ScopedWideEnv config(L"VANTREL_CONFIG", L"D:\\portable\\vantrel.ini");
        EXPECT_EQ(defaultSettingsPath(), "D:\\portable\\vantrel.ini");
        EXPECT_FALSE(SettingsStore(defaultSettingsPath()).inRegistry());
        EXPECT_EQ(userSettingsFolder(), "D:\\portable");
    }
}

#endif

}  // namespace
}  // namespace vantrel
