#include "wizard_test_support.h"

#include "base/proc_address.h"
#include "base/unique_handle.h"
#include "setup/setup_run.h"
#include "common/registration_names.h"
#include "support/test_registry.h"
#include "support/test_support.h"

#include <tlhelp32.h>

#include <algorithm>

namespace kvtest {

using kvdrive::Driver;

kvdrive::RunOutcome runInProcess(const kvdrive::Script& script, int endMilliseconds) {
    return kvdrive::runScripted([](const char* folder) { return kv::runSetup(folder); }, stagedPackageDir(),
                                script, endMilliseconds);
}

kvdrive::Entry stagedLibraryEntry() {
    using DoInstallFn = int(WINAPI*)(const char*);
    static kv::UniqueModule library(::LoadLibraryA((stagedPackageDir() + "\\kvsetup.dll").c_str()));
    const auto doInstall = kv::procAddress<DoInstallFn>(library.get(), "DOINSTALL");
    if (doInstall == nullptr) return nullptr;
    return [doInstall](const char* folder) { return doInstall(folder); };
}

OptionEntry stagedOptionEntry() {
    stagedLibraryEntry();  // the same loaded library
    return kv::procAddress<OptionEntry>(::GetModuleHandleA((stagedPackageDir() + "\\kvsetup.dll").c_str()),
                                        "DOINSTALLEX");
}

int runAndWait(const std::string& program, const std::string& arguments, int milliseconds) {
    std::string commandLine = "\"" + program + "\" " + arguments;
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION started = {};
    if (!::CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &started))
        return -1;
    kv::UniqueKernelObject process(started.hProcess);
    kv::UniqueKernelObject thread(started.hThread);
    if (::WaitForSingleObject(process.get(), static_cast<DWORD>(milliseconds)) != WAIT_OBJECT_0) return -1;
    DWORD code = 0;
    return ::GetExitCodeProcess(process.get(), &code) ? static_cast<int>(code) : -1;
}

std::string packageText(const char* code, const char* section, const char* key) {
    return kvdrive::languageText(stagedPackageDir(), code, section, key);
}

void expectNoScriptFailures(const kvdrive::RunOutcome& outcome) {
    for (const std::string& failure : outcome.failures) ADD_FAILURE() << failure;
}

HWND installToFinish(Driver& d, const std::string& destination, const std::string& programFolder) {
    d.setText(d.item(d.walkTo(kvdrive::kDestination), 1018), destination);
    HWND page = d.walkTo(kvdrive::kProgramFolder);
    if (!programFolder.empty()) d.setText(d.item(page, 1018), programFolder);
    d.walkTo(kvdrive::kInformation);
    d.next();
    return d.waitForPage(kvdrive::kFinish, 60000);
}

void finish(Driver& d, HWND finishPage, bool restartNow) {
    d.setCheck(d.item(finishPage, 1016), restartNow);
    d.setCheck(d.item(finishPage, 1020), !restartNow);
    d.cancel();
}

void leaveSetup(Driver& d) {
    d.cancel();
    d.click(d.waitForConfirmBox(), IDCANCEL);
}

void removeInstallation(const std::string& destination, const std::string& programFolder) {
    if (!destination.empty()) removeTree(destination);
    removeTree(programsFolder() + "\\" + programFolder);
    ::DeleteFileA(kDriverPath.c_str());
    deleteRegistryValue(HKEY_LOCAL_MACHINE, kv::kRunKey, kv::kAutoStartValueName);
    deleteRegistryTree(HKEY_LOCAL_MACHINE, kv::kProductKey);
    deleteRegistryTree(HKEY_LOCAL_MACHINE, "SOFTWARE\\MORVASETUP");
    deleteRegistryTree(HKEY_LOCAL_MACHINE, kSampleUninstallKey);
}

std::vector<HWND> ownWindows(bool visibleOnly) {
    std::vector<HWND> windows;
    for (HWND w = ::GetTopWindow(nullptr); w != nullptr; w = ::GetWindow(w, GW_HWNDNEXT)) {
        DWORD process = 0;
        ::GetWindowThreadProcessId(w, &process);
        if (process == ::GetCurrentProcessId() && (!visibleOnly || ::IsWindowVisible(w))) windows.push_back(w);
    }
    std::sort(windows.begin(), windows.end());
    return windows;
}

int ownThreadCount() {
    kv::UniqueKernelObject snapshot(::CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0));
    THREADENTRY32 entry = {};
    entry.dwSize = sizeof(entry);
    int count = 0;
    for (BOOL more = ::Thread32First(snapshot.get(), &entry); more; more = ::Thread32Next(snapshot.get(), &entry))
        if (entry.th32OwnerProcessID == ::GetCurrentProcessId()) ++count;
    return count;
}

}  // namespace kvtest
