// Whole runs of the built library, as the launcher makes them, under each
// Windows version: the ResultCode of finishing, and what the run leaves on
// the system. The library stays loaded, so later runs share its state.
#include "base/unique_handle.h"
#include "toolsupport/log_record.h"
#include "common/registration_names.h"
#include "support/test_registry.h"
#include "support/test_support.h"
#include "wizard_test_support.h"

#include <gtest/gtest.h>

#include <set>

using namespace kvdrive;

namespace {

// Installs with the given folders and finishes; says what the destination
// page proposed.
Script installAndFinish(const std::string& destination, const std::string& programFolder, bool restartNow,
                        std::string* defaultDestination) {
    return [=](Driver& d) {
        d.waitForPage(kLanguage);
        *defaultDestination = d.text(d.item(d.walkTo(kDestination), 1018));
        kvtest::finish(d, kvtest::installToFinish(d, destination, programFolder), restartNow);
    };
}

// The auto-start command and the uninstall command as registered.
void expectCommands(const std::string& run, const std::string& uninstall) {
    std::string text;
    EXPECT_TRUE(kvtest::readRegistryString(HKEY_LOCAL_MACHINE, kv::kRunKey, kv::kAutoStartValueName, text));
    EXPECT_EQ(run, text);
    text.clear();
    EXPECT_TRUE(kvtest::readRegistryString(HKEY_LOCAL_MACHINE, kvtest::kSampleUninstallKey, "UninstallString", text));
    EXPECT_EQ(uninstall, text);
}

}  // namespace

TEST(WholeRun, FinishingWithYesAndNoGivesTheRestartCodes) {
    const Entry doInstall = kvtest::stagedLibraryEntry();
    ASSERT_TRUE(doInstall) << "kvsetup.dll or DOINSTALL not found";
    // The libraries planted beside this program record here if they load.
    const std::string loadRecords = kvtest::makeTempFolder("run-records") + "\\loaded.log";
    ::SetEnvironmentVariableA("KV_DOUBLE_LOG", loadRecords.c_str());
    // A blank in the folder: both registered commands must come quoted.
    // An installed product makes the destination page propose its folder;
    // these runs compare the default of a machine without one.
    kvtest::deleteRegistryTree(HKEY_LOCAL_MACHINE, kv::kProductKey);
    const std::string destination = kvtest::makeTempFolder("run yes");
    const std::string folder = "KV Whole Run Yes";
    std::string firstDefault;
    RunOutcome yes =
        runScripted(doInstall, kvtest::stagedPackageDir(), installAndFinish(destination, folder, true, &firstDefault));
    kvtest::expectNoScriptFailures(yes);
    EXPECT_EQ(kvtest::versionIs({"nt40", "win2k", "winxp"}) ? 65542 : 6, yes.resultCode) << kvtest::windowsVersion();

    // What the run left behind.
    EXPECT_TRUE(kvtest::fileExists(destination + "\\kvtray32.exe"));
    EXPECT_TRUE(kvtest::fileExists(destination + "\\kvhook.dll"));
    std::vector<std::uint8_t> bytes;
    ASSERT_TRUE(kvtest::readFileBytes(destination + "\\kvrem00.log", bytes));
    std::vector<kv::LogRecord> records;
    EXPECT_TRUE(kv::decodeLog(bytes, records));
    std::set<int> types;
    for (const kv::LogRecord& record : records) types.insert(record.type);
    for (int type : {kv::kLogFile, kv::kLogAutoStartValue, kv::kLogProgramFolder, kv::kLogShortcut,
                     kv::kLogUninstallKey})
        EXPECT_TRUE(types.count(type)) << kv::logRecordTypeName(static_cast<std::uint8_t>(type));
    expectCommands("\"" + destination + "\\kvtray32.exe\"", "\"" + destination + "\\kvrem00.exe\"");
    const std::string links = kvtest::programsFolder() + "\\" + folder + "\\*.lnk";
    WIN32_FIND_DATAA found = {};
    EXPECT_TRUE(kv::UniqueFindHandle(::FindFirstFileA(links.c_str(), &found))) << links;
    kvtest::removeInstallation(destination, folder);

    // A second run in the same process starts afresh and ends with 12.
    const std::string second = kvtest::makeTempFolder("run-no");
    std::string secondDefault;
    RunOutcome no = runScripted(doInstall, kvtest::stagedPackageDir(),
                                installAndFinish(second, "KV Whole Run No", false, &secondDefault));
    kvtest::expectNoScriptFailures(no);
    EXPECT_EQ(12, no.resultCode);
    EXPECT_EQ(firstDefault, secondDefault) << "the default destination is computed afresh";
    EXPECT_TRUE(kvtest::fileExists(second + "\\kvtray32.exe"));
    expectCommands(second + "\\kvtray32.exe", second + "\\kvrem00.exe");  // no blank, no quotes
    kvtest::removeInstallation(second, "KV Whole Run No");

    ::SetEnvironmentVariableA("KV_DOUBLE_LOG", nullptr);
    std::vector<std::uint8_t> loaded;
    kvtest::readFileBytes(loadRecords, loaded);
    const std::string text(loaded.begin(), loaded.end());
    EXPECT_EQ(std::string::npos, text.find("planted ")) << text;
}
