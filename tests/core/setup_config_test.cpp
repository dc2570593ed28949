#include "install/install_state.h"
#include "common/setup_config.h"
#include "common/shared_folders.h"
#include "common/registry_key.h"
#include "support/test_registry.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

using kv::installState;
using kv::setupConfig;

namespace {

const char kCurrentVersion[] = "Software\\microsoft\\windows\\currentversion";

std::string sourceWithConfig(const std::string& content) {
    const std::string folder = kvtest::makeSourceFolder("config", {{"kvsetup.ini", content}});
    kv::copyInto(installState.sourceDir, folder.c_str());
    return folder;
}

// Sets "programfilesDir" for one test and puts the old value back.
class ProgramFilesValue {
public:
    void set(const char* value) { write(kvtest::stringValue(value)); }
    void setDword() { write(kvtest::dwordValue(7)); }
    void remove() { kvtest::deleteRegistryValue(HKEY_LOCAL_MACHINE, kCurrentVersion, "programfilesDir"); }

private:
    static void write(const kvtest::RegistryValue& value) {
        EXPECT_TRUE(kvtest::writeRegistryValue(HKEY_LOCAL_MACHINE, kCurrentVersion, "programfilesDir", value));
    }
    kvtest::SavedRegistryValue saved_{HKEY_LOCAL_MACHINE, kCurrentVersion, "programfilesDir"};
};

}  // namespace

TEST(SetupConfig, ReadsEveryValueOfTheSamplePackage) {
    kv::copyInto(installState.sourceDir, kvtest::samplePackageDir().c_str());
    kv::loadSetupConfig(kv::installState.sourceDir, kv::installState.startDir, kv::installState.destinationDir);
    EXPECT_STREQ("TarnWeld Wheel Mouse", setupConfig.productName.get());
    EXPECT_STREQ("kvtray32.exe", setupConfig.productKey.get());
    EXPECT_STRNE("", setupConfig.targetDir.get());
    EXPECT_STRNE("", setupConfig.programFolder.get());
    EXPECT_STRNE("", setupConfig.displayName.get());
    EXPECT_STRNE("", setupConfig.mainTitle.get());
    EXPECT_STRNE("", setupConfig.captionBar.get());

    char current[MAX_PATH];
    ::GetCurrentDirectoryA(sizeof(current), current);
    EXPECT_STREQ(current, installState.startDir);

    kv::RegistryKey key;
    key.SetRoot(HKEY_LOCAL_MACHINE);
    ASSERT_TRUE(key.Open(kCurrentVersion, false));
    const std::string expected =
        key.ReadString("programfilesDir", "") + "\\" + setupConfig.targetDir.get();
    EXPECT_EQ(expected, installState.destinationDir);

    kv::releaseSetupConfig();
    EXPECT_EQ(nullptr, setupConfig.productName.get());
    EXPECT_EQ(nullptr, setupConfig.captionBar.get());
}

TEST(SetupConfig, MissingFileGivesEmptyTextsAndNoDefaultFolder) {
    ProgramFilesValue programFiles;
    programFiles.set("C:\\Program Files");
    kv::copyInto(installState.sourceDir, kvtest::makeTempFolder("empty").c_str());
    kv::loadSetupConfig(kv::installState.sourceDir, kv::installState.startDir, kv::installState.destinationDir);
    ASSERT_NE(nullptr, setupConfig.productName.get());
    EXPECT_STREQ("", setupConfig.productName.get());
    EXPECT_STREQ("", setupConfig.programFolder.get());
    // An empty Dir would make the program-files folder itself the product's.
    EXPECT_STREQ("", installState.destinationDir);
    kv::releaseSetupConfig();
}

TEST(SetupConfig, CaseLongValuesAndRepeatedLoads) {
    ProgramFilesValue programFiles;
    programFiles.set("D:\\Apps");
    const std::string longName(300, 'n');
    sourceWithConfig("[display name]\r\nNAME=Shown Name\r\n[Product]\r\nProduct=" + longName +
                     "\r\n[Target]\r\nDir=First\r\n");
    kv::loadSetupConfig(kv::installState.sourceDir, kv::installState.startDir, kv::installState.destinationDir);
    EXPECT_STREQ("Shown Name", setupConfig.displayName.get());
    EXPECT_EQ(259u, std::strlen(setupConfig.productName.get()));
    EXPECT_STREQ("D:\\Apps\\First", installState.destinationDir);

    // The user changed the destination; a second run recomputes it and keeps
    // only the second file's texts.
    kv::copyInto(installState.destinationDir, "E:\\Chosen");
    sourceWithConfig("[Target]\r\nDir=Second\r\n");
    kv::loadSetupConfig(kv::installState.sourceDir, kv::installState.startDir, kv::installState.destinationDir);
    EXPECT_STREQ("", setupConfig.displayName.get());
    EXPECT_STREQ("D:\\Apps\\Second", installState.destinationDir);
    kv::releaseSetupConfig();
}

TEST(SetupConfig, ProgramFilesValueMissingOrNotAString) {
    ProgramFilesValue programFiles;
    sourceWithConfig("[Target]\r\nDir=Pkg\r\n");
    // "\Pkg" would be a folder at the root of whatever drive is current:
    // no default then, the user names the folder.
    programFiles.remove();
    kv::loadSetupConfig(kv::installState.sourceDir, kv::installState.startDir, kv::installState.destinationDir);
    EXPECT_STREQ("", installState.destinationDir);
    programFiles.setDword();
    kv::loadSetupConfig(kv::installState.sourceDir, kv::installState.startDir, kv::installState.destinationDir);
    EXPECT_STREQ("", installState.destinationDir);
    kv::releaseSetupConfig();
}

TEST(SetupConfig, DestinationThatDoesNotFitIsRefusedNotCut) {
    ProgramFilesValue programFiles;
    programFiles.set(("C:\\" + std::string(200, 'p')).c_str());
    sourceWithConfig("[Target]\r\nDir=" + std::string(100, 'd') + "\r\n");
    kv::loadSetupConfig(kv::installState.sourceDir, kv::installState.startDir, kv::installState.destinationDir);
    EXPECT_STREQ("", installState.destinationDir);
    kv::releaseSetupConfig();
}

TEST(SetupConfig, FallbackBaseIsTheWindowsDrivesProgramFiles) {
    const std::string base = kv::fallbackProgramFilesFolder();
    char windows[MAX_PATH];
    ::GetWindowsDirectoryA(windows, sizeof(windows));
    EXPECT_EQ(std::string(1, windows[0]) + ":\\Program Files", base);
}
