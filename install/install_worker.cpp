// The file worker: the slow part of an installation, on a thread of its own.
#include "base/bounded_format.h"
#include "base/planted_link.h"
#include "base/win.h"
#include "install/install_state.h"
#include "common/step_report.h"
#include "common/shared_folders.h"
#include "install/create_directory_tree.h"
#include "install/earlier_installation.h"
#include "install/earlier_log.h"
#include "install/file_table.h"
#include "install/install_steps.h"
#include "common/log_codec.h"
#include "install/platform_setup.h"
#include "common/registry_key.h"
#include "install/settings_transfer.h"
#include "install/usb_filter_removal.h"

namespace kv {
namespace {

constexpr char kResourceFolderName[] = "RES";

const char* variantFolder() { return installState.setupTypeFirst ? "3D" : "4D"; }

// The record of a file just copied; when it cannot be written the copy is
// removed again and the installation stops.
bool recordFile(const char* path) {
    if (installState.appendLogRecord(kLogFile, path)) return true;
    ::DeleteFileA(path);
    return false;
}

// The record of a folder made by the installation; when it cannot be written
// the folder goes again if nothing recorded lies in it.
void recordFolder(const char* path) {
    if (!installState.appendLogRecord(kLogFolder, path)) ::RemoveDirectoryA(path);
}

const char* copyFailureReason(DWORD error) {
    switch (error) {
    case ERROR_FILE_NOT_FOUND: return "not on the medium";
    case ERROR_PATH_NOT_FOUND: return "its folder or the destination folder is missing";
    case ERROR_ACCESS_DENIED: return "access denied";
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL: return "the disk is full";
    case ERROR_SHARING_VIOLATION: return "the file is in use";
    default: return "the copy failed";
    }
}

// Copies over an existing file, but never through a link planted under its
// name. What a failed copy left of a file that was not there before (a full
// disk leaves a stub) goes again.
bool copyOver(const char* source, const char* destination) {
    if (!removePlantedLink(destination)) return false;
    const bool existed = ::GetFileAttributesA(destination) != INVALID_FILE_ATTRIBUTES;
    if (::CopyFileA(source, destination, FALSE)) {
        reportStep("copied %s to %s", source, destination);
        return true;
    }
    const DWORD error = ::GetLastError();
    if (!existed) ::DeleteFileA(destination);
    reportStep("skipped %s: %s (error %lu)", source, copyFailureReason(error), static_cast<unsigned long>(error));
    return false;
}

// Only a copy that succeeded is recorded; a failed copy is skipped and the
// installation goes on.
void copyAndLog(const char* source, const char* destination) {
    if (installState.canInstall() && copyOver(source, destination)) recordFile(destination);
}

// "<from>\<name>" to "<destination folder>\<name>". A path that does not fit
// its 260 bytes is refused, and so is the copy.
void copyFromFolder(const char* from, int index, bool log, bool makeFolder = false) {
    char source[kPathCapacity];
    char destination[kPathCapacity];
    if (!installState.canInstall() ||
        !formatInto(source, "%s\\%s", from, kFileTable[index]) ||
        !formatInto(destination, "%s\\%s", installState.destinationDir, kFileTable[index]))
        return;
    if (makeFolder) CreateDirectoryTree(destination, true);
    if (log)
        copyAndLog(source, destination);
    else
        copyOver(source, destination);
}

void copyFromSubfolder(const char* subfolder, int index) {
    char source[kPathCapacity];
    char destination[kPathCapacity];
    if (!formatInto(source, "%s\\%s\\%s", installState.sourceDir, subfolder, kFileTable[index]) ||
        !formatInto(destination, "%s\\%s", installState.destinationDir, kFileTable[index]))
        return;
    copyAndLog(source, destination);
}

void copyDriverFile() {
    char windowsFolder[kPathCapacity];
    const UINT length = ::GetWindowsDirectoryA(windowsFolder, sizeof(windowsFolder));
    if (length == 0 || length >= sizeof(windowsFolder)) return;
    char source[kPathCapacity];
    char destination[kPathCapacity];
    if (!formatInto(source, "%s\\%s", installState.startDir, kFileTable[kFilterDriverFile]) ||
        !formatInto(destination, "%s\\system32\\Drivers\\%s", windowsFolder,
                    kFileTable[kFilterDriverFile]))
        return;
    // "Drivers" is not created here.
    if (installState.canInstall() && copyOver(source, destination) && recordFile(destination))
        installState.driverInstalled = true;
}

void copyUninstallText() {
    const char* code = installState.languageCode;
    if (code == nullptr) return;
    char source[kPathCapacity];
    char destination[kPathCapacity];
    if (!formatInto(source, "%s\\%s%s.%s", installState.sourceDir, kFileTable[kLanguageSubfolder],
                    kFileTable[kUninstallTextStem], code) ||
        !formatInto(destination, "%s\\%s.un2", installState.destinationDir,
                    kFileTable[kUninstallTextStem]))
        return;
    copyAndLog(source, destination);
}

// The uninstaller is recorded by the log's own path: removing the log is
// the uninstaller's last act.
void copyUninstaller(const char* logPath) {
    char source[kPathCapacity];
    char destination[kPathCapacity];
    if (!installState.canInstall() ||
        !formatInto(source, "%s\\%s", installState.sourceDir, kFileTable[kUninstallerProgram]) ||
        !formatInto(destination, "%s\\%s", installState.destinationDir,
                    kFileTable[kUninstallerProgram]))
        return;
    if (copyOver(source, destination) && !installState.appendLogRecord(kLogFile, logPath))
        ::DeleteFileA(destination);
}

void runDriverSetup(RegistryKey& key) {
    if (installState.is95Family()) {
        runSetupProgram();
        runRestartCheck(key);
    } else if (installState.osIsOtherNt()) {
        runNtSetupLibrary();
    }
    // Windows 2000 and XP: nothing to run.
}

// The destination folder and the log, before anything is changed: without
// them nothing could be recorded, so nothing is installed (false). A log
// left open by an earlier installation never receives this one's records.
bool openDestination(char (&logPath)[kPathCapacity]) {
    installState.uninstallLog.close();
    const char* destination = installState.destinationDir;
    char resourceFolder[kPathCapacity];
    // A folder that is a link would take every file somewhere else.
    if (!isUsableDestination(destination) ||
        !formatInto(logPath, "%s\\%s", destination, kFileTable[kUninstallLogName]) ||
        !formatInto(resourceFolder, "%s\\%s", destination, kResourceFolderName) ||
        isLinkedFolder(destination) || isLinkedFolder(resourceFolder))
        return false;
    const bool existed = folderExists(destination);
    if (!CreateDirectoryTree(destination, false)) return false;
    EarlierLog earlier;
    earlier.read(logPath);
    if (installState.uninstallLog.create(logPath)) return earlier.carryInto(installState.uninstallLog);
    if (!existed) ::RemoveDirectoryA(destination);
    return false;
}

void runWorkerSteps() {
    char logPath[kPathCapacity];
    if (!openDestination(logPath)) {
        reportStep("stopped: the destination folder or its uninstall log %s could not be made",
                   installState.destinationDir);
        installState.stopInstall();
        return;
    }
    removeEarlierInstallation();
    RegistryKey key;
    RemoveUsbLowerFilter();
    runDriverSetup(key);

    for (int i = kFirstProgramFile; i <= kLastProgramFile; ++i)
        copyFromFolder(installState.sourceDir, i, true, true);
    copyDriverFile();
    for (int i = kFirstUninstallSupport; i <= kLastUninstallSupport; ++i)
        copyFromFolder(installState.sourceDir, i, false);

    char resourceFolder[kPathCapacity];
    const bool haveResourceFolder =
        formatInto(resourceFolder, "%s\\%s", installState.destinationDir, kResourceFolderName);
    if (haveResourceFolder && installState.canInstall()) CreateDirectoryTree(resourceFolder, false);

    // Entry 8 lands in the resource folder: names are not case-sensitive.
    for (int i = kFirstVariantFile; i <= kLastVariantFile; ++i)
        copyFromSubfolder(variantFolder(), i);
    if (installState.languageCode != nullptr)
        for (int i = kFirstLanguageFile; i <= kLastLanguageFile; ++i)
            copyFromSubfolder(installState.languageCode, i);

    if (haveResourceFolder && installState.canInstall()) recordFolder(resourceFolder);
    copyUninstallText();
    copyUninstaller(logPath);

    if (installState.canInstall()) recordFolder(installState.destinationDir);
    if (installState.canInstall()) transferSettings();
}

}  // namespace

unsigned __stdcall InstallWorker(void* /*argument*/) {
    installState.setWorkerBusy(1);
    installState.installStopped = false;
    // Out of memory in a step skips what needed it; the dialog must still
    // learn that the worker has ended.
    runWorkerSteps();
    installState.setWorkerBusy(0);  // last: publishes every file and log write
    return 0;
}

}  // namespace kv
