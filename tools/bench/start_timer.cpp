// The start-time benchmark's timer, run under Wine. Starts each program in
// turn, round after round, and measures from just before CreateProcess to
// the first visible top-level window of the new process that holds a
// visible button; then ends the process. With --probe it instead plays the
// launcher in its own process and notes when each stage of the engine's
// start ends (see probe()).
//   start_timer --rounds N [--probe DIR FILE]... LABEL=COMMAND ...
// Each --probe runs the probe once per round on the package in DIR and
// appends its stage times to FILE.
// Prints "LABEL MILLISECONDS" per run, and "LABEL timeout" for a run that
// showed no such window within 30 seconds.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

double nowMs() {
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        ::QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER counter;
    ::QueryPerformanceCounter(&counter);
    return static_cast<double>(counter.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

struct Search {
    DWORD process = 0;
    HWND found = nullptr;    // top-level window with a visible button
    HWND visible = nullptr;  // any visible top-level window
};

BOOL CALLBACK findButton(HWND child, LPARAM result) {
    char name[16] = {};
    ::GetClassNameA(child, name, sizeof(name));
    if (lstrcmpiA(name, "Button") == 0 && ::IsWindowVisible(child)) {
        *reinterpret_cast<bool*>(result) = true;
        return FALSE;
    }
    return TRUE;
}

BOOL CALLBACK findWindow(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<Search*>(param);
    DWORD process = 0;
    ::GetWindowThreadProcessId(window, &process);
    if (process != search->process || !::IsWindowVisible(window)) return TRUE;
    if (search->visible == nullptr) search->visible = window;
    bool hasButton = false;
    ::EnumChildWindows(window, &findButton, reinterpret_cast<LPARAM>(&hasButton));
    if (!hasButton) return TRUE;
    search->found = window;
    return FALSE;
}

Search look(DWORD process) {
    Search search;
    search.process = process;
    ::EnumWindows(&findWindow, reinterpret_cast<LPARAM>(&search));
    return search;
}

// One timed start: milliseconds to the first window with a button, or -1.
double timeStart(const std::string& command, const std::string& extra) {
    std::string line = command + extra;
    std::vector<char> buffer(line.begin(), line.end());
    buffer.push_back('\0');
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info = {};
    const double start = nowMs();
    if (!::CreateProcessA(nullptr, buffer.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info))
        return -1;
    double shown = -1;
    while (nowMs() - start < 30000) {
        if (look(info.dwProcessId).found != nullptr) {
            shown = nowMs() - start;
            break;
        }
        if (::WaitForSingleObject(info.hProcess, 0) == WAIT_OBJECT_0) break;
        ::Sleep(1);
    }
    // A probe ends its run by itself; the others are stopped here.
    if (::WaitForSingleObject(info.hProcess, extra.empty() ? 0 : 10000) != WAIT_OBJECT_0)
        ::TerminateProcess(info.hProcess, 1);
    ::WaitForSingleObject(info.hProcess, 10000);
    ::CloseHandle(info.hThread);
    ::CloseHandle(info.hProcess);
    ::Sleep(200);  // let Wine settle before the next start
    return shown;
}

// ---- the probe: the launcher's steps, timed ----------------------------

struct ProbeTimes {
    double start = 0;         // the timer's clock just before CreateProcess
    double entered = 0;       // main() reached: the process is loaded
    double loaded = 0;        // kvsetup.dll loaded
    double firstWindow = 0;   // the first window created: detection and texts done
    double mainShown = 0;     // the first visible window
    double frameShown = 0;    // the first visible window with a button
};
ProbeTimes probeTimes;

LRESULT CALLBACK noteCreation(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_CREATEWND && probeTimes.firstWindow == 0) probeTimes.firstWindow = nowMs();
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

DWORD WINAPI watchWindows(void*) {
    const double until = nowMs() + 30000;
    while (nowMs() < until) {
        const Search search = look(::GetCurrentProcessId());
        if (search.visible != nullptr && probeTimes.mainShown == 0) probeTimes.mainShown = nowMs();
        if (search.found != nullptr) {
            probeTimes.frameShown = nowMs();
            // Close the backdrop: the run ends at once with its cancel code.
            HWND main = search.visible;
            while (HWND owner = ::GetWindow(main, GW_OWNER)) main = owner;
            ::PostMessageA(main, WM_SYSCOMMAND, SC_CLOSE, 0);
            return 0;
        }
        ::Sleep(1);
    }
    return 0;
}

int probe(double start, const char* package, const char* outFile) {
    probeTimes.entered = nowMs();
    probeTimes.start = start;
    const std::string library = std::string(package) + "\\kvsetup.dll";
    HMODULE engine = ::LoadLibraryA(library.c_str());
    probeTimes.loaded = nowMs();
    using DoInstallFn = int(WINAPI*)(const char*);
    auto doInstall = reinterpret_cast<DoInstallFn>(
        reinterpret_cast<void (*)()>(engine ? ::GetProcAddress(engine, "DOINSTALL") : nullptr));
    if (doInstall == nullptr) return 1;
    HHOOK hook = ::SetWindowsHookExA(WH_CBT, &noteCreation, nullptr, ::GetCurrentThreadId());
    DWORD id = 0;
    HANDLE watcher = ::CreateThread(nullptr, 0, &watchWindows, nullptr, 0, &id);
    ::SetCurrentDirectoryA(package);
    doInstall(package);
    ::UnhookWindowsHookEx(hook);
    ::WaitForSingleObject(watcher, 30000);
    FILE* out = std::fopen(outFile, "a");
    if (out == nullptr) return 1;
    const ProbeTimes& t = probeTimes;
    std::fprintf(out, "process %.2f load %.2f texts %.2f main %.2f frame %.2f\n", t.entered - t.start,
                 t.loaded - t.entered, t.firstWindow - t.loaded, t.mainShown - t.firstWindow,
                 t.frameShown - t.mainShown);
    std::fclose(out);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 5 && std::strcmp(argv[1], "--probe") == 0) return probe(std::atof(argv[2]), argv[3], argv[4]);
    int rounds = 15;
    std::vector<std::pair<std::string, std::string>> probes;  // package, output file
    std::vector<std::pair<std::string, std::string>> programs;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--rounds") == 0 && i + 1 < argc) {
            rounds = std::atoi(argv[++i]);
        } else if (std::strcmp(argv[i], "--probe") == 0 && i + 2 < argc) {
            probes.emplace_back(argv[i + 1], argv[i + 2]);
            i += 2;
        } else if (const char* eq = std::strchr(argv[i], '=')) {
            programs.emplace_back(std::string(argv[i], static_cast<std::size_t>(eq - argv[i])), eq + 1);
        }
    }
    char self[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, self, sizeof(self));
    for (int round = 0; round < rounds; ++round) {
        for (const auto& program : programs) {
            const double ms = timeStart(program.second, "");
            if (ms < 0) std::printf("%s timeout\n", program.first.c_str());
            else std::printf("%s %.2f\n", program.first.c_str(), ms);
            std::fflush(stdout);
        }
        for (const auto& probe : probes) {
            // The probe's clock reference is read just before its start.
            char extra[MAX_PATH * 3];
            std::snprintf(extra, sizeof(extra), " --probe %.3f \"%s\" \"%s\"", nowMs(), probe.first.c_str(),
                          probe.second.c_str());
            timeStart(std::string("\"") + self + "\"", extra);
        }
    }
    return 0;
}
