// Whole runs of the built library, as the launcher makes them, under each
// Windows version: the ResultCode of finishing, and what the run leaves on
// the system. The library stays loaded, so later runs share its state.
#include "base/unique_handle.h"
#include "common/running_setup_window.h"
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

// ---- unattended installs against the wizard's ------------------------------

namespace {

// What an install left on the system, in a form two installs compare by.
struct Installed {
    std::vector<std::string> files;      // below the destination, with sizes
    std::vector<std::string> records;    // the uninstall log, type and text
    std::vector<std::string> values;     // registry values the install writes
    std::vector<std::string> shortcuts;  // the program folder's files
    bool driver = false;
};

std::vector<std::string> filesBelow(const std::string& folder) {
    std::vector<std::string> files;
    for (const kvtest::TreeEntry& entry : kvtest::treeEntries(folder)) {
        std::vector<std::uint8_t> bytes;
        if (!entry.folder && kvtest::readFileBytes(folder + "\\" + entry.path, bytes))
            files.push_back(entry.path + " " + std::to_string(bytes.size()));
        else if (entry.folder)
            files.push_back(entry.path + "\\");
    }
    return files;
}

Installed installedBy(const std::string& destination, const std::string& group) {
    Installed what;
    what.files = filesBelow(destination);
    std::vector<std::uint8_t> bytes;
    std::vector<kv::LogRecord> records;
    kvtest::readFileBytes(destination + "\\kvrem00.log", bytes);
    EXPECT_TRUE(kv::decodeLog(bytes, records)) << destination;
    for (const kv::LogRecord& r : records)
        what.records.push_back(std::string(kv::logRecordTypeName(r.type)) + " " + r.text);
    const std::pair<std::string, const char*> values[] = {
        {kv::kRunKey, kv::kAutoStartValueName},      {kv::kProductKey, "InstallName"},
        {kv::kProductKey, "SubInstallName"},         {kv::kProductKey, "AppPath"},
        {kv::kProductKey, "ProductName"},            {kv::kProductKey, "ProductKey"},
        {kvtest::kSampleUninstallKey, "DisplayName"}, {kvtest::kSampleUninstallKey, "UninstallString"},
        {"SOFTWARE\\MORVASETUP\\TWMOUSE", "INSTALLCOUNT"}};
    for (const auto& v : values) {
        kvtest::RegistryValue value;
        what.values.push_back(v.first + "\\" + v.second + " = " +
                              (kvtest::readRegistryValue(HKEY_LOCAL_MACHINE, v.first, v.second, value)
                                   ? std::to_string(value.type) + ":" + value.bytes
                                   : "(none)"));
    }
    what.shortcuts = filesBelow(kvtest::programsFolder() + "\\" + group);
    for (std::string& shortcut : what.shortcuts) shortcut = shortcut.substr(0, shortcut.rfind(' '));  // times differ
    what.driver = kvtest::fileExists(kvtest::kDriverPath);
    return what;
}

void expectSameInstall(const Installed& wizard, const Installed& unattended, const char* name) {
    EXPECT_EQ(wizard.files, unattended.files) << name;
    EXPECT_EQ(wizard.records, unattended.records) << name;
    EXPECT_EQ(wizard.values, unattended.values) << name;
    EXPECT_EQ(wizard.shortcuts, unattended.shortcuts) << name;
    EXPECT_EQ(wizard.driver, unattended.driver) << name;
    EXPECT_FALSE(unattended.records.empty()) << name;
}

std::string fileText(const std::string& path) {
    std::vector<std::uint8_t> bytes;
    kvtest::readFileBytes(path, bytes);
    return std::string(bytes.begin(), bytes.end());
}

// The wizard walks: every default kept; the first setup type and typed
// folders, its choices saved as an answer file; every default kept with that
// file loaded, which must make the defaults the typed walk's choices.
enum class WalkKind { Defaults, TypedAndSaved, DefaultsLoaded };

struct Walk {
    std::string destination, group;
    Installed installed;
};

Walk walkWizard(WalkKind kind, const std::string& answerFile) {
    Walk walk;
    const bool typed = kind == WalkKind::TypedAndSaved;
    if (typed) {
        walk.destination = kvtest::makeTempFolder("unattended") + "\\Mouse Dir";
        walk.group = "KV Unattended Typed";
    }
    const Script script = [&](Driver& d) {
        d.waitForPage(kLanguage);
        if (typed) {
            d.setCheck(d.item(d.walkTo(kSetupType), 1001), true);
            d.setCheck(d.item(d.walkTo(kSetupType), 1002), false);
            kvtest::finish(d, kvtest::installToFinish(d, walk.destination, walk.group), false);
            return;
        }
        walk.destination = d.text(d.item(d.walkTo(kDestination), 1018));
        walk.group = d.text(d.item(d.walkTo(kProgramFolder), 1018));
        d.walkTo(kInformation);
        d.next();
        kvtest::finish(d, d.waitForPage(kFinish, 60000), false);
    };
    const kvtest::OptionEntry withOptions = kvtest::stagedOptionEntry();
    // The typed walk also keeps a step log beside the answer file.
    const std::string options = typed ? "\"/saveinf=" + answerFile + "\" \"/log=" + answerFile + ".log\""
                                      : "\"/loadinf=" + answerFile + "\"";
    const RunOutcome outcome =
        kind == WalkKind::Defaults
            ? runScripted(kvtest::stagedLibraryEntry(), kvtest::stagedPackageDir(), script)
            : runScripted([&](const char* folder) { return withOptions(folder, options.c_str()); },
                          kvtest::stagedPackageDir(), script);
    kvtest::expectNoScriptFailures(outcome);
    EXPECT_EQ(12, outcome.resultCode);
    walk.installed = installedBy(walk.destination, walk.group);
    kvtest::removeInstallation(walk.destination, walk.group);
    return walk;
}

struct UnattendedCase {
    const char* name;
    bool typedWalk;        // compared with the typed walk, else the default one
    const char* switches;  // after "/s /log=FILE"; %D the destination, %G the group, %A the answer file
};

const UnattendedCase kUnattended[] = {
    {"every default", false, ""},
    {"the walk's choices as switches", true, "/type=3D \"/dir=%D\" \"/group=%G\""},
    {"the walk's saved answer file", true, "\"/loadinf=%A\""},
};

std::string filled(std::string text, const Walk& walk, const std::string& answerFile) {
    const std::pair<const char*, std::string> fills[] = {{"%D", walk.destination}, {"%G", walk.group}, {"%A", answerFile}};
    for (const auto& fill : fills)
        for (std::size_t at; (at = text.find(fill.first)) != std::string::npos;) text.replace(at, 2, fill.second);
    return text;
}

}  // namespace

TEST(WholeRun, UnattendedInstallsAsTheWizardDoes) {
    ASSERT_NE(nullptr, kvtest::stagedOptionEntry()) << "kvsetup.dll has no DOINSTALLEX";
    const std::string work = kvtest::makeTempFolder("unattended-work");
    const std::string answerFile = work + "\\choices.inf";
    // The launcher runs from the medium: the driver file is read from the current folder.
    char previous[MAX_PATH] = {};
    ::GetCurrentDirectoryA(sizeof(previous), previous);
    ::SetCurrentDirectoryA(kvtest::stagedPackageDir().c_str());
    const Walk walks[] = {walkWizard(WalkKind::Defaults, answerFile), walkWizard(WalkKind::TypedAndSaved, answerFile)};
    EXPECT_NE(std::string::npos, fileText(answerFile).find("type=3D")) << "the typed walk saved its choices";
    for (const char* line : {"setup started (wizard)", "uninstall log: shortcut ", "choices saved to ", "result: ResultCode 12"})
        EXPECT_NE(std::string::npos, fileText(answerFile + ".log").find(line)) << line;
    const Walk loaded = walkWizard(WalkKind::DefaultsLoaded, answerFile);
    EXPECT_EQ(walks[1].destination, loaded.destination) << "the saved folder is the wizard's default";
    EXPECT_EQ(walks[1].group, loaded.group);
    expectSameInstall(walks[1].installed, loaded.installed, "the wizard with the saved choices as defaults");

    for (const UnattendedCase& c : kUnattended) {
        const Walk& walk = walks[c.typedWalk ? 1 : 0];
        const std::string log = work + "\\unattended.log";
        const std::string arguments = "/s \"/log=" + log + "\" " + filled(c.switches, walk, answerFile);
        const int code = kvtest::stagedOptionEntry()(kvtest::stagedPackageDir().c_str(), arguments.c_str());
        EXPECT_EQ(3010, code) << c.name << ": installed, the driver loads at the next start";
        expectSameInstall(walk.installed, installedBy(walk.destination, walk.group), c.name);
        // The step log: what was found, where it went, every record, the result.
        const std::string steps = fileText(log);
        for (const std::string& line : {std::string("platform: "), "destination: " + walk.destination,
                                        std::string("result: installed, a restart is needed")})
            EXPECT_NE(std::string::npos, steps.find(line)) << c.name << ": " << line << "\n" << steps;
        for (const std::string& record : walk.installed.records)
            EXPECT_NE(std::string::npos, steps.find("uninstall log: " + record)) << c.name << ": " << record;
        kvtest::removeInstallation(walk.destination, walk.group);
    }
    ::SetCurrentDirectoryA(previous);
    kvtest::removeTree(work);
}

// A second launcher while one runs its wizard in another process: unattended
// it ends with 1618 and says why in its log; started by a user it brings the
// running wizard to the front and ends, showing nothing. A bad switch ends
// with 1639 whenever it comes; a refused folder with 1603. The whole codes are read here, not through
// Wine's runner, which keeps only their low 8 bits.
TEST(WholeRun, ASecondLauncherShowsTheFirstAndGoes) {
    if (!kvtest::versionIs({"winxp"})) GTEST_SKIP() << "the launchers run under their own version; once is enough";
    const std::string setup = kvtest::stagedPackageDir() + "\\setup.exe";
    const std::string work = kvtest::makeTempFolder("second-launcher");
    const std::string log = work + "\\second.log";

    EXPECT_EQ(1639, kvtest::runAndWait(setup, "/s /quiet \"/log=" + log + "\""));
    EXPECT_NE(std::string::npos, fileText(log).find("unknown switch: /quiet")) << fileText(log);
    // A log named relative to where the script runs lands there, not in the
    // source folder the launcher moves into.
    char previous[MAX_PATH] = {};
    ::GetCurrentDirectoryA(sizeof(previous), previous);
    ::SetCurrentDirectoryA(work.c_str());
    EXPECT_EQ(1603, kvtest::runAndWait(setup, "/s /dir=C:\\ /log=relative.log"));
    ::SetCurrentDirectoryA(previous);
    EXPECT_NE(std::string::npos, fileText(work + "\\relative.log").find("refused: the destination")) << work;

    std::string commandLine = "\"" + setup + "\" /norestart";
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION started = {};
    ASSERT_TRUE(::CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                                 &started));
    kv::UniqueKernelObject first(started.hProcess);
    kv::UniqueKernelObject firstThread(started.hThread);
    HWND wizard = nullptr;
    for (int waited = 0; wizard == nullptr && waited < 60000; waited += 100) {
        ::Sleep(100);
        wizard = kv::findRunningSetupWindow();
    }
    ASSERT_NE(nullptr, wizard) << "the first launcher shows its wizard";

    EXPECT_EQ(1618, kvtest::runAndWait(setup, "/s \"/log=" + log + "\""));
    EXPECT_NE(std::string::npos, fileText(log).find("another setup or removal is running")) << fileText(log);
    EXPECT_EQ(0, kvtest::runAndWait(setup, "", 30000)) << "a second wizard would wait for its user";
    EXPECT_EQ(wizard, kv::findRunningSetupWindow()) << "one setup main window";

    // Closing the main window ends the first run at once with 2.
    ::PostMessageA(wizard, WM_CLOSE, 0, 0);
    ASSERT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(first.get(), 30000));
    DWORD code = 0;
    ::GetExitCodeProcess(first.get(), &code);
    EXPECT_EQ(2u, code);
    kvtest::removeTree(work);
}
