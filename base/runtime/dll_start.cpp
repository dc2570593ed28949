// The entry point of kvsetup.dll: constructs the static objects before
// DllMain sees the module, and destroys them after it has let go.
#include "base/runtime/module_lifetime.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved);

extern "C" BOOL WINAPI DllMainCRTStartup(HINSTANCE instance, DWORD reason, LPVOID reserved) {
    if (reason == DLL_PROCESS_ATTACH) kv::runStaticConstructors();
    const BOOL result = DllMain(instance, reason, reserved);
    if (reason == DLL_PROCESS_DETACH || (reason == DLL_PROCESS_ATTACH && !result)) kv::runExitActions();
    return result;
}
