#include "install/platform_setup.h"

#include "base/unique_handle.h"
#include "install/install_state.h"
#include "install/load_library_entries.h"
#include "install/quote_path.h"
#include "common/registry_key.h"
#include "common/step_report.h"

namespace kv {
namespace {

// GetShortPathNameA is given less than the whole buffer, which leaves room
// for the "\winme" suffix of a path that nearly fills it.
constexpr DWORD kShortPathBufferSize = 256;

constexpr UINT kSetupErrorMode =
    SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX | SEM_NOALIGNMENTFAULTEXCEPT |
    SEM_NOOPENFILEERRORBOX;  // 0x8007

using SetupEntryFn = int(__stdcall*)(void* mainWindowObject, const char* winntPath,
                                     int* restartNeeded);

}  // namespace

bool buildSetupProgramCommandLine(char (&commandLine)[kPathCapacity]) {
    if (!formatInto(commandLine, "%s\\%s", installState.sourceDir, kSetupProgramName))
        return false;

    char argument[kPathCapacity] = {};
    const DWORD shortLength =
        ::GetShortPathNameA(installState.startDir, argument, kShortPathBufferSize);
    if (shortLength == 0 || shortLength >= kShortPathBufferSize) {
        if (!copyInto(argument, installState.startDir)) return false;
    }
    if (installState.osIsMe() && !appendInto(argument, "\\winme")) return false;

    // Both quoted when they hold a blank: the program path, so that Windows
    // runs no "D:\Setup.exe" in place of "D:\Setup Disk\SETUP16.EXE"; the
    // argument (a long folder, when it has no short form), so that it stays
    // one argument.
    if (!QuotePath(commandLine, true) || !QuotePath(argument, true)) return false;
    return appendInto(commandLine, " ") && appendInto(commandLine, argument);
}

void runSetupProgram() {
    char commandLine[kPathCapacity];
    if (!buildSetupProgramCommandLine(commandLine)) return;

    ::SetErrorMode(kSetupErrorMode);  // for the whole process, and kept
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION started = {};
    if (!::CreateProcessA(nullptr, commandLine, nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                          &startup, &started)) {
        reportStep("platform setup program not started: %s (error %lu)", commandLine,
                   static_cast<unsigned long>(::GetLastError()));
        return;
    }
    reportStep("platform setup program started: %s", commandLine);
    UniqueKernelObject process(started.hProcess);
    UniqueKernelObject thread(started.hThread);
    ::WaitForSingleObject(process.get(), INFINITE);
}

void runRestartCheck(RegistryKey& key) {
    key.SetRoot(HKEY_LOCAL_MACHINE);
    key.Open("SOFTWARE", false);
    if (key.ReadDword("RebootFlags", 0) != 0) installState.restartNeeded = 1;
    key.DeleteKey("SOFTWARE\\RebootFlags");
}

void runNtSetupLibrary() {
    char libraryPath[kPathCapacity];
    if (!formatInto(libraryPath, "%s\\%s", installState.sourceDir, kSetupLibraryName)) return;
    UniqueModule library;
    LibraryEntry entries[] = {{"Setup"}};
    if (!LoadLibraryEntries(library, libraryPath, entries)) {
        reportStep("platform setup library not loaded or without Setup: %s", libraryPath);
        return;
    }

    char winntPath[kPathCapacity];
    if (!formatInto(winntPath, "%s\\winnt", installState.sourceDir)) return;
    const auto setup = entryAs<SetupEntryFn>(entries[0]);
    setup(installState.mainWindow, winntPath, &installState.restartNeeded);
    reportStep("platform setup library called: %s", libraryPath);
    installState.restartNeeded = 1;
}

}  // namespace kv
