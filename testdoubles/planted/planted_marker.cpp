// A library planted beside a program under the name of a system library
// (setupapi.dll, shell32.dll, ole32.dll, comctl32.dll). It does nothing but
// record that it was loaded: "planted <its own path>" in KV_DOUBLE_LOG. A
// test shows that no such line ever appears.
#include "../double_log.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE self, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        char line[MAX_PATH + 16] = "planted ";
        const DWORD length = GetModuleFileNameA(self, line + 8, MAX_PATH);
        if (length == 0 || length >= MAX_PATH) lstrcpyA(line + 8, "<unknown path>");
        kvdouble::appendRecord(line);
    }
    return TRUE;
}
