#include "base/computer_restart.h"

#include "base/unique_handle.h"
#include "base/win.h"

namespace kv {
namespace {

void enableShutdownPrivilege() {
    UniqueKernelObject token;
    if (!::OpenProcessToken(::GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, token.put())) return;
    TOKEN_PRIVILEGES privileges = {};
    privileges.PrivilegeCount = 1;
    privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
    if (!::LookupPrivilegeValueA(nullptr, "SeShutdownPrivilege", &privileges.Privileges[0].Luid)) return;
    ::AdjustTokenPrivileges(token.get(), FALSE, &privileges, 0, nullptr, nullptr);
}

}  // namespace

void restartComputer(bool ntFamily) {
    if (ntFamily) enableShutdownPrivilege();
    ::ExitWindowsEx(EWX_REBOOT, 0);
}

}  // namespace kv
