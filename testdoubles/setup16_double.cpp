// Test double for SETUP16.EXE, the platform setup component that the setup
// engine starts on Windows 95/98/ME. It records how it was started so a test
// can check the command line and the working folder, and can linger on
// request so a test can see that the engine waits for it.
//
// Record line:  cmdline=<GetCommandLineA()> cwd=<current directory>
// KV_DOUBLE_LOG       record file (nothing is written when unset)
// KV_SETUP16_SLEEP_MS milliseconds to sleep before exiting (optional)

#include "double_log.h"

#include <cstdio>
#include <cstdlib>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    char cwd[MAX_PATH];
    const DWORD n = GetCurrentDirectoryA(sizeof(cwd), cwd);
    if (n == 0 || n >= sizeof(cwd)) {
        cwd[0] = '\0';
    }

    const char* cmd = GetCommandLineA();
    char line[2048];
    std::snprintf(line, sizeof(line), "cmdline=%s cwd=%s", cmd ? cmd : "", cwd);
    kvdouble::appendRecord(line);

    char sleepText[32];
    if (kvdouble::readEnv("KV_SETUP16_SLEEP_MS", sleepText, sizeof(sleepText))) {
        const unsigned long ms = std::strtoul(sleepText, nullptr, 10);
        if (ms > 0) {
            Sleep(static_cast<DWORD>(ms));
        }
    }
    return 0;
}
