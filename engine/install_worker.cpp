// The file worker: the slow part of an installation, on a thread of its own.
#include "base/bounded_format.h"
#include "base/win.h"
#include "core/install_state.h"
#include "engine/create_directory_tree.h"
#include "engine/file_table.h"
#include "engine/install_steps.h"
#include "engine/log_record.h"
#include "engine/platform_setup.h"
#include "engine/registry_key.h"
#include "engine/settings_transfer.h"
#include "engine/usb_filter_removal.h"

namespace kv {
namespace {

constexpr char kResourceFolderName[] = "RES";

const char* variantFolder() { return installState.setupTypeFirst == 1 ? "3D" : "4D"; }

// Copies over an existing file; only a copy that succeeded is recorded.
bool copyAndLog(const char* source, const char* destination) {
    if (!::CopyFileA(source, destination, FALSE)) return false;
    installState.appendLogRecord(destination);
    return true;
}

// "<from>\<name>" to "<destination folder>\<name>". A path that does not fit
// its 260 bytes is refused, and so is the copy.
void copyFromFolder(const char* from, int index, bool log, bool makeFolder = false) {
    char source[kPathCapacity];
    char destination[kPathCapacity];
    if (!formatInto(source, "%s\\%s", from, kFileTable[index]) ||
        !formatInto(destination, "%s\\%s", installState.destinationDir, kFileTable[index]))
        return;
    if (makeFolder) CreateDirectoryTree(destination, true);
    if (log)
        copyAndLog(source, destination);
    else
        ::CopyFileA(source, destination, FALSE);
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
    copyAndLog(source, destination);  // "Drivers" is not created here
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
    if (!formatInto(source, "%s\\%s", installState.sourceDir, kFileTable[kUninstallerProgram]) ||
        !formatInto(destination, "%s\\%s", installState.destinationDir,
                    kFileTable[kUninstallerProgram]))
        return;
    if (::CopyFileA(source, destination, FALSE) && logPath != nullptr)
        installState.appendLogRecord(logPath);
}

void runDriverSetup(RegistryKey& key) {
    if (installState.is95Family()) {
        runSetupProgram();
        runRestartCheck(key);
    } else if (installState.osIsOtherNt) {
        runNtSetupLibrary();
    }
    // Windows 2000 and XP: nothing to run.
}

void runWorkerSteps() {
    RegistryKey key;
    RemoveUsbLowerFilter();
    runDriverSetup(key);

    CreateDirectoryTree(installState.destinationDir, false);
    // When the log cannot be created it stays closed and every record below
    // is dropped; the files are still installed. A log left open by an
    // earlier installation never receives this one's records.
    installState.uninstallLog.close();
    char logPath[kPathCapacity];
    const bool haveLogPath = formatInto(logPath, "%s\\%s", installState.destinationDir,
                                        kFileTable[kUninstallLogName]);
    if (haveLogPath) installState.uninstallLog.create(logPath);

    installState.logRecordType = kLogFile;
    for (int i = kFirstProgramFile; i <= kLastProgramFile; ++i)
        copyFromFolder(installState.sourceDir, i, true, true);
    copyDriverFile();
    for (int i = kFirstUninstallSupport; i <= kLastUninstallSupport; ++i)
        copyFromFolder(installState.sourceDir, i, false);

    char resourceFolder[kPathCapacity];
    const bool haveResourceFolder =
        formatInto(resourceFolder, "%s\\%s", installState.destinationDir, kResourceFolderName);
    if (haveResourceFolder) CreateDirectoryTree(resourceFolder, false);

    // Entry 8 lands in the resource folder: names are not case-sensitive.
    for (int i = kFirstVariantFile; i <= kLastVariantFile; ++i)
        copyFromSubfolder(variantFolder(), i);
    if (installState.languageCode != nullptr)
        for (int i = kFirstLanguageFile; i <= kLastLanguageFile; ++i)
            copyFromSubfolder(installState.languageCode, i);

    if (haveResourceFolder) {
        installState.logRecordType = kLogFolder;
        installState.appendLogRecord(resourceFolder);
        installState.logRecordType = kLogFile;
    }
    copyUninstallText();
    copyUninstaller(haveLogPath ? logPath : nullptr);

    installState.logRecordType = kLogFolder;
    installState.appendLogRecord(installState.destinationDir);

    transferSettings();
}

}  // namespace

unsigned __stdcall InstallWorker(void* /*argument*/) {
    installState.setWorkerBusy(1);
    // Out of memory in a step skips what needed it; the dialog must still
    // learn that the worker has ended.
    runWorkerSteps();
    installState.setWorkerBusy(0);  // last: publishes every file and log write
    return 0;
}

}  // namespace kv
