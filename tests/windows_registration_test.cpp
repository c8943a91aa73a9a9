// The .dst document type in the Windows registry: what the program writes at
// every start and removes with -unregister, and that the installer writes and
// removes the same.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/desktop_registration.h"
#include "util/files.h"

#ifdef _WIN32
#include <windows.h>

#include "settings/user_registry.h"
#endif

namespace vantrel {
namespace {

// `text` as an NSIS string between double quotes.
std::string nsisQuoted(const std::string& text) {
    std::string quoted = "\"";
    for (const char c : text) quoted += c == '"' ? std::string("$\\\"") : std::string(1, c);
    return quoted + "\"";
}

TEST(WindowsRegistration, TheInstallerWritesWhatTheProgramWrites) {
    std::string script;
    ASSERT_TRUE(readWholeFile(std::string(VANTREL_PACKAGING_DIR) + "/windows/vantrel.nsi.in", script));
    const std::vector<RegistryValue> values = registryValues("$INSTDIR\\bin\\vantrel.exe");
    ASSERT_EQ(values.size(), 6u);
    for (const RegistryValue& value : values) {
        const std::string line = "WriteRegStr HKCU " + nsisQuoted(std::string(kUserClassesKey) + "\\" + value.key) +
                                 " " + nsisQuoted(value.name) + " " + nsisQuoted(value.data) + "\n";
        EXPECT_NE(script.find(line), std::string::npos) << line;
    }
    EXPECT_EQ(values.front(), (RegistryValue{"morvex.Application\\DefaultIcon", "", "$INSTDIR\\bin\\vantrel.exe,1"}));
}

#ifdef _WIN32

// A classes key of its own below HKEY_CURRENT_USER, removed afterwards.
class RegistryIntegration : public ::testing::Test {
protected:
    void TearDown() override { deleteUserRegistryTree(root); }
    IntegrationChanges write(const std::string& program) {
        return writeRegistryIntegration(classes, program, [this] { ++notices; });
    }
    IntegrationChanges remove() {
        return removeRegistryIntegration(classes, [this] { ++notices; });
    }
    std::optional<std::string> value(const std::string& key, const std::string& name = "") {
        return readUserRegistryString(classes + "\\" + key, name);
    }
    bool exists(const std::string& key) {
        HKEY handle = nullptr;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, (classes + "\\" + key).c_str(), 0, KEY_READ, &handle) != ERROR_SUCCESS)
            return false;
        RegCloseKey(handle);
        return true;
    }
    const std::string root = "Software\\Vantrel tests\\classes " + std::to_string(GetCurrentProcessId());
    const std::string classes = root + "\\Classes";
    int notices = 0;
};

TEST_F(RegistryIntegration, WrittenOnceTellsTheShellAndUnregisteringRemovesOnlyItsOwn) {
    // Someone else's entries beside and inside the program's keys.
    ASSERT_TRUE(writeUserRegistryString(classes + "\\.dst", "Content Type", "text/plain"));
    ASSERT_TRUE(writeUserRegistryString(classes + "\\Other.Document\\DefaultIcon", "", "other.exe,0"));
    const std::string program = "C:\\Users\\J\xC3\xBCrgen\\AppData\\Local\\Programs\\Vantrel\\bin\\vantrel.exe";

    const IntegrationChanges first = write(program);
    EXPECT_EQ(first.written.size(), 6u);
    EXPECT_EQ(notices, 1);
    EXPECT_EQ(value("morvex.Application\\DefaultIcon"), program + ",1");
    EXPECT_EQ(value("morvex.Document.1\\DefaultIcon"), program + ",1");
    EXPECT_EQ(value("morvex.Document.1"), std::string(kDocumentTypeName));
    EXPECT_EQ(value("morvex.Document.1\\shell\\open\\command"), "\"" + program + "\" \"%1\"");
    EXPECT_EQ(value(".dst"), std::string("morvex.Document.1"));
    EXPECT_EQ(value(".dst\\OpenWithProgids", "morvex.Document.1"), std::string());

    // Every later start finds them right and leaves the shell alone.
    EXPECT_TRUE(write(program).written.empty());
    EXPECT_EQ(notices, 1);
    // A program moved elsewhere points them at itself.
    EXPECT_EQ(write("D:\\Vantrel\\bin\\vantrel.exe").written.size(), 3u);
    EXPECT_EQ(notices, 2);

    const IntegrationChanges removed = remove();
    EXPECT_EQ(removed.removed.size(), 4u);
    EXPECT_EQ(notices, 3);
    EXPECT_FALSE(exists("morvex.Application"));
    EXPECT_FALSE(exists("morvex.Document.1"));
    EXPECT_FALSE(exists(".dst\\OpenWithProgids"));
    EXPECT_EQ(value(".dst"), std::nullopt);
    EXPECT_EQ(value(".dst", "Content Type"), std::string("text/plain"));
    EXPECT_EQ(value("Other.Document\\DefaultIcon"), std::string("other.exe,0"));
    EXPECT_TRUE(remove().removed.empty());
    EXPECT_EQ(notices, 3);

    // .dst given to another program since stays that program's; an empty .dst key goes.
    write(program);
    ASSERT_TRUE(writeUserRegistryString(classes + "\\.dst", "", "Other.Document"));
    remove();
    EXPECT_EQ(value(".dst"), std::string("Other.Document"));
    deleteUserRegistryValue(classes + "\\.dst", "");
    deleteUserRegistryValue(classes + "\\.dst", "Content Type");
    write(program);
    remove();
    EXPECT_FALSE(exists(".dst"));
}

#endif

}  // namespace
}  // namespace vantrel
