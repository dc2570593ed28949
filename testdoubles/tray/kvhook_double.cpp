// Test double of the package's hook library: nothing but a library that
// the tray double keeps loaded.
#include <windows.h>

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) { return TRUE; }

extern "C" __declspec(dllexport) int KvHookVersion() { return 1; }
