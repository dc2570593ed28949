// The library's one exported entry and its module hooks.
#include "base/module_instance.h"
#include "setup/setup_run.h"

extern "C" int WINAPI DOINSTALL(const char* sourceFolder) {
    return kv::runSetup(sourceFolder);
}

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        kv::setModuleInstance(instance);
        ::DisableThreadLibraryCalls(instance);
    }
    return TRUE;
}
