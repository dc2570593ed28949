// Bad input and faults, one table: a damaged package, a careless user, a
// hostile system or a full disk, then a whole setup run driven through the
// wizard in this process (the unattended rows: through the engine's second
// entry, with switches), and what the run must leave: its ResultCode, the
// files and registry values it installed, and a log that records each of
// them whole. Whatever the case, nothing is left behind that the log does not
// name, and no record names a root, a relative path or a shared folder.
#include "common/folder_rules.h"
#include "common/language_strings.h"
#include "common/setup_config.h"
#include "common/text_rules.h"
#include "install/install_state.h"
#include "setup/option_run.h"
#include "setup/setup_run.h"
#include "common/shared_folders.h"
#include "toolsupport/log_record.h"
#include "common/registration_names.h"
#include "engine_test_support.h"
#include "support/test_registry.h"
#include "support/test_support.h"
#include "wizard_test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <atomic>
#include <functional>
#include <memory>
#include <thread>

using namespace kvdrive;

namespace {

using kvtest::kDriverPath;
using kvtest::kSampleUninstallKey;
using kvtest::kUninstallList;

constexpr int kStoppedOrFinished = -1;  // 0 when the install stopped, 12 when it ran through
constexpr int kStoppedOrInstalled = -2;  // unattended: 1603 when it stopped, 3010 when it ran through

// What a case prepares before its run. Everything it changes outside the
// package copy it undoes through `undo`.
struct CaseRun {
    std::string package;             // a copy of the staged package, free to damage
    std::string source;              // what DOINSTALL is given
    bool nullSource = false;
    bool noWizard = false;           // DOINSTALL refuses the source folder and shows nothing
    std::string destination;         // typed on the destination page
    std::string programFolder;       // typed on the program folder page
    bool refuseShownDestination = false;    // Next with the page's default must be refused
    std::vector<std::string> refusedDestination;  // texts Next must refuse first
    bool refuseShownProgramFolder = false;
    std::vector<std::string> refusedProgramFolder;
    bool secondCallOnLanguagePage = false;  // DOINSTALL again, from another thread
    bool secondCallWhileInstalling = false;
    const char* absentFile = nullptr;       // a payload file that must not be installed
    std::string namedText;                  // the destination and finish pages' first text, when known
    std::vector<std::function<void()>> undo;
    std::vector<std::unique_ptr<kvtest::LockedRegistryKey>> locks;
    std::string skipped;                    // why the case cannot be made here
    // Not empty: an unattended run (the engine's second entry) with these
    // switches after "/s /log=FILE", whose log must hold `logged`.
    std::string switches;
    std::string logged;
};

// kRolledBack: nothing when the install stopped (it was taken back), else consistent.
enum Expect { kEverything, kConsistent, kNothing, kRolledBack };
using Prepare = std::function<void(CaseRun&)>;

struct Case {
    const char* name;
    Prepare prepare;
    int result = 12;
    Expect installed = kEverything;
};

// The faults only the build machine can make (bad_input_run.sh), as Windows paths.
std::string madeFault(const char* name) {
    const std::string unix = kvtest::argument(name);
    return unix.empty() ? "" : kvtest::windowsPathOf(unix.c_str());
}

// ---- package damage ---------------------------------------------------------

constexpr char kIni[] = "kvsetup.ini";
constexpr char kLanguageFile[] = "kv-00001\\kvsetlan.enu";
enum Refuse { kShownTaken, kShownDestination, kShownProgramFolder, kShownBoth };  // what Next refuses as shown

void refuseShown(CaseRun& r, int refuse) {
    r.refuseShownDestination = (refuse & kShownDestination) != 0;
    r.refuseShownProgramFolder = (refuse & kShownProgramFolder) != 0;
}

std::string fileText(const std::string& path) {
    std::vector<std::uint8_t> bytes;
    kvtest::readFileBytes(path, bytes);
    return std::string(bytes.begin(), bytes.end());
}

// A package file's new content, made from its old one.
using Content = std::function<std::string(const std::string& old)>;
std::string nothing(const std::string&) { return ""; }
Content binary(std::size_t size) {
    return [size](const std::string&) {
        std::string bytes(size, '\0');
        unsigned seed = 12345;
        for (char& c : bytes) c = static_cast<char>((seed = seed * 1103515245 + 12345) >> 16);
        return bytes;
    };
}
std::string huge(const std::string& old) {
    std::string text = "[Junk]\r\n";
    while (text.size() < (2u << 20)) text += "key" + std::to_string(text.size()) + "=value\r\n";
    return text + old;
}

// Rewrites a file of the package (deletes it without a content).
Prepare rewrite(const char* file, const Content& content, int refuse = kShownTaken) {
    return [=](CaseRun& r) {
        const std::string path = r.package + "\\" + file;
        if (content) kvtest::writeFile(path, content(fileText(path)));
        else ::DeleteFileA(path.c_str());
        refuseShown(r, refuse);
    };
}

// Sets values of an ini file of the package.
struct Value {
    const char *section, *key;
    std::string text;
};
Prepare set(const char* file, const std::vector<Value>& values, int refuse = kShownTaken) {
    return [=](CaseRun& r) {
        for (const Value& v : values)
            ::WritePrivateProfileStringA(v.section, v.key, v.text.c_str(), (r.package + "\\" + file).c_str());
        refuseShown(r, refuse);
    };
}

// Every text of the language file that the run shows or uses.
std::vector<Value> everyText(const std::string& text) {
    std::vector<Value> values;
    for (const char* key : {"1", "2", "4", "7", "8", "12", "301", "302", "304", "306"})
        values.push_back({"MSG", key, text});
    for (const char* key : {"P3T", "P31", "P32", "P33", "P4T", "P41", "P42", "P43", "PF1"})
        values.push_back({"DLG", key, text});
    return values;
}

// Removes files or folders of the package; `absent` must then not be installed.
Prepare remove(std::vector<const char*> paths, const char* absent = nullptr) {
    return [=](CaseRun& r) {
        for (const std::string path : paths) ::DeleteFileA((r.package + "\\" + path).c_str());
        for (const std::string path : paths) kvtest::removeTree(r.package + "\\" + path);
        r.absentFile = absent;
    };
}

// A source folder DOINSTALL refuses, or one it takes and finds no package in.
Prepare refusedSource(const std::string& folder) {
    return [=](CaseRun& r) { r.source = folder, r.noWizard = true; };
}
Prepare emptySource(const std::function<std::string(const CaseRun&)>& folder) {
    return [=](CaseRun& r) { r.source = folder(r), refuseShown(r, kShownBoth); };
}

Prepare lock(const std::string& key) {
    return [key](CaseRun& r) {
        r.locks.push_back(std::make_unique<kvtest::LockedRegistryKey>(HKEY_LOCAL_MACHINE, key));
        if (!r.locks.back()->locked()) r.skipped = "the key " + key + " could not be locked";
    };
}

// Fills the small disk, then gives `blocks` KiB back, so that the run finds
// the disk full at a different stage for each count.
void fillDisk(CaseRun& r, int blocks) {
    const std::string drive = kvtest::argument("full-disk");
    if (drive.empty()) {
        r.skipped = "full disk: this machine could not mount a small file system (needs root and "
                    "loop devices); the immutable folder and log cases stand in for it";
        return;
    }
    const std::string filler = drive + "\\filler";
    kvtest::removeTree(drive + "\\" + std::string(180, 'd'));
    kv::UniqueFile file(::CreateFileA(filler.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
    const char block[1024] = {};
    DWORD written = 0;
    while (::WriteFile(file.get(), block, sizeof(block), &written, nullptr) && written == sizeof(block)) {
    }
    const DWORD size = ::GetFileSize(file.get(), nullptr);
    const DWORD keep = size > static_cast<DWORD>(blocks) * 1024 ? size - blocks * 1024 : 0;
    ::SetFilePointer(file.get(), static_cast<LONG>(keep), nullptr, FILE_BEGIN);
    ::SetEndOfFile(file.get());
    r.destination = drive + "\\" + std::string(180, 'd');
    r.undo.push_back([filler] { ::DeleteFileA(filler.c_str()); });
}

Case fullDisk(const char* name, int blocks) {
    return {name, [blocks](CaseRun& r) { fillDisk(r, blocks); }, kStoppedOrFinished, kRolledBack};
}

const std::string k400p(400, 'p'), k400t(400, 't');

// An unattended run: in `switches` %D is the case's destination, %G its
// program folder, %P the program-files folder and %A an answer file in the
// package copy, written with `answer` when that is not null.
Prepare unattended(const std::string& switches, const char* logged, const char* answer = nullptr) {
    return [=](CaseRun& r) {
        std::string text = switches;
        const std::string answerFile = r.package + "\\answers.inf";
        const std::pair<const char*, std::string> fills[] = {
            {"%D", r.destination}, {"%G", r.programFolder}, {"%P", kv::programFilesFolder()}, {"%A", answerFile}};
        for (const auto& fill : fills)
            for (std::size_t at; (at = text.find(fill.first)) != std::string::npos;) text.replace(at, 2, fill.second);
        if (answer != nullptr) kvtest::writeFile(answerFile, answer);
        r.switches = text;
        r.logged = logged;
    };
}

// A full disk as in `fullDisk`, met by an unattended run: it takes a stopped
// install back too.
Case fullDiskUnattended(const char* name, int blocks) {
    return {name,
            [blocks](CaseRun& r) {
                fillDisk(r, blocks);
                unattended("\"/dir=%D\" \"/group=%G\"", "result: ")(r);
            },
            kStoppedOrInstalled, kRolledBack};
}

const Case kCases[] = {
    // The package's kvsetup.ini.
    {"intact package", [](CaseRun&) {}},
    {"kvsetup.ini missing", rewrite(kIni, nullptr, kShownBoth), 12, kConsistent},
    {"kvsetup.ini empty", rewrite(kIni, nothing, kShownBoth), 12, kConsistent},
    {"kvsetup.ini binary", rewrite(kIni, binary(4096), kShownBoth), 12, kConsistent},
    {"kvsetup.ini huge", rewrite(kIni, huge)},
    {"kvsetup.ini printf sequences in every value",
     set(kIni, {{"Product", "Product", "%s%n%x Mouse"}, {"Product", "Key", "%n%s.exe"},
                {"Target", "Dir", "Pkg %s %n %x"}, {"Target", "Folder", "Prog %s %n"},
                {"Display Name", "Name", "%s %n %p %%"}, {"Title", "Main", "%n%s"}, {"Title", "CaptionBar", "%s%s%s"},
                {"Icons", "1", "kvtray32.exe,Tray %n %s %x"}})},
    {"kvsetup.ini values longer than their buffers",
     set(kIni, {{"Product", "Product", k400p}, {"Product", "Key", k400p}, {"Target", "Dir", k400t},
                {"Target", "Folder", k400t}}, kShownBoth), 12, kConsistent},
    {"kvsetup.ini bytes no code page defines",
     set(kIni, {{"Product", "Product", "Mouse \x81\x8D\x8F\x90\x9D"}, {"Target", "Dir", "Pkg \x81\x9D"}}), 12,
     kConsistent},
    {"[Target] Dir empty: the program-files folder itself", set(kIni, {{"Target", "Dir", ""}}, kShownDestination)},
    {"[Target] Dir climbs out", set(kIni, {{"Target", "Dir", ".."}}, kShownDestination)},
    {"[Target] Dir a separator", set(kIni, {{"Target", "Dir", "\\"}}, kShownDestination)},
    {"[Target] Folder empty: the Programs folder itself", set(kIni, {{"Target", "Folder", ""}}, kShownProgramFolder)},
    {"[Target] Folder climbs out", set(kIni, {{"Target", "Folder", "..\\.."}}, kShownProgramFolder)},
    {"[Target] Folder absolute", set(kIni, {{"Target", "Folder", "C:\\Elsewhere"}}, kShownProgramFolder)},
    {"[Icons] damaged entries",
     set(kIni, {{"Icons", "1", "nocomma"}, {"Icons", "2", ",,"}, {"Icons", "3", "%n%n%s,%s%s%n,%x"},
                {"Icons", "5", "kvtray32.exe,never read"}})},

    // The language file.
    {"language file missing", rewrite(kLanguageFile, nullptr)},
    {"language file empty", rewrite(kLanguageFile, nothing)},
    {"language file binary", rewrite(kLanguageFile, binary(8192))},
    {"language file huge", rewrite(kLanguageFile, huge)},
    // The texts are never formats: only the placeholder takes the display
    // name, "%%" shows as one "%", and any other "%" sequence stays as written.
    {"language file printf sequences in every text",
     [](CaseRun& r) {
         set(kLanguageFile, everyText("Put %P here %s %d %n %x %p %c %S 100%% %%s %"))(r);
         char name[260] = {};
         ::GetPrivateProfileStringA("Display Name", "Name", "", name, sizeof(name), (r.package + "\\" + kIni).c_str());
         r.namedText = "Put " + std::string(name) + " here %s %d %n %x %p %c %S 100% %s %";
     }},
    {"language file bytes no code page defines", set(kLanguageFile, everyText("\x81\x8D\x8F\x90\x9D \x81"))},

    // The source folder given to DOINSTALL.
    {"source folder null", [](CaseRun& r) { r.nullSource = r.noWizard = true; }, 0, kNothing},
    {"source folder empty", refusedSource(""), 0, kNothing},
    {"source folder of 260 bytes", refusedSource("C:\\" + std::string(257, 's')), 0, kNothing},
    {"source folder of 300 bytes", refusedSource("C:\\" + std::string(297, 's')), 0, kNothing},
    {"source folder of 259 bytes, missing", emptySource([](const CaseRun&) { return "C:\\" + std::string(256, 's'); }),
     12, kConsistent},
    {"source folder relative", emptySource([](const CaseRun&) { return "not-here\\package"; }), 12, kConsistent},
    {"source folder is a file", emptySource([](const CaseRun& r) { return r.package + "\\kvsetup.ini"; }), 12,
     kConsistent},
    {"source folder missing", emptySource([](const CaseRun& r) { return r.package + "-gone"; }), 12, kConsistent},

    // Payload files.
    {"program file missing", remove({"kvhook.dll"}, "kvhook.dll")},
    {"program file of zero bytes", rewrite("kvtray32.exe", nothing)},
    {"program file is a folder",
     [](CaseRun& r) {
         remove({"kvhook.dll"}, "kvhook.dll")(r);
         ::CreateDirectoryA((r.package + "\\kvhook.dll").c_str(), nullptr);
     }},
    {"driver file missing", remove({"KVFLTSYS.SYS"})},
    {"variant folders missing", remove({"3D", "4D"}, "kvdata.dat")},
    {"language files missing", remove({"enu"}, "kvlang.dll")},
    {"uninstaller missing", remove({"kvrem00.exe"}, "kvrem00.exe")},

    // Folders the pages refuse, each in turn: a drive root, relative, relative
    // to the drive, emptied, the program-files folder, characters no file
    // system takes, 300 characters set by a program; the Programs folder's
    // parent. The user then types good ones.
    {"folders the pages refuse",
     [](CaseRun& r) {
         r.refusedDestination = {"C:\\", "Pkg\\Sub", "\\Pkg", "", " ", kv::programFilesFolder() + "\\", "C:\\a<b>|c?",
                                 "C:\\" + std::string(297, 'x')};
         r.refusedProgramFolder = {".."};
     }},

    // Destinations that pass the page but cannot be made or written.
    {"destination on a missing drive", [](CaseRun& r) { r.destination = "Q:\\Pkg"; }, 0, kNothing},
    {"destination occupied by a file", [](CaseRun& r) { kvtest::writeFile(r.destination, "in the way"); }, 0, kNothing},
    {"destination on an unreachable share", [](CaseRun& r) { r.destination = "\\\\kv-no-such-host\\share\\Pkg"; }, 0,
     kNothing},
    {"destination read-only (attribute)",
     [](CaseRun& r) {
         ::CreateDirectoryA(r.destination.c_str(), nullptr);
         ::SetFileAttributesA(r.destination.c_str(), FILE_ATTRIBUTE_READONLY);
     }},
    {"destination unwritable",
     [](CaseRun& r) {
         r.destination = madeFault("locked-folder");
         if (r.destination.empty()) r.skipped = "no immutable folder could be made on this machine";
     },
     0, kNothing},

    // The log.
    {"stale read-only log from an earlier install",
     [](CaseRun& r) {
         ::CreateDirectoryA(r.destination.c_str(), nullptr);
         const std::string log = r.destination + "\\kvrem00.log";
         kvtest::writeFile(log, std::string("\xFF" "C:\\earlier\\file.exe\0", 21));
         ::SetFileAttributesA(log.c_str(), FILE_ATTRIBUTE_READONLY);
     }},
    {"stale log that cannot be replaced",
     [](CaseRun& r) {
         r.destination = madeFault("locked-log-folder");
         if (r.destination.empty()) r.skipped = "no immutable log could be made on this machine";
     },
     0, kNothing},
    {"log name taken by a folder",
     [](CaseRun& r) {
         ::CreateDirectoryA(r.destination.c_str(), nullptr);
         ::CreateDirectoryA((r.destination + "\\kvrem00.log").c_str(), nullptr);
     },
     0, kNothing},

    // Registry keys the run may not write.
    {"auto-start key locked", lock(kv::kRunKey), 12, kConsistent},
    {"uninstall list locked", lock(kUninstallList), 12, kConsistent},
    {"product key locked", lock(kv::kProductKey)},

    // Two calls at once.
    {"second call while the wizard shows", [](CaseRun& r) { r.secondCallOnLanguagePage = true; }},
    {"second call while the files are copied", [](CaseRun& r) { r.secondCallWhileInstalling = true; }},

    // Unattended runs: the wizard's checks, then bad switches and answer files.
    {"unattended: every choice given", unattended("/type=3D \"/dir=%D\" \"/group=%G\"", "result: installed"), 3010},
    {"unattended: no driver file, so no restart",
     [](CaseRun& r) {
         remove({"KVFLTSYS.SYS"})(r);
         unattended("\"/dir=%D\" \"/group=%G\"", "KVFLTSYS.SYS: not on the medium")(r);
     },
     0},
    {"unattended: destination a drive root", unattended("/dir=C:\\ \"/group=%G\"", "refused: the destination"), 1603,
     kNothing},
    {"unattended: destination relative", unattended("/dir=Pkg\\Sub \"/group=%G\"", "refused: the destination"),
     1603, kNothing},
    {"unattended: destination the program-files folder itself",
     unattended("\"/dir=%P\" \"/group=%G\"", "refused: the destination"), 1603, kNothing},
    {"unattended: program folder climbs out", unattended("\"/dir=%D\" /group=..\\..", "refused: the program folder"),
     1603, kNothing},
    {"unattended: unknown switch", unattended("\"/dir=%D\" /quiet", "unknown switch: /quiet"), 1639, kNothing},
    {"unattended: setup type 5D", unattended("\"/dir=%D\" /type=5D", "the setup type is 3D or 4D"), 1639, kNothing},
    {"unattended: unknown language", unattended("\"/dir=%D\" /lang=xyz", "unknown language xyz"), 1639, kNothing},
    {"unattended: answer file missing", unattended("\"/dir=%D\" \"/loadinf=%A\"", "the answer file cannot be read"),
     1639, kNothing},
    {"unattended: answer file with a key it does not know",
     unattended("\"/dir=%D\" \"/loadinf=%A\"", "unknown key in the answer file: folder", "[Setup]\r\nfolder=x\r\n"),
     1639, kNothing},
    {"unattended: answer file of binary bytes",
     unattended("\"/dir=%D\" \"/loadinf=%A\"", "bad answer file", "\x81\x8D[\x01\xff\r\n\x90"), 1639, kNothing},

    // A 256 KiB disk, full at different stages of the install.
    fullDisk("full disk, nothing free", 0),
    fullDisk("full disk, 1 KiB free", 1),
    fullDisk("full disk, 2 KiB free", 2),
    fullDisk("full disk, 4 KiB free", 4),
    fullDisk("full disk, 7 KiB free", 7),
    fullDisk("full disk, 11 KiB free", 11),
    fullDisk("full disk, 16 KiB free", 16),
    fullDisk("full disk, 24 KiB free", 24),
    fullDiskUnattended("unattended: full disk, 4 KiB free", 4),
    fullDiskUnattended("unattended: full disk, 16 KiB free", 16),
};

// ---- what the run left ------------------------------------------------------

bool sameText(const std::string& a, const std::string& b) { return _stricmp(a.c_str(), b.c_str()) == 0; }

bool recorded(const std::vector<kv::LogRecord>& records, std::uint8_t type, const std::string& text) {
    return std::any_of(records.begin(), records.end(),
                       [&](const kv::LogRecord& r) { return r.type == type && sameText(r.text, text); });
}

std::string parentOf(const std::string& path) { return path.substr(0, path.rfind('\\')); }

void expectRecordsSound(const std::vector<kv::LogRecord>& records) {
    for (const kv::LogRecord& r : records) {
        switch (r.type) {
        case kv::kLogFolder:
        case kv::kLogProgramFolder:
            EXPECT_TRUE(kv::isUsableDestination(r.text.c_str())) << "folder record " << r.text;
            break;
        case kv::kLogFile:
        case kv::kLogShortcut:
            EXPECT_TRUE(kv::isOwnFolderPath(parentOf(r.text).c_str(), {}) ||
                        sameText(r.text, kDriverPath))
                << "file record " << r.text;
            break;
        case kv::kLogAutoStartValue:
            EXPECT_EQ(kv::kAutoStartValueName, r.text);
            break;
        case kv::kLogUninstallKey:
            EXPECT_EQ(0u, r.text.rfind(kUninstallList + "\\", 0)) << r.text;
            break;
        default:
            ADD_FAILURE() << "record of unknown type " << int(r.type);
        }
    }
}

// Whatever the run changed, the log names.
void expectEverythingLeftRecorded(const CaseRun& run, const std::vector<kv::LogRecord>& records) {
    const std::string& d = run.destination;
    const std::string programFolder = kvtest::programsFolder() + "\\" + run.programFolder;
    EXPECT_TRUE(!kvtest::fileExists(kDriverPath) || recorded(records, kv::kLogFile, kDriverPath))
        << "driver file installed without its record";
    EXPECT_TRUE(!kvtest::registryValueExists(HKEY_LOCAL_MACHINE, kv::kRunKey, kv::kAutoStartValueName) ||
                recorded(records, kv::kLogAutoStartValue, kv::kAutoStartValueName))
        << "auto-start value without its record";
    EXPECT_TRUE(!kvtest::registryKeyExists(HKEY_LOCAL_MACHINE, kSampleUninstallKey) ||
                recorded(records, kv::kLogUninstallKey, kSampleUninstallKey))
        << "uninstall entry without its record";
    const bool folderRecorded =
        recorded(records, kv::kLogProgramFolder, programFolder) ||
        std::any_of(records.begin(), records.end(), [&](const kv::LogRecord& r) {
            return r.type == kv::kLogShortcut && sameText(parentOf(r.text), programFolder);
        });
    EXPECT_TRUE(!kvtest::fileExists(programFolder) || folderRecorded) << "program folder without its record";
    // Copied but never recorded by design: the uninstaller's helpers, the
    // uninstaller (recorded by the log's path), the log and the settings files.
    // KVCONF.INI is written even when the language's kvconf.ini was not copied.
    const char* const unrecorded[] = {"kvrem32.dll", "kvrem16.exe", "kvrem00.exe", "kvrem00.log", "KvInfo.ini",
                                      "KVCONF.INI"};
    for (const kvtest::TreeEntry& entry : kvtest::treeEntries(d)) {
        if (entry.folder || std::any_of(std::begin(unrecorded), std::end(unrecorded),
                                        [&](const char* u) { return sameText(entry.path, u); }))
            continue;
        EXPECT_TRUE(recorded(records, kv::kLogFile, d + "\\" + entry.path)) << entry.path << " has no record";
    }
}

void expectOutcome(const Case& c, const CaseRun& run, const RunOutcome& outcome) {
    const std::string log = run.destination + "\\kvrem00.log";
    std::vector<std::uint8_t> bytes;
    const bool haveLog = !run.destination.empty() && kvtest::readFileBytes(log, bytes);
    std::vector<kv::LogRecord> records;
    const bool whole = kv::decodeLog(bytes, records);
    const bool stopped = kv::installState.installStopped;
    const int result = c.result == kStoppedOrFinished    ? (stopped ? 0 : 12)
                       : c.result == kStoppedOrInstalled ? (stopped ? 1603 : 3010)
                                                         : c.result;
    EXPECT_EQ(result, outcome.resultCode);
    std::printf("[   INFO   ] %s: ResultCode %d, install %s, %zu whole log records\n", c.name, outcome.resultCode,
                stopped ? "stopped" : "ran through", records.size());
    EXPECT_TRUE((c.result != 12 && c.result != 3010) || !stopped) << "the install stopped";

    if (run.destination != madeFault("locked-log-folder")) {  // that log cannot be replaced
        EXPECT_TRUE(whole) << "the log ends inside a record";
        EXPECT_FALSE(recorded(records, kv::kLogFile, "C:\\earlier\\file.exe")) << "a stale log kept";
        expectRecordsSound(records);
        expectEverythingLeftRecorded(run, records);
    }
    EXPECT_TRUE(run.absentFile == nullptr || !kvtest::fileExists(run.destination + "\\" + run.absentFile))
        << run.absentFile;
    switch (c.installed) {
    case kEverything:
        EXPECT_TRUE(haveLog);
        EXPECT_TRUE(kvtest::fileExists(run.destination + "\\kvtray32.exe") || run.absentFile != nullptr);
        EXPECT_TRUE(recorded(records, kv::kLogProgramFolder, kvtest::programsFolder() + "\\" + run.programFolder));
        EXPECT_TRUE(std::any_of(records.begin(), records.end(),
                                [](const kv::LogRecord& r) { return r.type == kv::kLogUninstallKey; }));
        EXPECT_TRUE(kvtest::registryValueExists(HKEY_LOCAL_MACHINE, kv::kRunKey, kv::kAutoStartValueName));
        break;
    case kRolledBack:
        if (!stopped) break;
        EXPECT_FALSE(haveLog) << "the log of a stopped install";
        EXPECT_FALSE(kvtest::fileExists(run.destination)) << run.destination << " holds " << [&] {
            std::string names;
            for (const kvtest::TreeEntry& e : kvtest::treeEntries(run.destination)) names += e.path + " ";
            for (const kvtest::TreeEntry& e : kvtest::treeEntries(kvtest::programsFolder() + "\\" + run.programFolder))
                names += "(program folder) " + e.path + " ";
            return names;
        }();
        [[fallthrough]];
    case kNothing:
        EXPECT_FALSE(kvtest::fileExists(run.destination + "\\kvtray32.exe"));
        EXPECT_FALSE(kvtest::fileExists(kDriverPath));
        EXPECT_FALSE(kvtest::registryValueExists(HKEY_LOCAL_MACHINE, kv::kRunKey, kv::kAutoStartValueName));
        EXPECT_FALSE(kvtest::registryValueExists(HKEY_LOCAL_MACHINE, kv::kProductKey, "InstallName"));
        EXPECT_FALSE(kvtest::registryValueExists(HKEY_LOCAL_MACHINE, kv::kProductKey, "AppPath"));
        EXPECT_FALSE(kvtest::registryKeyExists(HKEY_LOCAL_MACHINE, kSampleUninstallKey));
        EXPECT_FALSE(kvtest::fileExists(kvtest::programsFolder() + "\\" + run.programFolder));
        break;
    case kConsistent:
        break;
    }
}

void removeInstallation(const CaseRun& run) {
    for (const kv::LogRecord& r : kvtest::readLogRecords(run.destination + "\\kvrem00.log"))
        if (r.type == kv::kLogUninstallKey) kvtest::deleteRegistryTree(HKEY_LOCAL_MACHINE, r.text);
    if (run.destination != madeFault("locked-folder") && run.destination != madeFault("locked-log-folder")) {
        ::SetFileAttributesA(run.destination.c_str(), FILE_ATTRIBUTE_NORMAL);
        ::SetFileAttributesA((run.destination + "\\kvrem00.log").c_str(), FILE_ATTRIBUTE_NORMAL);
        kvtest::removeTree(run.destination);
        ::DeleteFileA(run.destination.c_str());
    }
    kvtest::removeInstallation("", run.programFolder);
}

// ---- the run ----------------------------------------------------------------

// Windows made on the thread of the second call. Counted by a hook on that
// thread alone: the first run's own windows come and go meanwhile, so a
// comparison of the process's windows before and after would race with it.
std::atomic<int> secondCallWindows{0};

LRESULT CALLBACK countWindowCreation(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_CREATEWND) ++secondCallWindows;
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

using UniqueHook = kv::UniqueHandle<kv::HandleTraits<HHOOK, &::UnhookWindowsHookEx>>;

// DOINSTALL again from another thread: it must return 0 at once and make no
// window, while the first run goes on.
void callAgain(Driver& d, const std::string& package) {
    secondCallWindows = 0;
    std::atomic<int> code{-1};
    std::thread second([&] {
        const UniqueHook hook(::SetWindowsHookExA(WH_CBT, countWindowCreation, nullptr, ::GetCurrentThreadId()));
        code = hook ? kv::runSetup(package.c_str()) : -2;
    });
    const bool returned = d.waitUntil([&] { return code.load() != -1; }, 3000, "the second call to return");
    if (!returned) {
        second.detach();  // the driver's close-down would not reach it either
        throw ScriptAbort{};
    }
    second.join();
    d.expectEqual(code, 0, "the second call returns 0");
    d.expectEqual(secondCallWindows.load(), 0, "windows made by the second call");
}

// Next with what the page shows (when it must be refused), then with each
// refused text; the wizard stays on the page every time. Then the good folder.
void takeFolder(Driver& d, int index, bool refuseShown, const std::vector<std::string>& refused,
                const std::string& typed) {
    HWND edit = d.item(d.waitForPage(index), 1018);
    for (std::size_t attempt = refuseShown ? 0 : 1; attempt <= refused.size(); ++attempt) {
        if (attempt > 0) d.setText(edit, refused[attempt - 1]);
        const std::string shown = d.text(edit);
        d.next();
        d.settle();
        d.expect(Driver::pageIndexOf(d.visiblePage()) == index,
                 "Next refused \"" + shown + "\" on page " + std::to_string(index));
    }
    d.setText(edit, typed);
    d.next();
}

void expectNamedText(Driver& d, const CaseRun& run, HWND page) {
    if (!run.namedText.empty())
        d.expectEqual(d.text(d.item(page, 1003)), run.namedText, "the text naming the product");
}

// A stopped install was taken back: its finish page must say so, not claim
// success, and offer no restart.
void expectFinishPage(Driver& d, const CaseRun& run, HWND finish) {
    const bool stopped = kv::installState.installStopped;
    if (!stopped) return expectNamedText(d, run, finish);
    const kv::LanguageStrings& s = kv::languageStrings;
    d.expectEqual(d.text(d.frame()), kv::textOrEmpty(s.stoppedTitle), "the stopped install's title");
    d.expectEqual(d.text(d.item(finish, 1003)),
                  std::string(kv::fillStringPlaceholder(kv::textOrEmpty(s.stoppedText),
                                                        kv::textOrEmpty(kv::setupConfig.displayName))
                                  .c_str()),
                  "the stopped install's text");
    d.expectEqual(d.text(d.item(finish, 1006)), kv::textOrEmpty(s.stoppedReasonText), "why it stopped");
    for (const int radio : {1016, 1020})
        d.expect(!::IsWindowVisible(d.item(finish, radio)), "a restart offered after a stopped install");
}

Script installScript(const CaseRun& run) {
    return [&run](Driver& d) {
        d.waitForPage(kLanguage);
        if (run.secondCallOnLanguagePage) callAgain(d, run.package);
        expectNamedText(d, run, d.walkTo(kDestination));
        takeFolder(d, kDestination, run.refuseShownDestination, run.refusedDestination, run.destination);
        takeFolder(d, kProgramFolder, run.refuseShownProgramFolder, run.refusedProgramFolder, run.programFolder);
        d.waitForPage(kInformation);
        d.next();
        if (run.secondCallWhileInstalling) {
            d.waitForProgressDialog();
            callAgain(d, run.package);
        }
        HWND finish = d.waitForPage(kFinish, 60000);
        expectFinishPage(d, run, finish);
        kvtest::finish(d, finish, false);
    };
}

class BadInput : public ::testing::TestWithParam<Case> {};

// gtest shows each case by its name rather than by its bytes.
void PrintTo(const Case& c, std::ostream* out) { *out << c.name; }

TEST_P(BadInput, LeavesOnlyWhatItsLogRecords) {
    const Case& c = GetParam();
    static int number = 0;
    // An installed product (left by an earlier program of the session) makes
    // the destination page propose its folder instead of the case's.
    kvtest::deleteRegistryTree(HKEY_LOCAL_MACHINE, kv::kProductKey);
    CaseRun run;
    run.package = kvtest::makeTempFolder("bad-package");
    ASSERT_TRUE(kvtest::copyTree(kvtest::stagedPackageDir(), run.package));
    run.source = run.package;
    run.destination = kvtest::makeTempFolder("bad-destination") + "\\Pkg " + std::to_string(++number);
    run.programFolder = "KV Bad Input " + std::to_string(::GetCurrentProcessId()) + " " + std::to_string(number);
    c.prepare(run);
    if (!run.skipped.empty()) {
        std::printf("[ SKIPPED  ] %s: %s\n", c.name, run.skipped.c_str());
        for (auto undo = run.undo.rbegin(); undo != run.undo.rend(); ++undo) (*undo)();
        GTEST_SKIP() << run.skipped;
    }
    kvtest::removeInstallation("", run.programFolder);

    // The launcher runs from the medium: the package is the current folder.
    char previous[MAX_PATH] = {};
    ::GetCurrentDirectoryA(sizeof(previous), previous);
    ::SetCurrentDirectoryA(run.package.c_str());
    const Script refused = [](Driver& d) {
        ::Sleep(300);
        d.expectEqual(d.mainWindow(), nullptr, "no window for a refused source folder");
    };
    const bool null = run.nullSource;
    const std::string stepLog = run.package + "-steps.log";
    RunOutcome outcome;
    if (!run.switches.empty())
        outcome.resultCode =
            kv::runSetupWithOptions(run.source.c_str(), ("/s \"/log=" + stepLog + "\" " + run.switches).c_str());
    else
        outcome = runScripted([null](const char* folder) { return kv::runSetup(null ? nullptr : folder); }, run.source,
                              run.noWizard ? refused : installScript(run));
    ::SetCurrentDirectoryA(previous);
    run.locks.clear();

    kvtest::expectNoScriptFailures(outcome);
    expectOutcome(c, run, outcome);
    if (!run.switches.empty()) {
        const std::string steps = fileText(stepLog);
        EXPECT_NE(std::string::npos, steps.find(run.logged)) << steps;
        EXPECT_NE(std::string::npos, steps.find("result: ")) << steps;
        ::DeleteFileA(stepLog.c_str());
    }
    removeInstallation(run);
    for (auto undo = run.undo.rbegin(); undo != run.undo.rend(); ++undo) (*undo)();
    kvtest::removeTree(run.package);
}

std::string caseName(const ::testing::TestParamInfo<Case>& info) {
    std::string name = std::to_string(info.index) + "_";
    for (const char* p = info.param.name; *p; ++p) name += std::isalnum(static_cast<unsigned char>(*p)) ? *p : '_';
    return name;
}

INSTANTIATE_TEST_SUITE_P(Cases, BadInput, ::testing::ValuesIn(kCases), caseName);

}  // namespace
