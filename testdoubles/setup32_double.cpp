// Test double for SETUP32.DLL, the platform setup component that the setup
// engine loads on Windows NT 4. Its export Setup records its arguments and
// clears the restart flag, so a test can check that the engine sets the flag
// again afterwards.
//
// Record line:  Setup object=<nonzero|null> path=<path> restart=<value before>
// KV_DOUBLE_LOG  record file (nothing is written when unset)

#include "double_log.h"

extern "C" int __stdcall Setup(void* mainWindowObject, const char* winntPath, int* restartNeeded) {
    char restartText[16] = "null";
    if (restartNeeded) {
        std::snprintf(restartText, sizeof(restartText), "%d", *restartNeeded);
    }

    char line[1024];
    std::snprintf(line, sizeof(line), "Setup object=%s path=%s restart=%s",
                  mainWindowObject ? "nonzero" : "null", winntPath ? winntPath : "(null)",
                  restartText);
    kvdouble::appendRecord(line);

    if (restartNeeded) {
        *restartNeeded = 0;
    }
    return 1;
}

BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) {
    return TRUE;
}
