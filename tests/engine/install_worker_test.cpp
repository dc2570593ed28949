// The file worker on real folders, run once per Windows version: the
// platform setup component it starts, the restart check, and (under XP) the
// files and the uninstall log of a whole installation.
#include "install/install_state.h"
#include "common/language_strings.h"
#include "common/platform_detect.h"
#include "common/setup_config.h"
#include "install/install_steps.h"
#include "install/platform_setup.h"
#include "engine_test_support.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <thread>

using kv::installState;
using kv::LogRecord;

namespace {

const std::string kDriverPath = "C:\\windows\\system32\\Drivers\\KVFLTSYS.SYS";

std::string shortPathOf(const std::string& path) {
    char buffer[260] = {};
    ::GetShortPathNameA(path.c_str(), buffer, sizeof(buffer));
    return buffer;
}

std::string profileString(const std::string& file, const char* section, const char* key) {
    char value[260] = {};
    ::GetPrivateProfileStringA(section, key, "<missing>", value, sizeof(value), file.c_str());
    return value;
}

class WorkerTest : public ::testing::Test {
protected:
    void SetUp() override {
        kvtest::resetEngineState();
        kv::detectPlatformAndLanguage();
        installState.languageCode = "enu";
        temp_ = kvtest::makeTempFolder("worker");
        destination_ = temp_ + "\\Install Dir";
        doubleLog_ = temp_ + "\\double.log";
        ::SetEnvironmentVariableA("KV_DOUBLE_LOG", doubleLog_.c_str());
        ::SetEnvironmentVariableA("KV_SETUP16_SLEEP_MS", nullptr);
        useSource(kvtest::stagedPackageDir());
        ::DeleteFileA(kDriverPath.c_str());
    }
    void TearDown() override {
        installState.uninstallLog.close();
        ::SetEnvironmentVariableA("KV_DOUBLE_LOG", nullptr);
        ::SetEnvironmentVariableA("KV_SETUP16_SLEEP_MS", nullptr);
        ::DeleteFileA(kDriverPath.c_str());
        kvtest::removeTree(temp_);
        kvtest::resetEngineState();
    }

    // The package folder is also the start folder, as when the launcher runs
    // from the medium.
    void useSource(const std::string& source, const std::string& start = "") {
        kv::copyInto(installState.sourceDir, source.c_str());
        kv::copyInto(installState.startDir, (start.empty() ? source : start).c_str());
        kv::copyInto(installState.destinationDir, destination_.c_str());
    }

    void runWorker() {
        installState.setWorkerBusy(1);
        EXPECT_EQ(0u, kv::InstallWorker(nullptr));
        EXPECT_EQ(0, installState.isWorkerBusy());
    }

    std::vector<LogRecord> logRecords() {
        return kvtest::readLogRecords(destination_ + "\\kvrem00.log");
    }

    std::string temp_;
    std::string destination_;
    std::string doubleLog_;
};

// --- The platform setup component, under real platform detection ---------

TEST_F(WorkerTest, StartsTheSetupProgramWithTheShortStartFolderAndWaitsForIt) {
    if (!kvtest::versionIs({"win95", "win98"})) GTEST_SKIP() << "Windows 95 and 98 only";
    ASSERT_TRUE(installState.osIs95() || installState.osIs98());
    const std::string start = temp_ + "\\start folder with a long name";
    ::CreateDirectoryA(start.c_str(), nullptr);
    useSource(kvtest::stagedPackageDir(), start);
    ::SetEnvironmentVariableA("KV_SETUP16_SLEEP_MS", "1500");

    installState.setWorkerBusy(1);
    const DWORD begin = ::GetTickCount();
    DWORD end = 0;
    std::thread worker([&] {
        kv::InstallWorker(nullptr);
        end = ::GetTickCount();
    });
    ::Sleep(700);
    EXPECT_EQ(1, installState.isWorkerBusy()) << "the worker did not wait for the program";
    worker.join();
    EXPECT_EQ(0, installState.isWorkerBusy());
    EXPECT_GE(end - begin, 1500u);

    const std::string shortStart = shortPathOf(start);
    ASSERT_FALSE(shortStart.empty());
    EXPECT_EQ(std::string::npos, shortStart.find(' '));
    const std::vector<std::string> lines = kvtest::readLines(doubleLog_);
    ASSERT_EQ(1u, lines.size());
    const std::string record = lines[0].substr(0, lines[0].rfind(" cwd="));
    EXPECT_EQ("cmdline=" + kvtest::stagedPackageDir() + "\\SETUP16.EXE " + shortStart, record);
}

TEST_F(WorkerTest, OnWindowsMeTheArgumentEndsInWinmeAndABlankInTheSourceIsQuoted) {
    if (!kvtest::versionIs({"winme"})) GTEST_SKIP() << "Windows ME only";
    ASSERT_TRUE(installState.osIsMe());
    const std::string shortStart = shortPathOf(kvtest::stagedPackageDir());
    runWorker();

    const std::string spaced = temp_ + "\\setup disk";
    ::CreateDirectoryA(spaced.c_str(), nullptr);
    ASSERT_TRUE(::CopyFileA((kvtest::stagedPackageDir() + "\\SETUP16.EXE").c_str(),
                            (spaced + "\\SETUP16.EXE").c_str(), FALSE));
    useSource(spaced, kvtest::stagedPackageDir());
    runWorker();

    const std::vector<std::string> lines = kvtest::readLines(doubleLog_);
    ASSERT_EQ(2u, lines.size());
    EXPECT_EQ("cmdline=" + kvtest::stagedPackageDir() + "\\SETUP16.EXE " + shortStart + "\\winme",
              lines[0].substr(0, lines[0].rfind(" cwd=")));
    EXPECT_EQ("cmdline=\"" + spaced + "\\SETUP16.EXE\" " + shortStart + "\\winme",
              lines[1].substr(0, lines[1].rfind(" cwd=")));

    // A start folder without a short form goes as it stands, and stays one
    // argument.
    const std::string missing = temp_ + "\\no such start";
    useSource(spaced, missing);
    char line[260];
    ASSERT_TRUE(kv::buildSetupProgramCommandLine(line));
    EXPECT_EQ("\"" + spaced + "\\SETUP16.EXE\" \"" + missing + "\\winme\"", std::string(line));
}

TEST_F(WorkerTest, OnNt4TheSetupLibraryGetsItsThreeArgumentsAndARestartFollows) {
    if (!kvtest::versionIs({"nt40"})) GTEST_SKIP() << "Windows NT 4 only";
    ASSERT_TRUE(installState.osIsOtherNt());
    static int mainWindowObject = 0;
    installState.mainWindow = reinterpret_cast<kv::Dialog*>(&mainWindowObject);
    installState.restartNeeded = 7;  // the library sees the field itself
    runWorker();

    EXPECT_EQ(1, installState.restartNeeded);
    EXPECT_EQ(nullptr, ::GetModuleHandleA("SETUP32.DLL")) << "the library was not released";
    const std::vector<std::string> lines = kvtest::readLines(doubleLog_);
    ASSERT_EQ(1u, lines.size());
    EXPECT_EQ("Setup object=nonzero path=" + kvtest::stagedPackageDir() + "\\winnt restart=7",
              lines[0]);

    // Every installation loads and frees the library on the worker's thread;
    // what one load keeps would pile up over installations in one process.
    const std::map<std::string, int> handles = kvtest::kernelHandlesByKind();
    for (int run = 0; run < 3; ++run) runWorker();
    EXPECT_EQ(handles, kvtest::kernelHandlesByKind()) << "kernel objects kept over three more installations";
}

TEST_F(WorkerTest, OnWindows2000AndXpNeitherComponentRuns) {
    if (!kvtest::versionIs({"win2k", "winxp"})) GTEST_SKIP() << "Windows 2000 and XP only";
    ASSERT_TRUE(installState.osIsNt5() || installState.osIsXp());
    installState.restartNeeded = 7;
    runWorker();
    EXPECT_FALSE(kvtest::fileExists(doubleLog_));
    EXPECT_EQ(7, installState.restartNeeded);
    EXPECT_TRUE(kvtest::fileExists(destination_ + "\\kvtray32.exe"));
    EXPECT_TRUE(kvtest::fileExists(kDriverPath));
}

TEST_F(WorkerTest, RebootFlagsAsksForARestartOnlyWhenNonzeroAndItsKeyGoesEitherWay) {
    if (!kvtest::versionIs({"win98"})) GTEST_SKIP() << "checked on Windows 98";
    for (const DWORD flags : {0ul, 5ul}) {
        SCOPED_TRACE(flags);
        ASSERT_TRUE(
            kvtest::writeRegistryValue(HKEY_LOCAL_MACHINE, "SOFTWARE", "RebootFlags", kvtest::dwordValue(flags)));
        ASSERT_TRUE(
            kvtest::writeRegistryValue(HKEY_LOCAL_MACHINE, "SOFTWARE\\RebootFlags", "x", kvtest::dwordValue(1)));
        installState.restartNeeded = 0;
        runWorker();
        EXPECT_EQ(flags ? 1 : 0, installState.restartNeeded);
        EXPECT_FALSE(kvtest::registryKeyExists(HKEY_LOCAL_MACHINE, "SOFTWARE\\RebootFlags"));
        EXPECT_TRUE(kvtest::registryValueExists(HKEY_LOCAL_MACHINE, "SOFTWARE", "RebootFlags"));
    }
    kvtest::deleteRegistryValue(HKEY_LOCAL_MACHINE, "SOFTWARE", "RebootFlags");
}

// --- Files and the uninstall log (under XP) ----------------------------------

std::vector<LogRecord> expectedWorkerRecords(const std::string& d) {
    return {
        {0xFF, d + "\\kvconf.lrd"},   {0xFF, d + "\\kvhook.dll"},  {0xFF, d + "\\kvtray32.exe"},
        {0xFF, d + "\\PANEL.BMP"},    {0xFF, d + "\\kvconf.dat"},  {0xFF, d + "\\kvpanel32.dll"},
        {0xFF, kDriverPath},
        {0xFF, d + "\\kvbanner.bmp"}, {0xFF, d + "\\kvdata.dat"},  {0xFF, d + "\\res\\kvtray.ico"},
        {0xFF, d + "\\kvres.dll"},    {0xFF, d + "\\kvlang.dll"},  {0xFF, d + "\\kvconf.ini"},
        {0xFE, d + "\\RES"},
        {0xFF, d + "\\kvrem.un2"},
        {0xFF, d + "\\kvrem00.log"},
        {0xFE, d},
    };
}

bool sameBytes(const std::string& a, const std::string& b) {
    std::vector<std::uint8_t> x, y;
    return kvtest::readFileBytes(a, x) && kvtest::readFileBytes(b, y) && x == y;
}

TEST_F(WorkerTest, InstallsThePackageAndLogsEveryCopiedFileInOrder) {
    if (!kvtest::versionIs({"winxp"})) GTEST_SKIP() << "checked on Windows XP";
    installState.setupTypeFirst = true;
    runWorker();

    installState.uninstallLog.close();
    std::vector<std::uint8_t> bytes;
    ASSERT_TRUE(kvtest::readFileBytes(destination_ + "\\kvrem00.log", bytes));
    EXPECT_EQ(kvtest::encodeRecords(expectedWorkerRecords(destination_)), bytes);

    const std::string package = kvtest::stagedPackageDir();
    EXPECT_TRUE(sameBytes(package + "\\3D\\kvdata.dat", destination_ + "\\kvdata.dat"));
    EXPECT_TRUE(sameBytes(package + "\\3D\\res\\kvtray.ico", destination_ + "\\RES\\kvtray.ico"));
    EXPECT_TRUE(sameBytes(package + "\\enu\\kvlang.dll", destination_ + "\\kvlang.dll"));
    EXPECT_TRUE(sameBytes(package + "\\kv-00001\\kvrem.enu", destination_ + "\\kvrem.un2"));
    EXPECT_TRUE(sameBytes(package + "\\KVFLTSYS.SYS", kDriverPath));
    for (const char* name : {"kvrem00.exe", "kvrem32.dll", "kvrem16.exe"})
        EXPECT_TRUE(kvtest::fileExists(destination_ + "\\" + name)) << name;

    const std::string info = destination_ + "\\KvInfo.ini";
    EXPECT_EQ("TarnWeld Peripherals Ltd.", profileString(info, "Manufacture", "Manufacture"));
    EXPECT_EQ("kvtray32.exe", profileString(info, "Applications", "Main"));
    EXPECT_EQ("kvconf.ini", profileString(info, "Applications", "IniFile"));
    EXPECT_EQ("kvhook.dll", profileString(info, "Applications", "DllFile"));
    EXPECT_EQ("Driver_Remove_Title", profileString(info, "Strings", "Driver_Remove_Title"));
    EXPECT_EQ("Driver_Remove_Text", profileString(info, "Strings", "Driver_Remove_Text"));
    EXPECT_EQ("Driver_Removing_Text", profileString(info, "Strings", "Driver_Removing_Text"));
    EXPECT_EQ("2.10", profileString(destination_ + "\\KVCONF.INI", "Main", "VER"));
}

TEST_F(WorkerTest, TheSecondSetupTypeCopiesTheVariantFilesFrom4D) {
    if (!kvtest::versionIs({"winxp"})) GTEST_SKIP() << "checked on Windows XP";
    installState.setupTypeFirst = false;
    runWorker();
    installState.uninstallLog.close();
    const std::string package = kvtest::stagedPackageDir();
    EXPECT_TRUE(sameBytes(package + "\\4D\\kvbanner.bmp", destination_ + "\\kvbanner.bmp"));
    EXPECT_TRUE(sameBytes(package + "\\4D\\kvdata.dat", destination_ + "\\kvdata.dat"));
    EXPECT_TRUE(sameBytes(package + "\\4D\\res\\kvtray.ico", destination_ + "\\RES\\kvtray.ico"));
}

TEST_F(WorkerTest, MissingFilesAreSkippedUnloggedAndMissingSettingsWrittenEmpty) {
    if (!kvtest::versionIs({"winxp"})) GTEST_SKIP() << "checked on Windows XP";
    // A package without the variant folders, the driver, one language file
    // and the [Applications] section.
    const std::string source = temp_ + "\\sparse";
    std::vector<kvtest::FolderFile> files;
    for (const char* name : {"enu\\kvres.dll", "enu\\kvconf.ini", "kvrem32.dll", "kvrem16.exe", "kvrem00.exe"})
        files.push_back({name, name});
    files.push_back({"kvsetup.ini", "[Product]\r\nVER=3\r\n"});
    ASSERT_TRUE(kvtest::fillFolder(source, files));
    useSource(source);
    runWorker();

    const std::string d = destination_;
    const std::vector<LogRecord> expected = {
        {0xFF, d + "\\kvres.dll"}, {0xFF, d + "\\kvconf.ini"}, {0xFE, d + "\\RES"},
        {0xFF, d + "\\kvrem00.log"}, {0xFE, d}};
    EXPECT_EQ(expected, logRecords());
    EXPECT_TRUE(kvtest::fileExists(d + "\\kvrem32.dll"));
    EXPECT_TRUE(kvtest::fileExists(d + "\\kvrem16.exe"));
    EXPECT_FALSE(kvtest::fileExists(d + "\\kvlang.dll"));
    EXPECT_FALSE(kvtest::fileExists(kDriverPath));

    const std::vector<std::string> info = kvtest::readLines(d + "\\KvInfo.ini");
    const std::vector<std::string> expectedInfo = {
        "[Manufacture]", "Manufacture=", "[Applications]", "Main=", "IniFile=", "DllFile=",
        "[Strings]", "Driver_Remove_Title=Driver_Remove_Title",
        "Driver_Remove_Text=Driver_Remove_Text", "Driver_Removing_Text=Driver_Removing_Text"};
    EXPECT_EQ(expectedInfo, info);
    EXPECT_EQ("3", profileString(d + "\\KVCONF.INI", "Main", "VER"));
}

TEST_F(WorkerTest, WithoutALogNothingIsInstalledAndNoOtherFileGetsTheRecords) {
    if (!kvtest::versionIs({"winxp"})) GTEST_SKIP() << "checked on Windows XP";
    // A folder of the log's name keeps the log from being created: nothing
    // could be recorded, so nothing is installed, here or elsewhere.
    ASSERT_EQ(1, ::CreateDirectoryA(destination_.c_str(), nullptr));
    ASSERT_EQ(1, ::CreateDirectoryA((destination_ + "\\kvrem00.log").c_str(), nullptr));
    runWorker();
    EXPECT_FALSE(installState.uninstallLog.isOpen());
    EXPECT_TRUE(installState.installStopped);
    EXPECT_FALSE(kvtest::fileExists(destination_ + "\\kvtray32.exe"));
    EXPECT_FALSE(kvtest::fileExists(destination_ + "\\KvInfo.ini"));
    EXPECT_FALSE(kvtest::fileExists(kDriverPath));

    // A log path too long for its buffer: the log of an earlier
    // installation, still open, gets none of this one's records.
    const std::string earlier = temp_ + "\\earlier.log";
    ASSERT_TRUE(installState.uninstallLog.create(earlier.c_str()));
    destination_ = temp_ + "\\";
    destination_ += std::string(250 - destination_.size(), 'd');
    useSource(kvtest::stagedPackageDir());
    runWorker();
    EXPECT_FALSE(installState.uninstallLog.isOpen());
    std::vector<std::uint8_t> bytes;
    EXPECT_TRUE(kvtest::readFileBytes(earlier, bytes));
    EXPECT_TRUE(bytes.empty());
}

// Names planted in the destination (and the driver folder) as second names
// of other files: the installation replaces the names and never writes into
// the files they reached.
TEST_F(WorkerTest, NothingIsWrittenThroughALinkPlantedUnderAnInstalledName) {
    if (!kvtest::versionIs({"winxp"})) GTEST_SKIP() << "checked on Windows XP";
    ASSERT_EQ(1, ::CreateDirectoryA(destination_.c_str(), nullptr));
    const std::vector<std::string> planted = {destination_ + "\\kvconf.lrd", destination_ + "\\kvrem00.log",
                                              destination_ + "\\KvInfo.ini", kDriverPath};
    std::vector<std::string> victims;
    for (std::size_t i = 0; i < planted.size(); ++i) {
        victims.push_back(temp_ + "\\victim" + std::to_string(i) + ".txt");
        if (!kvtest::plantHardLink(planted[i], victims[i], "not the installation's"))
            GTEST_SKIP() << "no hard links here (" << ::GetLastError() << ")";
    }
    runWorker();
    installState.uninstallLog.close();

    for (const std::string& victim : victims) {
        std::vector<std::uint8_t> bytes;
        ASSERT_TRUE(kvtest::readFileBytes(victim, bytes));
        EXPECT_EQ("not the installation's", std::string(bytes.begin(), bytes.end())) << victim;
    }
    EXPECT_EQ(expectedWorkerRecords(destination_), logRecords());
    EXPECT_TRUE(sameBytes(kvtest::stagedPackageDir() + "\\kvconf.lrd", planted[0]));
    EXPECT_TRUE(sameBytes(kvtest::stagedPackageDir() + "\\KVFLTSYS.SYS", kDriverPath));
    EXPECT_EQ("kvtray32.exe", profileString(planted[2], "Applications", "Main"));
}

TEST_F(WorkerTest, PathsThatDoNotFitTheirBufferAreRefusedNotCut) {
    if (!kvtest::versionIs({"winxp"})) GTEST_SKIP() << "checked on Windows XP";
    // 246 characters: "<d>\kvtray32.exe" just fits 260 bytes, "<d>\kvpanel32.dll"
    // and "<d>\res\kvtray.ico" do not.
    destination_ = temp_ + "\\";
    destination_ += std::string(246 - destination_.size(), 'd');
    useSource(kvtest::stagedPackageDir());
    runWorker();

    const std::string d = destination_;
    std::vector<LogRecord> expected = expectedWorkerRecords(d);
    expected.erase(std::remove_if(expected.begin(), expected.end(),
                                  [&](const LogRecord& r) {
                                      return r.text == d + "\\kvpanel32.dll" ||
                                             r.text == d + "\\res\\kvtray.ico";
                                  }),
                   expected.end());
    EXPECT_EQ(expected, logRecords());

    // Nothing was written under a cut name.
    EXPECT_FALSE(kvtest::fileExists(d + "\\res\\kvtray.ic"));
    EXPECT_FALSE(kvtest::fileExists(d + "\\kvpanel32.dl"));
}

// --- A complete installation without any window (under XP) ----------------

TEST_F(WorkerTest, ACompleteInstallationLeavesTheWholeLogInStepOrder) {
    if (!kvtest::versionIs({"winxp"})) GTEST_SKIP() << "checked on Windows XP";
    // As the setup run prepares it: the configuration, the texts, and the
    // package folder as the current folder.
    char previous[260] = {};
    ::GetCurrentDirectoryA(sizeof(previous), previous);
    ::SetCurrentDirectoryA(kvtest::stagedPackageDir().c_str());
    kv::loadSetupConfig(kv::installState.sourceDir, kv::installState.startDir, kv::installState.destinationDir);
    ::SetCurrentDirectoryA(previous);
    ASSERT_TRUE(kv::loadLanguageStrings(kv::installState.sourceDir, kv::installState.languageCode));
    kv::copyInto(installState.destinationDir, destination_.c_str());

    const std::string folder = kvtest::programsFolder() + "\\TarnWeld Wheel Mouse";
    const char* uninstallKey =
        "Software\\Microsoft\\windows\\CurrentVersion\\Uninstall\\TarnWeld Wheel Mouse";

    runWorker();
    kv::runProductRegistration();
    kv::runShortcutCreation();
    kv::runUninstallRegistration();

    std::vector<LogRecord> expected = expectedWorkerRecords(destination_);
    const std::string tray = std::string(kv::textOrEmpty(kv::languageStrings.shortcutNameArgument));
    expected.push_back({0xFD, "QRXTARNWELDMOUSE"});
    expected.push_back({0xFB, folder + "\\TarnWeld Mouse Tray.lnk"});
    expected.push_back({0xFB, folder + "\\Uninstall " + tray + ".lnk"});
    expected.push_back({0xFB, folder + "\\Mouse Settings.lnk"});
    expected.push_back({0xFC, folder});
    expected.push_back({0xFA, uninstallKey});
    installState.uninstallLog.close();
    std::vector<std::uint8_t> bytes;
    EXPECT_TRUE(kvtest::readFileBytes(destination_ + "\\kvrem00.log", bytes));
    EXPECT_EQ(kvtest::encodeRecords(expected), bytes);
    EXPECT_EQ("TarnWeld Mouse", tray);
    EXPECT_TRUE(kvtest::fileExists(folder + "\\Uninstall TarnWeld Mouse.lnk"));

    kvtest::removeTree(folder);
    kvtest::deleteRegistryValue(HKEY_LOCAL_MACHINE,
                                "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run",
                                "QRXTARNWELDMOUSE");
    kvtest::deleteRegistryTree(HKEY_LOCAL_MACHINE, uninstallKey);
    kvtest::deleteRegistryTree(HKEY_LOCAL_MACHINE, "Software\\TARNWELDMouse");
    kvtest::deleteRegistryTree(HKEY_LOCAL_MACHINE, "SOFTWARE\\MORVASETUP");
}

}  // namespace
