#include "removal/removal_run.h"

#include "base/bounded_format.h"
#include "base/heap_string.h"
#include "base/heap_vector.h"
#include "base/unique_handle.h"
#include "common/log_codec.h"
#include "common/registration_names.h"
#include "removal/pending_delete.h"
#include "removal/removal_plan.h"

namespace kv {
namespace {

constexpr char kLogName[] = "kvrem00.log";
constexpr char kUninstallerName[] = "kvrem00.exe";
constexpr char kDriverName[] = "KVFLTSYS.SYS";
// Written by the engine without a record in the log.
constexpr const char* kUnrecordedFiles[] = {"KvInfo.ini", "KVCONF.INI", "kvrem32.dll", "kvrem16.exe"};
constexpr const char* kProductValues[] = {"InstallName", "SubInstallName", "AppPath", "ProductName", "ProductKey"};
constexpr DWORD kLargestLog = 1 << 20;

bool ansiLead(unsigned char byte) { return ::IsDBCSLeadByte(byte) != 0; }

bool readRegistryText(HKEY root, const char* key, const char* value, char (&out)[kPathCapacity]) {
    out[0] = 0;
    UniqueRegKey opened;
    if (::RegOpenKeyExA(root, key, 0, KEY_QUERY_VALUE, opened.put()) != ERROR_SUCCESS) return false;
    DWORD type = 0, size = sizeof(out) - 1;
    if (::RegQueryValueExA(opened.get(), value, nullptr, &type, reinterpret_cast<BYTE*>(out), &size) !=
            ERROR_SUCCESS ||
        (type != REG_SZ && type != REG_EXPAND_SZ)) {
        out[0] = 0;
        return false;
    }
    out[size < sizeof(out) ? size : sizeof(out) - 1] = 0;
    return true;
}

bool trimmedFolder(char (&folder)[kPathCapacity], UINT length) {
    if (length == 0 || length >= sizeof(folder)) {
        folder[0] = 0;
        return false;
    }
    while (length > 3 && folder[length - 1] == '\\') folder[--length] = 0;
    return true;
}

// The running system's folders, each held here.
struct SystemFolders {
    char windows[kPathCapacity] = {};
    char system[kPathCapacity] = {};
    char programFiles[kPathCapacity] = {};
    char programs[kPathCapacity] = {};
    char driverFile[kPathCapacity] = {};

    void gather() {
        trimmedFolder(windows, ::GetWindowsDirectoryA(windows, sizeof(windows)));
        trimmedFolder(system, ::GetSystemDirectoryA(system, sizeof(system)));
        readRegistryText(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion", "ProgramFilesDir",
                         programFiles);
        readRegistryText(HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders",
                         "Programs", programs);
        // Where the engine copies the driver, on every platform.
        if (windows[0] && !formatInto(driverFile, "%s\\system32\\Drivers\\%s", windows, kDriverName))
            driverFile[0] = 0;
    }
};

bool readLog(const char* path, Vector<std::uint8_t>& bytes, bool& missing) {
    UniqueFile file(::CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                                  nullptr));
    missing = !file;
    if (!file) return false;
    const DWORD size = ::GetFileSize(file.get(), nullptr);
    if (size == INVALID_FILE_SIZE || size > kLargestLog || !bytes.reserve(size + 1)) return false;
    std::uint8_t chunk[512];
    DWORD read = 0;
    while (::ReadFile(file.get(), chunk, sizeof(chunk), &read, nullptr) && read > 0)
        for (DWORD i = 0; i < read; ++i)
            if (!bytes.push_back(chunk[i])) return false;
    return bytes.size() == size;
}

class Remover {
public:
    Remover(const RemovalOptions& options, RemovalAccount& account)
        : options_(options), account_(account), restart_(options.ntFamily) {}

    RemovalSummary run();
    void finishAfterUninstaller();

private:
    void report(ItemOutcome outcome, const char* kind, const char* what, const char* why = "");
    void reportDelete(DeleteOutcome outcome, const char* kind, const char* what);
    void act(const PlannedRecord& record, const char* text);
    void removeUninstallKey(const char* key);
    void removeAutoStartValue();
    void removeProductValues();
    bool removeFilterBeforeDriver();  // false while a device may still name the driver
    void removeFolder(const char* path, const char* kind);
    void removeUnrecordedFiles();
    void commitRestart();
    bool inInstallation(const char* command) const;

    const RemovalOptions& options_;
    RemovalAccount& account_;
    RestartDeletes restart_;
    SystemFolders system_;
    RemovalSummary summary_;
    bool filterRemoved_ = false;
    const char* filterDoubt_ = nullptr;
};

void Remover::report(ItemOutcome outcome, const char* kind, const char* what, const char* why) {
    switch (outcome) {
        case ItemOutcome::Removed: ++summary_.removed; break;
        case ItemOutcome::AtRestart: ++summary_.atRestart; break;
        case ItemOutcome::Kept: ++summary_.kept; break;
        case ItemOutcome::Skipped: ++summary_.skipped; break;
        case ItemOutcome::Failed: ++summary_.failed; break;
        case ItemOutcome::Absent: break;
    }
    account_.item(outcome, kind, what, why);
}

void Remover::reportDelete(DeleteOutcome outcome, const char* kind, const char* what) {
    switch (outcome) {
        case DeleteOutcome::Removed: report(ItemOutcome::Removed, kind, what); break;
        case DeleteOutcome::Absent: report(ItemOutcome::Absent, kind, what, "not there"); break;
        case DeleteOutcome::AtRestart: report(ItemOutcome::AtRestart, kind, what, "in use"); break;
        case DeleteOutcome::NotEmpty: report(ItemOutcome::Kept, kind, what, "not empty"); break;
        case DeleteOutcome::Failed: report(ItemOutcome::Failed, kind, what, "cannot be deleted"); break;
    }
}

bool Remover::inInstallation(const char* command) const {
    const char* program = nullptr;
    const std::size_t length = commandProgram(command, &program);
    return pathIsBelow(program, length, options_.installation, ansiLead);
}

void Remover::removeUninstallKey(const char* key) {
    char command[kPathCapacity];
    UniqueRegKey opened;
    if (::RegOpenKeyExA(HKEY_LOCAL_MACHINE, key, 0, KEY_QUERY_VALUE, opened.put()) != ERROR_SUCCESS) {
        report(ItemOutcome::Absent, "uninstall key", key, "not there");
        return;
    }
    opened.reset();
    // A later install into another folder owns the entry now.
    if (readRegistryText(HKEY_LOCAL_MACHINE, key, "UninstallString", command) && !inInstallation(command)) {
        report(ItemOutcome::Kept, "uninstall key", key, "it names another installation");
        return;
    }
    if (::RegDeleteKeyA(HKEY_LOCAL_MACHINE, key) == ERROR_SUCCESS)
        report(ItemOutcome::Removed, "uninstall key", key);
    else
        report(ItemOutcome::Failed, "uninstall key", key, "cannot be deleted");
}

void Remover::removeAutoStartValue() {
    static const char kWhat[] = "HKLM\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run\\QRXTARNWELDMOUSE";
    char command[kPathCapacity];
    if (!readRegistryText(HKEY_LOCAL_MACHINE, kRunKey, kAutoStartValueName, command)) {
        report(ItemOutcome::Absent, "auto-start value", kWhat, "not there");
        return;
    }
    if (!inInstallation(command)) {
        report(ItemOutcome::Kept, "auto-start value", kWhat, "it starts another installation's program");
        return;
    }
    UniqueRegKey run;
    if (::RegOpenKeyExA(HKEY_LOCAL_MACHINE, kRunKey, 0, KEY_SET_VALUE, run.put()) == ERROR_SUCCESS &&
        ::RegDeleteValueA(run.get(), kAutoStartValueName) == ERROR_SUCCESS)
        report(ItemOutcome::Removed, "auto-start value", kWhat);
    else
        report(ItemOutcome::Failed, "auto-start value", kWhat, "cannot be deleted");
}

void Remover::removeProductValues() {
    static const char kWhat[] = "HKLM\\Software\\TARNWELDMouse";
    char appPath[kPathCapacity];
    const bool stopped = options_.stoppedInstallProgramFolder != nullptr;
    if (!readRegistryText(HKEY_LOCAL_MACHINE, kProductKey, "AppPath", appPath) && !stopped) {
        report(ItemOutcome::Absent, "product values", kWhat, "not there");
        return;
    }
    if (appPath[0] && !samePath(appPath, options_.installation, ansiLead)) {
        report(ItemOutcome::Kept, "product values", kWhat, "they name another installation");
        return;
    }
    UniqueRegKey key;
    if (::RegOpenKeyExA(HKEY_LOCAL_MACHINE, kProductKey, 0, KEY_SET_VALUE | KEY_QUERY_VALUE, key.put()) !=
        ERROR_SUCCESS) {
        report(ItemOutcome::Failed, "product values", kWhat, "cannot be opened");
        return;
    }
    for (const char* name : kProductValues) ::RegDeleteValueA(key.get(), name);
    DWORD subkeys = 1, values = 1;
    const bool empty = ::RegQueryInfoKeyA(key.get(), nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, &values,
                                          nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS &&
                       subkeys == 0 && values == 0;
    key.reset();
    // The key goes only when nothing else is in it (on the 95 family a
    // delete would take its subkeys along).
    if (empty) ::RegDeleteKeyA(HKEY_LOCAL_MACHINE, kProductKey);
    report(ItemOutcome::Removed, "product values", kWhat);
}

bool Remover::removeFilterBeforeDriver() {
    if (filterRemoved_) return filterDoubt_ == nullptr;
    filterRemoved_ = true;
    const DeviceFilterResult result = removeFilterDriverFromDevices(options_.filterPlatform, options_.usbWalk95);
    filterDoubt_ = result.doubt;
    if (result.changed > 0) report(ItemOutcome::Removed, "device filters", "lower filters naming the filter driver");
    if (filterDoubt_ != nullptr) report(ItemOutcome::Failed, "device filters", "lower filters", filterDoubt_);
    return filterDoubt_ == nullptr;
}

void Remover::removeFolder(const char* path, const char* kind) {
    reportDelete(removeFolderNowOrAtRestart(path, restart_.anyBelow(path), restart_), kind, path);
}

void Remover::act(const PlannedRecord& record, const char* text) {
    switch (record.type) {
        case kLogUninstallKey: removeUninstallKey(text); break;
        case kLogShortcut: reportDelete(deleteFileNowOrAtRestart(text, restart_), "shortcut", text); break;
        case kLogProgramFolder: removeFolder(text, "program folder"); break;
        case kLogAutoStartValue: removeAutoStartValue(); break;
        case kLogFile:
            if (samePath(text, system_.driverFile, ansiLead)) {
                if (options_.keepDriverFile) {
                    report(ItemOutcome::Kept, "file", text, "the new installation uses it");
                    break;
                }
                // A device naming a missing filter does not start.
                if (!removeFilterBeforeDriver()) {
                    report(ItemOutcome::Failed, "file", text, "a device may still name it");
                    break;
                }
            }
            reportDelete(deleteFileNowOrAtRestart(text, restart_), "file", text);
            break;
        default:
            if (options_.uninstallerStillRunning && samePath(text, options_.installation, ansiLead)) break;
            removeFolder(text, "folder");
            break;
    }
}

void Remover::removeUnrecordedFiles() {
    for (const char* name : kUnrecordedFiles) {
        char path[kPathCapacity];
        if (formatInto(path, "%s\\%s", options_.installation, name))
            reportDelete(deleteFileNowOrAtRestart(path, restart_), "file", path);
    }
    char self[kPathCapacity];
    if (!options_.uninstallerStillRunning && formatInto(self, "%s\\%s", options_.installation, kUninstallerName))
        reportDelete(deleteFileNowOrAtRestart(self, restart_), "file", self);
}

void Remover::commitRestart() {
    if (restart_.commit()) return;
    report(ItemOutcome::Failed, "restart list", "WININIT.INI", "cannot be written");
    summary_.failed += summary_.atRestart;
    summary_.atRestart = 0;
}

RemovalSummary Remover::run() {
    char logPath[kPathCapacity];
    if (!formatInto(logPath, "%s\\%s", options_.installation, kLogName)) {
        summary_.status = RemovalStatus::NotPermitted;
        summary_.why = "the folder's name is too long";
        return summary_;
    }
    Vector<std::uint8_t> log;
    bool missing = false;
    if (!readLog(logPath, log, missing)) {
        summary_.status = missing ? RemovalStatus::NoLog : RemovalStatus::MalformedLog;
        summary_.why = missing ? "there is no uninstall log" : "the uninstall log cannot be read";
        return summary_;
    }
    const LogCheck check = checkRemovalLog(log.begin(), log.size());
    if (check != LogCheck::Sound) {
        summary_.status = RemovalStatus::MalformedLog;
        summary_.why = logCheckText(check);
        return summary_;
    }
    system_.gather();
    RemovalFolders folders;
    folders.installation = options_.installation;
    folders.windows = system_.windows;
    folders.system = system_.system;
    folders.programFiles = system_.programFiles;
    folders.startMenuPrograms = system_.programs;
    folders.driverFile = system_.driverFile;
    if (options_.stoppedInstallProgramFolder != nullptr) folders.knownProgramFolder = options_.stoppedInstallProgramFolder;
    if (installationFolderRefused(folders, ansiLead)) {
        summary_.status = RemovalStatus::NotPermitted;
        summary_.why = "the log lies in a drive root or a system folder";
        return summary_;
    }
    Vector<PlannedRecord> plan;
    if (!planRemoval(log.begin(), log.size(), folders, ansiLead, plan)) {
        summary_.status = RemovalStatus::OutOfMemory;
        summary_.why = "out of memory";
        return summary_;
    }

    const unsigned total = static_cast<unsigned>(plan.size()) + 2;
    unsigned done = 0;
    bool productValuesDone = false, unrecordedDone = false;
    for (const PlannedRecord& record : plan) {
        account_.progress(done++, total);
        if (!productValuesDone && (record.type == kLogFile || record.type == kLogFolder)) {
            removeProductValues();
            productValuesDone = true;
        }
        if (!unrecordedDone && record.type == kLogFolder) {
            unrecordedDone = true;
            removeUnrecordedFiles();
        }
        String text(reinterpret_cast<const char*>(log.begin() + record.offset), record.length);
        if (text.failed()) {
            report(ItemOutcome::Failed, logRecordTypeName(record.type), "", "out of memory");
            continue;
        }
        if (record.verdict != Verdict::Act) {
            report(ItemOutcome::Skipped, logRecordTypeName(record.type), text.c_str(), verdictText(record.verdict));
            continue;
        }
        act(record, text.c_str());
    }
    if (!productValuesDone) removeProductValues();
    if (!unrecordedDone) removeUnrecordedFiles();
    account_.progress(total - 1, total);
    commitRestart();
    account_.progress(total, total);
    return summary_;
}

void Remover::finishAfterUninstaller() {
    char self[kPathCapacity];
    if (!formatInto(self, "%s\\%s", options_.installation, kUninstallerName)) return;
    // The first process has ended, but its file may stay mapped a moment.
    DeleteOutcome outcome = DeleteOutcome::Failed;
    for (int attempt = 0; attempt < 50; ++attempt) {
        if (::DeleteFileA(self) || ::GetLastError() == ERROR_FILE_NOT_FOUND) {
            outcome = DeleteOutcome::Removed;
            break;
        }
        ::Sleep(100);
    }
    if (outcome != DeleteOutcome::Removed) outcome = deleteFileNowOrAtRestart(self, restart_);
    reportDelete(outcome, "file", self);
    // This remover did not queue what the removal left for the restart, so
    // a folder still holding something is queued after it: the restart
    // deletes it once it is empty, and leaves it otherwise.
    reportDelete(removeFolderNowOrAtRestart(options_.installation, true, restart_), "folder", options_.installation);
    commitRestart();
}

}  // namespace

const char* itemOutcomeText(ItemOutcome outcome) {
    switch (outcome) {
        case ItemOutcome::Removed: return "removed";
        case ItemOutcome::AtRestart: return "removed at restart";
        case ItemOutcome::Absent: return "not present";
        case ItemOutcome::Kept: return "kept";
        case ItemOutcome::Skipped: return "skipped";
        case ItemOutcome::Failed: return "not removed";
    }
    return "";
}

RemovalSummary removeInstallation(const RemovalOptions& options, RemovalAccount& account) {
    Remover remover(options, account);
    return remover.run();
}

void removeAfterUninstaller(const RemovalOptions& options, RemovalAccount& account) {
    Remover remover(options, account);
    remover.finishAfterUninstaller();
}

}  // namespace kv
