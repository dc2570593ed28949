// Install -> uninstall -> restart leaves the system as it was, but for the
// install count, under each Windows version. One table: each row installs
// the staged package through the wizard, may change the scene (a running
// tray program, a damaged log, a log naming a system file, a second
// install), runs the built kvrem00.exe as Add/Remove Programs would (this
// program waits for it, so it sees the full exit code, which Wine's own
// exit status cuts to 8 bits), restarts (wineboot -r works through the
// delayed deletes and WININIT.INI) and compares snapshots of the files
// under C:\ and of the registry. Rows with devices also give the system
// devices whose lower filters name the filter driver: on 2000/XP the
// uninstaller takes it out of their lists through the Setup API (Wine's own
// here, which lists the devices of the registry's Enum key), on the 95
// family straight from its hardware tree (HKLM\Enum).
#include "common/log_codec.h"
#include "common/single_instance.h"
#include "support/test_registry.h"
#include "support/test_support.h"
#include "wizard/wizard_test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <vector>

using namespace kvdrive;

namespace {

constexpr char kTrayQuitEvent[] = "KvTrayDoubleQuit";
constexpr char kCountKey[] = "SOFTWARE\\MORVASETUP";
constexpr char kDriverFile[] = "C:\\windows\\system32\\Drivers\\KVFLTSYS.SYS";
constexpr char kUninstallerSettings[] = "Software\\Wine\\AppDefaults\\kvrem00.exe";

std::string lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), [](char c) { return c >= 'A' && c <= 'Z' ? c + 32 : c; });
    return text;
}

// What lies on the system: every file and folder under C:\ and every value
// under the two Software keys, with its data.
struct Snapshot {
    std::set<std::string> items;
};

// The uninstaller's copy under the temp folder and what queues it for the
// restart (WININIT.INI and a RunOnce command on the 95 family).
bool isUninstallerCopy(const std::string& item) {
    const std::size_t at = item.find("\\temp\\kv");
    return (at != std::string::npos && item.find(".tmp", at) != std::string::npos) ||
           item.find("c:\\windows\\wininit.ini") != std::string::npos;
}

bool ignoredPath(const std::string& path) {
    const std::string l = lower(path);
    // This program's own scratch folders, and the file Wine leaves when it
    // has worked through WININIT.INI at a restart (the 95 family's own
    // record of it, as on a real system).
    return l.find("\\kvtest-") != std::string::npos || l == "c:\\windows\\wininit.bak";
}

void addFiles(const std::string& folder, std::set<std::string>& items) {
    WIN32_FIND_DATAA found = {};
    kv::UniqueFindHandle find(::FindFirstFileA((folder + "\\*").c_str(), &found));
    if (!find) return;
    do {
        const std::string name = found.cFileName;
        if (name == "." || name == "..") continue;
        const std::string path = folder + "\\" + name;
        if (ignoredPath(path)) continue;
        const bool isFolder = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        items.insert("file " + lower(path) + (isFolder ? "\\" : ""));
        // Wine links dosdevices and the like: stay on the drive's own tree.
        if (isFolder && !(found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)) addFiles(path, items);
    } while (::FindNextFileA(find.get(), &found));
}

// `name` is the key's path below the root, as the snapshot lists it; each key
// is opened below its parent, and one buffer takes every value's data.
void addRegistry(HKEY parent, const std::string& subkey, const std::string& name, std::vector<BYTE>& data,
                 std::set<std::string>& items) {
    // Wine lists the network cards afresh at every restart.
    const std::string listed = lower(name);
    if (listed.find("\\networkcards") != std::string::npos) return;
    kv::UniqueRegKey key;
    if (::RegOpenKeyExA(parent, subkey.c_str(), 0, KEY_READ, key.put()) != ERROR_SUCCESS) return;
    items.insert("key " + listed);
    for (DWORD i = 0;; ++i) {
        char value[1024];
        DWORD valueSize = sizeof(value), type = 0;
        DWORD dataSize = static_cast<DWORD>(data.size());
        if (::RegEnumValueA(key.get(), i, value, &valueSize, nullptr, &type, data.data(), &dataSize) != ERROR_SUCCESS)
            break;
        items.insert("value " + listed + "\\" + lower(value) + " = " + std::to_string(type) + ":" +
                     std::string(reinterpret_cast<const char*>(data.data()), dataSize));
    }
    for (DWORD i = 0;; ++i) {
        char child[1024];
        DWORD childSize = sizeof(child);
        if (::RegEnumKeyExA(key.get(), i, child, &childSize, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        addRegistry(key.get(), child, name + "\\" + child, data, items);
    }
}

Snapshot snapshot() {
    Snapshot s;
    addFiles("C:", s.items);
    std::vector<BYTE> data(1 << 16);
    addRegistry(HKEY_LOCAL_MACHINE, "Software", "hklm\\Software", data, s.items);
    addRegistry(HKEY_CURRENT_USER, "Software", "hkcu\\Software", data, s.items);
    return s;
}

// What is in `after` and not in `before`, and the other way round.
std::vector<std::string> difference(const Snapshot& before, const Snapshot& after) {
    std::vector<std::string> out;
    for (const std::string& item : after.items)
        if (!before.items.count(item)) out.push_back("+ " + item);
    for (const std::string& item : before.items)
        if (!after.items.count(item)) out.push_back("- " + item);
    return out;
}

// The install count is all an install leaves behind, by design.
std::vector<std::string> beyondInstallCount(const std::vector<std::string>& changes) {
    std::vector<std::string> out;
    const std::string countKey = "hklm\\" + lower(kCountKey);
    for (const std::string& change : changes)
        if (change.find(countKey) == std::string::npos) out.push_back(change);
    return out;
}

std::string joined(const std::vector<std::string>& lines) {
    std::string out;
    for (const std::string& line : lines) out += line.substr(0, 300) + "\n";
    return out;
}

// Runs a program and waits for it; its full exit code, or -1.
long runAndWait(const std::string& commandLine, const std::function<void(HANDLE)>& whileRunning = nullptr) {
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION started = {};
    std::string line = commandLine;
    if (!::CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &started))
        return -1;
    kv::UniqueKernelObject process(started.hProcess), thread(started.hThread);
    if (whileRunning) whileRunning(process.get());
    if (::WaitForSingleObject(process.get(), 120000) != WAIT_OBJECT_0) return -1;
    DWORD code = 0;
    return ::GetExitCodeProcess(process.get(), &code) ? static_cast<long>(code) : -1;
}

// The copy the uninstaller runs from holds the setup mutex until its very
// end (it deletes the first process's file after that has ended).
void waitForUninstallEnd() {
    for (int i = 0; i < 600; ++i) {
        kv::SetupInstanceLock lock;
        if (lock.acquire() == kv::SetupInstanceLock::Outcome::Acquired) return;
        ::Sleep(50);
    }
    ADD_FAILURE() << "the uninstaller still runs";
}

// Answers the uninstaller's message boxes: yes to the question before
// removing (no when declining), no to restarting, OK to the rest; keeps
// their texts.
std::vector<std::string> answerMessages(HANDLE process, const std::string& caption, bool decline) {
    std::vector<std::string> texts;
    bool confirmed = decline;
    for (int tick = 0; tick < 2400 && ::WaitForSingleObject(process, 50) == WAIT_TIMEOUT; ++tick) {
        HWND box = ::FindWindowA("#32770", caption.c_str());
        if (box == nullptr || !::IsWindowVisible(box)) continue;
        char text[2048] = {};
        ::GetDlgItemTextA(box, 0xFFFF, text, sizeof(text));
        texts.push_back(text);
        const bool question = ::GetDlgItem(box, IDYES) != nullptr;
        const int answer = question ? (confirmed ? IDNO : IDYES) : IDOK;
        if (question) confirmed = true;
        ::PostMessageA(box, WM_COMMAND, MAKEWPARAM(answer, BN_CLICKED), 0);
        // Wait until this box has gone before looking for the next.
        for (int i = 0; i < 200 && ::IsWindow(box); ++i) ::Sleep(25);
    }
    return texts;
}

void restart() {
    // What a restart does to files: Wine works through the delayed
    // deletes and WININIT.INI.
    EXPECT_EQ(0, runAndWait("wineboot.exe -r"));
}

std::string readText(const std::string& path) {
    std::vector<std::uint8_t> bytes;
    kvtest::readFileBytes(path, bytes);
    return std::string(bytes.begin(), bytes.end());
}

void appendRecord(const std::string& log, std::uint8_t type, const std::string& text) {
    std::string bytes = readText(log);
    std::vector<std::uint8_t> record(text.size() + 2);
    kv::encodeLogRecord(type, text.data(), text.size(), record.data(), record.size());
    bytes.append(record.begin(), record.end());
    kvtest::writeFile(log, bytes);
}

struct Install {
    std::string destination;
    std::string programFolder;
};

// Installs into "KV Round Trip <destination>" with the program folder
// "KV Round Trip <folder>" (the destination's name when empty).
// `proposed`: the destination page's proposal.
Install install(const std::string& destination, const std::string& folder = "", std::string* proposed = nullptr) {
    // Named for the version too: all versions share one prefix.
    const std::string version = " " + kvtest::windowsVersion();
    Install made{"C:\\Program Files\\KV Round Trip " + destination + version,
                 "KV Round Trip " + (folder.empty() ? destination : folder) + version};
    const Entry doInstall = kvtest::stagedLibraryEntry();
    EXPECT_TRUE(doInstall);
    // Run from the medium, as the launcher is: the filter driver is read
    // from the current folder.
    char previous[MAX_PATH] = {};
    ::GetCurrentDirectoryA(sizeof(previous), previous);
    ::SetCurrentDirectoryA(kvtest::stagedPackageDir().c_str());
    RunOutcome outcome = runScripted(doInstall, kvtest::stagedPackageDir(), [&](Driver& d) {
        d.waitForPage(kLanguage);
        const std::string shown = d.text(d.item(d.walkTo(kDestination), 1018));
        if (proposed != nullptr) *proposed = shown;
        kvtest::finish(d, kvtest::installToFinish(d, made.destination, made.programFolder), false);
    });
    ::SetCurrentDirectoryA(previous);
    kvtest::expectNoScriptFailures(outcome);
    EXPECT_TRUE(kvtest::fileExists(made.destination + "\\kvrem00.exe"));
    EXPECT_TRUE(kvtest::fileExists(kDriverFile));
    return made;
}

struct Uninstalled {
    long exitCode = -1;
    std::string log;                    // the /log file's text
    std::vector<std::string> messages;  // interactive runs: the boxes' texts
};

Uninstalled uninstall(const Install& installed, bool interactive, bool decline = false) {
    Uninstalled result;
    const std::string logFile = kvtest::makeTempFolder("removal") + "\\removal.txt";
    const std::string program = installed.destination + "\\kvrem00.exe";
    std::string caption(260, '\0');
    caption.resize(::GetPrivateProfileStringA("MSG", "1", "", &caption[0], 260,
                                              (installed.destination + "\\kvrem.un2").c_str()));
    // Unquoted, as the engine writes the uninstall entry.
    const std::string command = "\"" + program + "\"" + (interactive ? "" : " /s") + " /log=\"" + logFile + "\"";
    result.exitCode = runAndWait(command, [&](HANDLE process) {
        if (interactive) result.messages = answerMessages(process, caption, decline);
    });
    waitForUninstallEnd();
    result.log = readText(logFile);
    return result;
}

// The tray program as the auto-start value starts it, running until told.
class RunningTray {
public:
    explicit RunningTray(const std::string& destination) {
        STARTUPINFOA startup = {};
        startup.cb = sizeof(startup);
        PROCESS_INFORMATION started = {};
        std::string line = "\"" + destination + "\\kvtray32.exe\"";
        if (::CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &started)) {
            process_.reset(started.hProcess);
            ::CloseHandle(started.hThread);
        }
        // Running with the hook library loaded once its event exists.
        for (int i = 0; i < 200 && !quit_; ++i) {
            quit_.reset(::OpenEventA(EVENT_MODIFY_STATE, FALSE, kTrayQuitEvent));
            if (!quit_) ::Sleep(25);
        }
    }
    bool running() const { return process_ && quit_; }
    // A restart ends it; before a restart of the files alone, so do we.
    void end() {
        if (quit_) ::SetEvent(quit_.get());
        if (process_) ::WaitForSingleObject(process_.get(), 10000);
        quit_.reset();
        process_.reset();
    }
    ~RunningTray() { end(); }

private:
    kv::UniqueKernelObject process_;
    kv::UniqueKernelObject quit_;
};

bool deviceProperties() {
    const std::string version = kvtest::windowsVersion();
    return version == "win2k" || version == "winxp";
}

// The 95 family keeps its devices in a tree of its own, HKLM\Enum.
bool family95() {
    const std::string version = kvtest::windowsVersion();
    return version == "win95" || version == "win98" || version == "winme";
}

// Where the uninstaller takes the filter driver out of devices' lists (not NT 4).
bool editsDevices() { return deviceProperties() || family95(); }

// Devices with lower filters, made below [System\CurrentControlSet\]Enum\<bus>\<device>\<instance>
// with a device class (Wine's Setup API lists only keys that name one) and
// removed again at the end of the row. They lie outside the snapshots.
class FilteredDevices {
public:
    struct Device {
        std::string instance;
        std::vector<std::string> filters;
        std::vector<std::string> left;  // the filters the uninstaller leaves; none: the value goes
    };

    // `longList`: one more device, whose list is longer than any real one.
    explicit FilteredDevices(bool longList) {
        devices_ = {
            {"USB\\VID_0A5E&PID_0001\\1", {"KVFLTSYS.SYS"}, {}},
            {"USB\\VID_0A5E&PID_0002\\1", {"first.sys", "kvfltsys.sys", "last.sys"}, {"first.sys", "last.sys"}},
            {"HID\\VID_0A5E&PID_0003\\1", {"KvFltSys", "other.sys"}, {"other.sys"}},  // the service name
            {"USB\\VID_0A5E&PID_0004\\1", {"other.sys", "kvfltsys.sys.old"}, {"other.sys", "kvfltsys.sys.old"}},
        };
        if (longList) {
            std::vector<std::string> many;
            for (int i = 0; i < 50; ++i) many.push_back("kvtest_other_filter_" + std::to_string(100 + i) + ".sys");
            many.push_back("kvfltsys.sys");
            devices_.push_back({"USB\\VID_0A5E&PID_0005\\1", many, many});  // 1.5 KB
        }
        for (const Device& device : devices_) {
            const std::string key = keyOf(device);
            EXPECT_TRUE(kvtest::writeRegistryValue(HKEY_LOCAL_MACHINE, key, "ClassGUID",
                                                   kvtest::stringValue("{4D36E96F-E325-11CE-BFC1-08002BE10318}")));
            EXPECT_TRUE(kvtest::writeRegistryValue(HKEY_LOCAL_MACHINE, key, "Class", kvtest::stringValue("Mouse")));
            EXPECT_TRUE(kvtest::writeRegistryValue(HKEY_LOCAL_MACHINE, key, "LowerFilters",
                                                   kvtest::multiStringValue(device.filters)));
        }
    }
    ~FilteredDevices() {
        for (const Device& device : devices_) {
            const std::string key = keyOf(device);
            kvtest::deleteRegistryTree(HKEY_LOCAL_MACHINE, key.substr(0, key.rfind('\\')));
        }
    }
    std::string keyOf(const Device& device) const {
        return (family95() ? "Enum\\" : "System\\CurrentControlSet\\Enum\\") + device.instance;
    }

    // Every device's filters as the uninstaller should have left them, or,
    // with `edited` false, as they were made.
    void expectFilters(bool edited) const {
        for (const Device& device : devices_) {
            const std::vector<std::string>& expected = edited ? device.left : device.filters;
            kvtest::RegistryValue value;
            const bool present = kvtest::readRegistryValue(HKEY_LOCAL_MACHINE, keyOf(device), "LowerFilters", value);
            if (expected.empty()) {
                // Wine's Setup API stores the empty value it is given where
                // Windows deletes the property.
                EXPECT_TRUE(!present || (value.type == REG_MULTI_SZ && value.bytes.empty()))
                    << device.instance << ": " << value.bytes.size() << " bytes";
                continue;
            }
            EXPECT_TRUE(present) << device.instance;
            EXPECT_EQ(REG_MULTI_SZ, value.type) << device.instance;
            EXPECT_EQ(joined(expected), joined(split(value.bytes))) << device.instance;
        }
    }

private:
    static std::vector<std::string> split(const std::string& multi) {
        std::vector<std::string> out;
        std::size_t at = 0;
        while (at < multi.size() && multi[at] != 0) {
            const std::size_t end = multi.find('\0', at);
            out.push_back(multi.substr(at, end - at));
            if (end == std::string::npos) break;
            at = end + 1;
        }
        // A second terminator ends the list: none may be missing.
        if (multi.size() < 2 || multi.compare(multi.size() - 2, 2, std::string(2, '\0')) != 0)
            out.push_back("(no final terminator)");
        return out;
    }

    std::vector<Device> devices_;
};

enum class Scene { Plain, Interactive, TrayRunning, Reinstalled, DamagedLog, SystemFileInLog, NoSetupApi, LongFilterList };

struct Row {
    const char* name;
    Scene scene;
    bool devices;  // devices naming the filter driver stand on the system while it uninstalls
};

class RoundTrip : public ::testing::TestWithParam<Row> {
protected:
    static void SetUpTestSuite() {
        // The uninstaller is told the same Windows version as this program.
        const std::string version = kvtest::windowsVersion();
        if (!version.empty())
            kvtest::writeRegistryValue(HKEY_CURRENT_USER, "Software\\Wine\\AppDefaults\\kvrem00.exe", "Version",
                                       kvtest::stringValue(version));
    }
};

// A row that leaves the system as it found it hands its last snapshot on as
// the next row's first: one walk of the whole registry fewer per row.
std::unique_ptr<Snapshot> lastClean;

TEST_P(RoundTrip, LeavesOnlyTheInstallCount) {
    const Row row = GetParam();
    if (row.scene == Scene::NoSetupApi && !deviceProperties())
        GTEST_SKIP() << "the Setup API edits devices' lower filters on 2000/XP only";
    if (row.scene == Scene::LongFilterList && !editsDevices()) GTEST_SKIP() << "NT 4 has no device lower filters";
    const Snapshot before = lastClean ? std::move(*lastClean) : snapshot();
    lastClean.reset();
    const Install installed = install(row.name);
    const std::string log = installed.destination + "\\kvrem00.log";
    bool restartExpected = false;
    std::unique_ptr<FilteredDevices> devices;
    if (row.devices) devices.reset(new FilteredDevices(row.scene == Scene::LongFilterList));

    switch (row.scene) {
        case Scene::Plain: {
            {
                // While a setup runs (its mutex held), nothing is removed.
                kv::SetupInstanceLock setupRunning;
                ASSERT_EQ(kv::SetupInstanceLock::Outcome::Acquired, setupRunning.acquire());
                const Uninstalled busy = uninstall(installed, false);
                EXPECT_EQ(1618, busy.exitCode) << busy.log;
                EXPECT_TRUE(kvtest::fileExists(installed.destination + "\\kvrem00.log"));
            }
            if (devices) devices->expectFilters(false);
            const Uninstalled u = uninstall(installed, false);
            EXPECT_EQ(0, u.exitCode) << u.log;
            EXPECT_EQ(std::string::npos, u.log.find("skipped:")) << u.log;
            EXPECT_EQ(std::string::npos, u.log.find("not removed:")) << u.log;
            // NT 4 has no such device property.
            if (devices) devices->expectFilters(editsDevices());
            if (editsDevices()) {
                EXPECT_NE(std::string::npos, u.log.find("removed: device filters")) << u.log;
            }
            break;
        }
        case Scene::Interactive: {
            const Uninstalled declined = uninstall(installed, true, true);
            EXPECT_EQ(1602, declined.exitCode);
            EXPECT_TRUE(kvtest::fileExists(installed.destination + "\\kvrem00.log"));
            const Uninstalled u = uninstall(installed, true);
            EXPECT_EQ(0, u.exitCode) << u.log;
            ASSERT_EQ(2u, u.messages.size()) << joined(u.messages);
            EXPECT_NE(std::string::npos, u.messages[0].find("TarnWeld")) << "the question names the product";
            char removed[260] = {};
            ::GetPrivateProfileStringA("MSG", "7", "", removed, sizeof(removed),
                                       (kvtest::stagedPackageDir() + "\\kv-00001\\kvrem.enu").c_str());
            EXPECT_EQ(std::string(removed), u.messages[1]);
            break;
        }
        case Scene::TrayRunning: {
            RunningTray tray(installed.destination);
            ASSERT_TRUE(tray.running());
            const Uninstalled u = uninstall(installed, false);
            // In use: the tray program and its hook library, at the restart.
            EXPECT_EQ(3010, u.exitCode) << u.log;
            EXPECT_NE(std::string::npos, u.log.find("removed at restart: file " + installed.destination +
                                                    "\\kvhook.dll (in use)"))
                << u.log;
            tray.end();
            restartExpected = true;
            break;
        }
        case Scene::Reinstalled: {
            // Again into the same folder with another program folder: the
            // new log carries the first one's program folder and shortcuts.
            std::string proposed;
            install(row.name, std::string(row.name) + " renamed", &proposed);
            EXPECT_EQ(installed.destination, proposed) << "a reinstall goes where the product is";
            // Then into another folder: the earlier installation goes first.
            const Install elsewhere = install(std::string(row.name) + " elsewhere");
            EXPECT_FALSE(kvtest::fileExists(installed.destination)) << installed.destination;
            const Uninstalled u = uninstall(elsewhere, false);
            EXPECT_EQ(0, u.exitCode) << u.log;
            break;
        }
        case Scene::DamagedLog: {
            const std::string whole = readText(log);
            kvtest::writeFile(log, whole.substr(0, whole.size() - 1));
            const Snapshot installedState = snapshot();
            const Uninstalled u = uninstall(installed, false);
            EXPECT_EQ(1603, u.exitCode) << u.log;
            EXPECT_NE(std::string::npos, u.log.find("not removed: the log ends inside a record")) << u.log;
            std::vector<std::string> removed = difference(installedState, snapshot());
            removed.erase(std::remove_if(removed.begin(), removed.end(), isUninstallerCopy), removed.end());
            EXPECT_EQ("", joined(removed)) << "nothing was removed";
            // Mended, it removes everything.
            kvtest::writeFile(log, whole);
            EXPECT_EQ(0, uninstall(installed, false).exitCode);
            break;
        }
        case Scene::SystemFileInLog: {
            appendRecord(log, kv::kLogFile, "C:\\windows\\win.ini");
            appendRecord(log, kv::kLogFolder, "C:\\windows");
            const Uninstalled u = uninstall(installed, false);
            EXPECT_EQ(0, u.exitCode) << u.log;
            EXPECT_NE(std::string::npos,
                      u.log.find("skipped: file C:\\windows\\win.ini (outside the installation's folders)"))
                << u.log;
            EXPECT_NE(std::string::npos, u.log.find("skipped: folder C:\\windows (a system folder or a drive root)"))
                << u.log;
            EXPECT_TRUE(kvtest::fileExists("C:\\windows\\win.ini"));
            break;
        }
        case Scene::NoSetupApi:
        case Scene::LongFilterList: {
            // The uninstaller meets the test double of the Setup API, which
            // has no device properties; or a device's list that it does not
            // read (it leaves that device as it is).
            const bool noSetupApi = row.scene == Scene::NoSetupApi;
            const std::string overrides = std::string(kUninstallerSettings) + "\\DllOverrides";
            if (noSetupApi)
                kvtest::writeRegistryValue(HKEY_CURRENT_USER, overrides, "setupapi", kvtest::stringValue("native,builtin"));
            const Uninstalled u = uninstall(installed, false);
            kvtest::deleteRegistryTree(HKEY_CURRENT_USER, overrides);
            // The driver stays while a device may still name it, and says so;
            // the other devices are edited all the same.
            EXPECT_EQ(1603, u.exitCode) << u.log;
            const std::string why = noSetupApi ? "the Setup API is missing" : "a device cannot be edited";
            EXPECT_NE(std::string::npos, u.log.find("not removed: device filters lower filters (" + why + ")")) << u.log;
            EXPECT_NE(std::string::npos,
                      u.log.find(std::string("not removed: file ") + kDriverFile + " (a device may still name it)"))
                << u.log;
            EXPECT_TRUE(kvtest::fileExists(kDriverFile));
            devices->expectFilters(!noSetupApi);
            // Nothing else is left: the one file goes by hand.
            EXPECT_TRUE(::DeleteFileA(kDriverFile));
            break;
        }
    }
    restart();
    Snapshot after = snapshot();
    const std::vector<std::string> left = beyondInstallCount(difference(before, after));
    EXPECT_EQ("", joined(left)) << row.name << (restartExpected ? " (after a restart)" : "");
    if (left.empty() && !HasFailure()) lastClean.reset(new Snapshot(std::move(after)));
}

const Row kRows[] = {
    {"Interactive", Scene::Interactive, false},
    {"Plain", Scene::Plain, true},
    {"Tray", Scene::TrayRunning, false},
    {"Reinstalled", Scene::Reinstalled, false},
    {"DamagedLog", Scene::DamagedLog, false},
    {"SystemFile", Scene::SystemFileInLog, false},
    {"NoSetupApi", Scene::NoSetupApi, true},
    {"LongFilterList", Scene::LongFilterList, true},
};

INSTANTIATE_TEST_SUITE_P(Rows, RoundTrip, ::testing::ValuesIn(kRows),
                         [](const ::testing::TestParamInfo<Row>& info) { return std::string(info.param.name); });

}  // namespace
