// Run with native-first loading for setupapi, shell32, ole32 and comctl32 and
// a marker library under each of those names beside this program, as a file
// planted in a download folder would lie beside setup.exe: every system
// library the engine loads comes from the system folder, and no marker ever
// loads.
#include "base/com_initialization.h"
#include "base/late_library.h"
#include "install/install_state.h"
#include "common/platform_detect.h"
#include "install/shell_link_writer.h"
#include "install/usb_filter_removal.h"
#include "engine_test_support.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

using kv::installState;
using kv::LateLibrary;

namespace {

std::string systemFolderPath(const char* name) {
    char folder[MAX_PATH] = {};
    ::GetSystemDirectoryA(folder, sizeof(folder));
    return std::string(folder) + "\\" + name;
}

// Where the loaded library of that name came from ("" when none is loaded).
std::string loadedFrom(const char* name) {
    char path[MAX_PATH] = {};
    const HMODULE module = ::GetModuleHandleA(name);
    if (module != nullptr) ::GetModuleFileNameA(module, path, sizeof(path));
    return path;
}

bool samePath(const std::string& a, const std::string& b) { return ::lstrcmpiA(a.c_str(), b.c_str()) == 0; }

class SystemLibraryTest : public ::testing::Test {
protected:
    void SetUp() override {
        kvtest::resetEngineState();
        kv::detectPlatformAndLanguage();
        temp_ = kvtest::makeTempFolder("planted");
        record_ = temp_ + "\\record.log";
        ::SetEnvironmentVariableA("KV_DOUBLE_LOG", record_.c_str());
    }
    void TearDown() override {
        // Whatever a test did, no marker may have loaded.
        for (const std::string& line : kvtest::readLines(record_))
            EXPECT_NE(0u, line.rfind("planted ", 0)) << line;
        ::SetEnvironmentVariableA("KV_DOUBLE_LOG", nullptr);
        kvtest::removeTree(temp_);
        kvtest::resetEngineState();
    }
    void expectFromSystemFolder(const char* name) {
        EXPECT_TRUE(samePath(systemFolderPath(name), loadedFrom(name))) << name << " from " << loadedFrom(name);
    }

    std::string temp_, record_;
};

// First in its process, before anything has loaded the shell's library: COM
// finds the shell-link server by the name the registry holds, which Windows
// 95 to XP register bare (Wine registers the full path).
TEST_F(SystemLibraryTest, TheShellLinkObjectIsTheSystemShells) {
    ASSERT_EQ(nullptr, ::GetModuleHandleA("shell32.dll")) << "the shell was loaded before this test";
    const std::string server = "CLSID\\{00021401-0000-0000-C000-000000000046}\\InprocServer32";
    const kvtest::SavedRegistryValue saved(HKEY_CLASSES_ROOT, server, "");
    ASSERT_TRUE(kvtest::writeRegistryValue(HKEY_CLASSES_ROOT, server, "", kvtest::stringValue("shell32.dll")));
    {
        const kv::ComInitialization com;
        kv::ShellLinkWriter writer;
        EXPECT_TRUE(writer.setDescription(kv::LinkDescription()));
    }
    expectFromSystemFolder("shell32.dll");
    expectFromSystemFolder("ole32.dll");
}

TEST_F(SystemLibraryTest, EveryLateLibraryAndItsEntriesComeFromTheSystemFolder) {
    const struct {
        LateLibrary library;
        const char* name;
        const char* entry;
    } cases[] = {{LateLibrary::Comctl32, "comctl32.dll", "InitCommonControls"},
                 {LateLibrary::Ole32, "ole32.dll", "CoCreateInstance"},
                 {LateLibrary::Shell32, "shell32.dll", "SHBrowseForFolderA"}};
    for (const auto& c : cases) {
        const FARPROC entry = kv::lateEntry(c.library, c.entry);
        EXPECT_NE(nullptr, entry) << c.entry;
        expectFromSystemFolder(c.name);
        EXPECT_EQ(::GetProcAddress(::GetModuleHandleA(c.name), c.entry), entry) << c.entry;
    }
}

TEST_F(SystemLibraryTest, TheDeviceListLibraryIsTheOneInTheSystemFolder) {
    if (!installState.is95Family()) GTEST_SKIP() << "loaded on the Windows 95 family only";
    // The system folder holds the test double of the library, which records
    // its loading; no device is listed.
    ::SetEnvironmentVariableA("KV_SETUPAPI_DEVICES", nullptr);
    EXPECT_EQ(0, kv::RemoveUsbLowerFilter());
    const std::vector<std::string> lines = kvtest::readLines(record_);
    ASSERT_FALSE(lines.empty()) << "the system's device-list library was not loaded";
    EXPECT_EQ("setupapi load", lines.front());
    EXPECT_EQ("setupapi unload", lines.back());
}

}  // namespace
