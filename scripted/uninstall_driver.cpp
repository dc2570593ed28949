#include "scripted/uninstall_driver.h"

#include "base/unique_handle.h"
#include "common/single_instance.h"

#include <commctrl.h>

#include <algorithm>

namespace kvdrive {
namespace {

struct Found {
    const std::string* caption;
    HWND box = nullptr;
    HWND progress = nullptr;
};

bool isClass(HWND window, const char* name) {
    char cls[64] = {};
    ::GetClassNameA(window, cls, sizeof(cls));
    return ::lstrcmpiA(cls, name) == 0;
}

HWND progressBarOf(HWND window) {
    for (HWND child = ::GetWindow(window, GW_CHILD); child != nullptr; child = ::GetWindow(child, GW_HWNDNEXT))
        if (isClass(child, PROGRESS_CLASSA)) return child;
    return nullptr;
}

// The uninstaller's visible top-level windows: every one carries its caption.
BOOL CALLBACK collect(HWND window, LPARAM context) {
    Found& found = *reinterpret_cast<Found*>(context);
    DWORD process = 0;
    ::GetWindowThreadProcessId(window, &process);
    if (process == ::GetCurrentProcessId() || !::IsWindowVisible(window)) return TRUE;
    char text[512] = {};
    ::GetWindowTextA(window, text, sizeof(text));
    if (*found.caption != text) return TRUE;
    if (isClass(window, "#32770"))
        found.box = window;
    else if (progressBarOf(window) != nullptr)
        found.progress = window;
    return TRUE;
}

// OpenThread is not declared for the systems the product targets.
using OpenThreadFn = HANDLE(WINAPI*)(DWORD, BOOL, DWORD);
constexpr DWORD kThreadSuspendResume = 0x0002;

kv::UniqueKernelObject openThread(DWORD id) {
    static const auto open = reinterpret_cast<OpenThreadFn>(
        reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleA("kernel32.dll"), "OpenThread")));
    return kv::UniqueKernelObject(open != nullptr ? open(kThreadSuspendResume, FALSE, id) : nullptr);
}

// The progress window once it has moved on at least one item (so it has
// painted), held still while `look` runs. False when it was not caught.
bool lookAtProgress(HWND window, const UninstallLook& look) {
    DWORD_PTR position = 0;
    if (!::SendMessageTimeoutA(progressBarOf(window), PBM_GETPOS, 0, 0, SMTO_ABORTIFHUNG, 200, &position) ||
        position == 0)
        return false;
    kv::UniqueKernelObject thread = openThread(::GetWindowThreadProcessId(window, nullptr));
    if (!thread || ::SuspendThread(thread.get()) == static_cast<DWORD>(-1)) return false;
    look(UninstallScreen::Progress, window);
    ::ResumeThread(thread.get());
    return true;
}

// The copy the uninstaller runs from holds the setup mutex to its very end.
bool waitForCopyEnd(DWORD deadline) {
    while (::GetTickCount() < deadline) {
        kv::SetupInstanceLock lock;
        if (lock.acquire() == kv::SetupInstanceLock::Outcome::Acquired) return true;
        ::Sleep(50);
    }
    return false;
}

}  // namespace

UninstallRun runUninstaller(const std::string& commandLine, const std::string& caption, const UninstallLook& look,
                            int milliseconds) {
    UninstallRun run;
    const DWORD deadline = ::GetTickCount() + static_cast<DWORD>(milliseconds);
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION started = {};
    std::string line = commandLine;
    if (!::CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &started)) {
        run.failures.push_back("could not start " + commandLine);
        return run;
    }
    kv::UniqueKernelObject process(started.hProcess), thread(started.hThread);

    std::vector<HWND> seen;
    while (::WaitForSingleObject(process.get(), 1) == WAIT_TIMEOUT) {
        if (::GetTickCount() >= deadline) {
            run.failures.push_back("the uninstaller did not end in time");
            return run;
        }
        Found found{&caption};
        ::EnumWindows(collect, reinterpret_cast<LPARAM>(&found));
        if (found.progress != nullptr && !run.sawProgress) run.sawProgress = lookAtProgress(found.progress, look);
        if (found.box == nullptr || std::find(seen.begin(), seen.end(), found.box) != seen.end()) continue;
        seen.push_back(found.box);
        char text[4096] = {};
        ::GetDlgItemTextA(found.box, 0xFFFF, text, sizeof(text));
        run.messages.push_back(text);
        // The question comes first; any later box, yes/no or not, says how it went.
        const bool question = run.messages.size() == 1 && !run.sawProgress && ::GetDlgItem(found.box, IDYES) != nullptr;
        const int answer = look(question ? UninstallScreen::Question : UninstallScreen::Message, found.box);
        ::PostMessageA(found.box, WM_COMMAND, MAKEWPARAM(answer, BN_CLICKED), 0);
        while (::IsWindow(found.box) && ::GetTickCount() < deadline) ::Sleep(10);
    }
    DWORD code = 0;
    if (::GetExitCodeProcess(process.get(), &code)) run.exitCode = static_cast<long>(code);
    if (!waitForCopyEnd(deadline)) run.failures.push_back("the uninstaller's copy did not end in time");
    return run;
}

std::string uninstallerText(const std::string& installation, int key) {
    char value[1024] = {};
    const std::string file = installation + "\\kvrem.un2";
    const DWORD length =
        ::GetPrivateProfileStringA("MSG", std::to_string(key).c_str(), "", value, sizeof(value), file.c_str());
    return std::string(value, length);
}

}  // namespace kvdrive
