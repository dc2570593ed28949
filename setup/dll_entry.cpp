// The library's exported entries and its module hooks.
#include "base/module_instance.h"
#include "setup/option_run.h"
#include "setup/setup_run.h"

extern "C" int WINAPI DOINSTALL(const char* sourceFolder) {
    return kv::runSetup(sourceFolder);
}

// The launcher's switches (its command line after the program name): with
// /s an unattended install returning an exit code, else the wizard with the
// switches' choices as defaults, returning the ResultCode.
extern "C" int WINAPI DOINSTALLEX(const char* sourceFolder, const char* arguments) {
    return kv::runSetupWithOptions(sourceFolder, arguments);
}

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        kv::setModuleInstance(instance);
        ::DisableThreadLibraryCalls(instance);
    }
    return TRUE;
}
