// Times one silent uninstall for `make bench`:
//   uninstall_timer.exe COMMAND FOLDER
// starts COMMAND and prints "ended MS gone MS code N": the milliseconds
// until the process started has ended and until FOLDER (the installation
// folder) no longer exists, and the process's exit code; "timeout" for a
// time not reached within a minute. Uninstallers that go on in a copy of
// themselves (ours, the peer's) are done when the folder is gone. Before it
// ends it waits until no setup or uninstall holds the setup mutex, so that
// the next run starts on a quiet system.
#include "base/unique_handle.h"
#include "base/win.h"
#include "common/single_instance.h"

#include <cstdio>
#include <string>

namespace {

constexpr double kLimitMs = 60000;

double nowMs(const LARGE_INTEGER& frequency) {
    LARGE_INTEGER counter;
    ::QueryPerformanceCounter(&counter);
    return static_cast<double>(counter.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

void printTime(const char* name, double ms) {
    if (ms < 0)
        std::printf("%s timeout ", name);
    else
        std::printf("%s %.1f ", name, ms);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: uninstall_timer COMMAND FOLDER\n");
        return 2;
    }
    std::string command = argv[1];
    const char* folder = argv[2];
    LARGE_INTEGER frequency;
    ::QueryPerformanceFrequency(&frequency);

    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION started = {};
    const double start = nowMs(frequency);
    if (!::CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &started)) {
        std::printf("could not start %s\n", argv[1]);
        return 1;
    }
    kv::UniqueKernelObject process(started.hProcess), thread(started.hThread);
    double ended = -1, gone = -1;
    while (nowMs(frequency) - start < kLimitMs && (ended < 0 || gone < 0)) {
        if (ended < 0 && ::WaitForSingleObject(process.get(), 0) == WAIT_OBJECT_0) ended = nowMs(frequency) - start;
        if (gone < 0 && ::GetFileAttributesA(folder) == INVALID_FILE_ATTRIBUTES) gone = nowMs(frequency) - start;
        ::Sleep(1);
    }
    DWORD code = 0;
    ::GetExitCodeProcess(process.get(), &code);
    printTime("ended", ended);
    printTime("gone", gone);
    std::printf("code %lu\n", static_cast<unsigned long>(code));
    std::fflush(stdout);
    for (int i = 0; i < 600; ++i) {
        kv::SetupInstanceLock lock;
        if (lock.acquire() == kv::SetupInstanceLock::Outcome::Acquired) break;
        ::Sleep(50);
    }
    return 0;
}
