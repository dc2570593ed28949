// Test double for SETUP32.DLL, the platform setup component that the setup
// engine loads on Windows NT 4. Its export Setup records its arguments and
// clears the restart flag, so a test can check that the engine sets the flag
// again afterwards.
//
// Record line:  Setup object=<nonzero|null> path=<path> restart=<value before>
// KV_DOUBLE_LOG  record file (nothing is written when unset)
//
// Built like the engine, without a C or C++ runtime: the engine loads and
// frees this library on its worker thread once per installation, and a
// statically linked runtime keeps, per load, the thread data it made for that
// thread (an event, a thread handle and about 19 KB of heap), because the
// library is gone before the thread ends.

#include "base/bounded_format.h"
#include "double_log.h"

extern "C" int __stdcall Setup(void* mainWindowObject, const char* winntPath, int* restartNeeded) {
    const char* object = mainWindowObject ? "nonzero" : "null";
    const char* path = winntPath ? winntPath : "(null)";
    char line[1024];
    const bool fits = restartNeeded
                          ? kv::formatInto(line, "Setup object=%s path=%s restart=%d", object, path, *restartNeeded)
                          : kv::formatInto(line, "Setup object=%s path=%s restart=null", object, path);
    kvdouble::appendRecord(fits ? line : "Setup record too long");

    if (restartNeeded) {
        *restartNeeded = 0;
    }
    return 1;
}

BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) {
    return TRUE;
}
