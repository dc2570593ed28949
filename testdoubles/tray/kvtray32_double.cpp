// Test double of the package's tray program: started by the auto-start
// value, it loads the hook library beside it and keeps running, so that
// both files are truly in use while a removal runs. It ends when the event
// named by kTrayQuitEvent is set, or after ten minutes, so that no test
// leaves it behind for long.
#include <windows.h>

namespace {

constexpr char kTrayQuitEvent[] = "KvTrayDoubleQuit";
constexpr DWORD kLongestRun = 10 * 60 * 1000;

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    char path[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, path, sizeof(path));
    if (length == 0 || length >= sizeof(path)) return 1;
    char* slash = path + length;
    while (slash > path && *slash != '\\') --slash;
    lstrcpynA(slash + 1, "kvhook.dll", static_cast<int>(sizeof(path) - (slash + 1 - path)));
    HMODULE hook = LoadLibraryA(path);
    if (hook == nullptr) return 2;
    HANDLE quit = CreateEventA(nullptr, TRUE, FALSE, kTrayQuitEvent);
    WaitForSingleObject(quit, kLongestRun);
    CloseHandle(quit);
    FreeLibrary(hook);
    return 0;
}
