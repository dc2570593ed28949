// The launcher a package medium ships beside kvsetup.dll: it runs the setup
// engine on its own folder and performs the restart that the engine asks for;
// with /s it runs an unattended install and returns its exit code instead.
#include "base/bounded_format.h"
#include "base/computer_restart.h"
#include "base/proc_address.h"
#include "base/program_folder.h"
#include "base/unique_handle.h"
#include "common/exit_codes.h"
#include "common/running_setup_window.h"
#include "common/setup_options.h"
#include "common/single_instance.h"
#include "launcher/console_print.h"
#include "launcher/launcher_report.h"
#include "launcher/restart_kind.h"

#include <cstring>

namespace {

using DoInstallFn = int(WINAPI*)(const char*);
using DoInstallExFn = int(WINAPI*)(const char*, const char*);

// A file named relative to where the administrator started the launcher,
// made absolute before the launcher moves into the source folder (often a
// read-only medium). False when the full path does not fit.
bool makeAbsolute(char (&path)[kv::kOptionTextCapacity]) {
    if (path[0] == '\0') return true;
    char full[kv::kOptionTextCapacity];
    const DWORD length = ::GetFullPathNameA(path, sizeof(full), full, nullptr);
    return length > 0 && length < sizeof(full) && kv::copyInto(path, full);
}

void performRestart(int resultCode, bool dryRun) {
    const kv::RestartKind kind = kv::restartKindFor(resultCode);
    if (kind == kv::RestartKind::Windows95Family) {
        kv::printTo(STD_OUTPUT_HANDLE, "restart: Windows 95-family restart (ExitWindowsEx EWX_REBOOT)%s\n",
                    dryRun ? " - skipped, /norestart" : "");
        if (!dryRun) kv::restartComputer(false);
    } else if (kind == kv::RestartKind::NtFamily) {
        kv::printTo(STD_OUTPUT_HANDLE, "restart: NT-family restart (shutdown privilege, ExitWindowsEx EWX_REBOOT)%s\n",
                    dryRun ? " - skipped, /norestart" : "");
        if (!dryRun) kv::restartComputer(true);
    } else {
        kv::printTo(STD_OUTPUT_HANDLE, "restart: none\n");
    }
}

}  // namespace

int main(int, char**) {
    const char* arguments = kv::argumentsOf(::GetCommandLineA());
    kv::SetupOptions options;
    char reason[kv::kOptionReasonCapacity];
    const bool parsed = kv::parseSetupOptions(arguments, options, reason);
    const kv::LauncherReport report(options);
    const bool unattended = options.unattended;
    if (!parsed) {
        report.error("bad command line: %s\n\nsetup.exe [/s] [/lang=CODE] [/type=3D|4D] [/dir=FOLDER] [/group=NAME] "
                     "[/norestart] [/log=FILE] [/saveinf=FILE] [/loadinf=FILE] [FOLDER]",
                     reason);
        return unattended ? kv::kExitBadCommandLine : kv::kResultFailed;
    }

    // One setup per machine: a second one shows the first and goes.
    kv::SetupInstanceLock lock;
    if (lock.acquire() == kv::SetupInstanceLock::Outcome::Busy) {
        if (unattended) {
            report.error("another setup or removal is running (%d)", kv::kExitBusy);
            return kv::kExitBusy;
        }
        kv::bringRunningSetupToFront();
        return kv::kResultFailed;
    }
    const int failed = unattended ? kv::kExitFailed : kv::kResultFailed;
    char handedOn[8 * kv::kOptionTextCapacity];
    if (!makeAbsolute(options.logFile) || !makeAbsolute(options.saveAnswers) || !makeAbsolute(options.loadAnswers) ||
        !kv::formatSetupArguments(options, handedOn, sizeof(handedOn))) {
        report.error("a file named on the command line has a full path longer than 259 bytes");
        return unattended ? kv::kExitBadCommandLine : kv::kResultFailed;
    }

    char ownFolder[kv::kPathCapacity] = {};
    if (!kv::folderOfProgram(ownFolder)) {
        report.error("cannot find the launcher's own folder");
        return failed;
    }
    const char* sourceFolder = options.sourceFolder[0] != '\0' ? options.sourceFolder : ownFolder;

    char libraryPath[kv::kPathCapacity] = {};
    if (!kv::formatInto(libraryPath, "%s\\%s", ownFolder, "kvsetup.dll")) {
        report.error("the launcher's folder is too long: %s", ownFolder);
        return failed;
    }
    kv::UniqueModule library(::LoadLibraryA(libraryPath));
    if (!library) {
        report.error("cannot load %s (error %lu)", libraryPath, static_cast<unsigned long>(::GetLastError()));
        return failed;
    }
    const bool optionEntry = options.needsOptionEntry();
    auto doInstall = kv::procAddress<DoInstallFn>(library.get(), "DOINSTALL");
    auto doInstallEx = kv::procAddress<DoInstallExFn>(library.get(), "DOINSTALLEX");
    if (optionEntry ? doInstallEx == nullptr : doInstall == nullptr) {
        report.error("%s has no %s entry", libraryPath, optionEntry ? "DOINSTALLEX" : "DOINSTALL");
        return failed;
    }

    // The engine copies the driver file from the current folder.
    ::SetCurrentDirectoryA(sourceFolder);
    kv::printTo(STD_OUTPUT_HANDLE, "setup: source folder %s\n", sourceFolder);
    if (unattended) {
        // Never a restart: the exit code tells the administrator's script.
        const int exitCode = doInstallEx(sourceFolder, handedOn);
        kv::printTo(STD_OUTPUT_HANDLE, "setup: exit code %d\n", exitCode);
        return exitCode;
    }
    const int resultCode = optionEntry ? doInstallEx(sourceFolder, handedOn) : doInstall(sourceFolder);
    kv::printTo(STD_OUTPUT_HANDLE, "setup: ResultCode %d\n", resultCode);
    performRestart(resultCode, options.noRestart);
    return resultCode;
}
