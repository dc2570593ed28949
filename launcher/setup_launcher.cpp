// The launcher a package medium ships beside kvsetup.dll: it runs the setup
// engine on its own folder and performs the restart that the engine asks for.
#include "base/bounded_format.h"
#include "base/proc_address.h"
#include "base/unique_handle.h"
#include "launcher/console_print.h"
#include "launcher/restart_kind.h"

#include <cstring>

namespace {

using DoInstallFn = int(WINAPI*)(const char*);

bool folderOfModule(char (&folder)[kv::kPathCapacity]) {
    const DWORD length = ::GetModuleFileNameA(nullptr, folder, sizeof(folder));
    if (length == 0 || length >= sizeof(folder)) return false;
    char* slash = std::strrchr(folder, '\\');
    if (slash == nullptr) return false;
    *slash = '\0';
    return true;
}

bool enableShutdownPrivilege() {
    kv::UniqueKernelObject token;
    if (!::OpenProcessToken(::GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY,
                            token.put()))
        return false;
    TOKEN_PRIVILEGES privileges = {};
    privileges.PrivilegeCount = 1;
    privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
    if (!::LookupPrivilegeValueA(nullptr, "SeShutdownPrivilege", &privileges.Privileges[0].Luid))
        return false;
    return ::AdjustTokenPrivileges(token.get(), FALSE, &privileges, 0, nullptr, nullptr) &&
           ::GetLastError() == ERROR_SUCCESS;
}

void performRestart(int resultCode, bool dryRun) {
    const kv::RestartKind kind = kv::restartKindFor(resultCode);
    if (kind == kv::RestartKind::Windows95Family) {
        kv::printTo(STD_OUTPUT_HANDLE, "restart: Windows 95-family restart (ExitWindowsEx EWX_REBOOT)%s\n",
                    dryRun ? " - skipped, /norestart" : "");
        if (!dryRun) ::ExitWindowsEx(EWX_REBOOT, 0);
    } else if (kind == kv::RestartKind::NtFamily) {
        kv::printTo(STD_OUTPUT_HANDLE, "restart: NT-family restart (shutdown privilege, ExitWindowsEx EWX_REBOOT)%s\n",
                    dryRun ? " - skipped, /norestart" : "");
        if (!dryRun) {
            enableShutdownPrivilege();
            ::ExitWindowsEx(EWX_REBOOT, 0);
        }
    } else {
        kv::printTo(STD_OUTPUT_HANDLE, "restart: none\n");
    }
}

}  // namespace

int main(int argc, char** argv) {
    bool dryRun = false;
    const char* folderArgument = nullptr;
    for (int i = 1; i < argc; ++i) {
        if (::lstrcmpiA(argv[i], "/norestart") == 0)
            dryRun = true;
        else
            folderArgument = argv[i];
    }

    char ownFolder[kv::kPathCapacity] = {};
    if (!folderOfModule(ownFolder)) {
        kv::printTo(STD_ERROR_HANDLE, "setup: cannot find the launcher's folder\n");
        return 0;
    }
    // Passed on as given: the engine itself refuses a folder that is too long.
    const char* sourceFolder = folderArgument ? folderArgument : ownFolder;

    char libraryPath[kv::kPathCapacity] = {};
    if (!kv::formatInto(libraryPath, "%s\\%s", ownFolder, "kvsetup.dll")) return 0;
    kv::UniqueModule library(::LoadLibraryA(libraryPath));
    if (!library) {
        kv::printTo(STD_ERROR_HANDLE, "setup: cannot load %s\n", libraryPath);
        return 0;
    }
    auto doInstall = kv::procAddress<DoInstallFn>(library.get(), "DOINSTALL");
    if (doInstall == nullptr) {
        kv::printTo(STD_ERROR_HANDLE, "setup: kvsetup.dll has no DOINSTALL entry\n");
        return 0;
    }

    // The engine copies the driver file from the current folder.
    ::SetCurrentDirectoryA(sourceFolder);
    kv::printTo(STD_OUTPUT_HANDLE, "setup: source folder %s\n", sourceFolder);
    const int resultCode = doInstall(sourceFolder);
    kv::printTo(STD_OUTPUT_HANDLE, "setup: ResultCode %d\n", resultCode);
    performRestart(resultCode, dryRun);
    return resultCode;
}
