// The static C++ runtime (its thread and exception support) imports a few
// KERNEL32 functions that Windows 95, 98, ME, NT 4 or 2000 do not have. A
// missing import would stop the whole module from loading, so these import
// slots are filled here instead: each resolves the real function at its first
// call and falls back to an equivalent where the system lacks it.
//
// Linked straight into the shipped module (not through a library), so the
// linker sees these definitions before it searches the import libraries.
#include "base/win.h"

namespace {

FARPROC kernelFunction(const char* name) {
    HMODULE kernel = ::GetModuleHandleA("KERNEL32.DLL");
    return kernel ? ::GetProcAddress(kernel, name) : nullptr;
}

template <typename Fn>
Fn resolve(Fn& cache, const char* name, Fn fallback) {
    if (cache == nullptr) {
        Fn found = reinterpret_cast<Fn>(reinterpret_cast<void (*)()>(kernelFunction(name)));
        cache = found ? found : fallback;
    }
    return cache;
}

// --- fallbacks -------------------------------------------------------------
ULONGLONG WINAPI tickCount64Fallback() { return ::GetTickCount(); }
PVOID WINAPI addVectoredHandlerFallback(ULONG, PVECTORED_EXCEPTION_HANDLER) { return nullptr; }
ULONG WINAPI removeVectoredHandlerFallback(PVOID) { return 0; }
BOOL WINAPI handleInformationFallback(HANDLE, LPDWORD flags) {
    if (flags) *flags = 0;
    return TRUE;
}
// Without a try-enter the caller waits for the section instead.
BOOL WINAPI tryEnterFallback(LPCRITICAL_SECTION section) {
    ::EnterCriticalSection(section);
    return TRUE;
}
BOOL WINAPI debuggerPresentFallback() { return FALSE; }
BOOL WINAPI setAffinityFallback(HANDLE, DWORD_PTR) { return FALSE; }
BOOL WINAPI getAffinityFallback(HANDLE, PDWORD_PTR process, PDWORD_PTR system) {
    if (process) *process = 1;
    if (system) *system = 1;
    return TRUE;
}
BOOL WINAPI leadByteExFallback(UINT, BYTE byte) { return ::IsDBCSLeadByte(byte); }

// --- the import slots --------------------------------------------------------
using TickCount64Fn = ULONGLONG(WINAPI*)();
using AddVectoredFn = PVOID(WINAPI*)(ULONG, PVECTORED_EXCEPTION_HANDLER);
using RemoveVectoredFn = ULONG(WINAPI*)(PVOID);
using HandleInformationFn = BOOL(WINAPI*)(HANDLE, LPDWORD);
using TryEnterFn = BOOL(WINAPI*)(LPCRITICAL_SECTION);
using DebuggerPresentFn = BOOL(WINAPI*)();
using SetAffinityFn = BOOL(WINAPI*)(HANDLE, DWORD_PTR);
using GetAffinityFn = BOOL(WINAPI*)(HANDLE, PDWORD_PTR, PDWORD_PTR);
using LeadByteExFn = BOOL(WINAPI*)(UINT, BYTE);

TickCount64Fn realTickCount64;
AddVectoredFn realAddVectored;
RemoveVectoredFn realRemoveVectored;
HandleInformationFn realHandleInformation;
TryEnterFn realTryEnter;
DebuggerPresentFn realDebuggerPresent;
SetAffinityFn realSetAffinity;
GetAffinityFn realGetAffinity;
LeadByteExFn realLeadByteEx;

ULONGLONG WINAPI tickCount64() {
    return resolve(realTickCount64, "GetTickCount64", tickCount64Fallback)();
}
PVOID WINAPI addVectored(ULONG first, PVECTORED_EXCEPTION_HANDLER handler) {
    return resolve(realAddVectored, "AddVectoredExceptionHandler", addVectoredHandlerFallback)(first, handler);
}
ULONG WINAPI removeVectored(PVOID handle) {
    return resolve(realRemoveVectored, "RemoveVectoredExceptionHandler", removeVectoredHandlerFallback)(handle);
}
BOOL WINAPI handleInformation(HANDLE handle, LPDWORD flags) {
    return resolve(realHandleInformation, "GetHandleInformation", handleInformationFallback)(handle, flags);
}
BOOL WINAPI tryEnter(LPCRITICAL_SECTION section) {
    return resolve(realTryEnter, "TryEnterCriticalSection", tryEnterFallback)(section);
}
BOOL WINAPI debuggerPresent() {
    return resolve(realDebuggerPresent, "IsDebuggerPresent", debuggerPresentFallback)();
}
BOOL WINAPI setAffinity(HANDLE process, DWORD_PTR mask) {
    return resolve(realSetAffinity, "SetProcessAffinityMask", setAffinityFallback)(process, mask);
}
BOOL WINAPI getAffinity(HANDLE process, PDWORD_PTR processMask, PDWORD_PTR systemMask) {
    return resolve(realGetAffinity, "GetProcessAffinityMask", getAffinityFallback)(process, processMask, systemMask);
}
BOOL WINAPI leadByteEx(UINT codePage, BYTE byte) {
    return resolve(realLeadByteEx, "IsDBCSLeadByteEx", leadByteExFallback)(codePage, byte);
}

}  // namespace

// The names the import libraries give these slots (stdcall decoration).
extern "C" {
TickCount64Fn legacyImportTickCount64 __asm__("__imp__GetTickCount64@0") = tickCount64;
AddVectoredFn legacyImportAddVectored __asm__("__imp__AddVectoredExceptionHandler@8") = addVectored;
RemoveVectoredFn legacyImportRemoveVectored __asm__("__imp__RemoveVectoredExceptionHandler@4") = removeVectored;
HandleInformationFn legacyImportHandleInformation __asm__("__imp__GetHandleInformation@8") = handleInformation;
TryEnterFn legacyImportTryEnter __asm__("__imp__TryEnterCriticalSection@4") = tryEnter;
DebuggerPresentFn legacyImportDebuggerPresent __asm__("__imp__IsDebuggerPresent@0") = debuggerPresent;
SetAffinityFn legacyImportSetAffinity __asm__("__imp__SetProcessAffinityMask@8") = setAffinity;
GetAffinityFn legacyImportGetAffinity __asm__("__imp__GetProcessAffinityMask@12") = getAffinity;
LeadByteExFn legacyImportLeadByteEx __asm__("__imp__IsDBCSLeadByteEx@8") = leadByteEx;
}
