#include "uninstaller/handoff.h"

#include "base/bounded_format.h"
#include "base/unique_handle.h"

namespace kv {
namespace {

constexpr char kProgramName[] = "kvrem00.exe";
constexpr DWORD kParentEndWait = 30000;

// Not guessable from outside in advance: the time at a fine grain, the
// process and a stack address mixed, and a fresh folder each try.
unsigned long folderNoise(int attempt) {
    LARGE_INTEGER counter = {};
    ::QueryPerformanceCounter(&counter);
    unsigned long value = ::GetTickCount() * 2654435761u;
    value ^= static_cast<unsigned long>(counter.LowPart) * 40503u;
    value ^= ::GetCurrentProcessId() << 16;
    value ^= static_cast<unsigned long>(reinterpret_cast<ULONG_PTR>(&counter)) >> 4;
    return value + static_cast<unsigned long>(attempt) * 7919u;
}

bool makeFreshFolder(char (&folder)[kPathCapacity]) {
    char temp[kPathCapacity];
    const DWORD length = ::GetTempPathA(sizeof(temp), temp);
    if (length == 0 || length >= sizeof(temp)) return false;
    for (int attempt = 0; attempt < 16; ++attempt) {
        if (!formatInto(folder, "%skv%08lX.tmp", temp, folderNoise(attempt))) return false;
        if (::CreateDirectoryA(folder, nullptr)) return true;
    }
    return false;
}

bool inheritable(HANDLE handle, DWORD access, HANDLE& copy) {
    return ::DuplicateHandle(::GetCurrentProcess(), handle, ::GetCurrentProcess(), &copy, access, TRUE, 0) != 0;
}

unsigned long parseHex(const char*& text) {
    unsigned long value = 0;
    for (;; ++text) {
        const char c = *text;
        int digit = -1;
        if (c >= '0' && c <= '9') digit = c - '0';
        if (c >= 'A' && c <= 'F') digit = c - 'A' + 10;
        if (c >= 'a' && c <= 'f') digit = c - 'a' + 10;
        if (digit < 0) return value;
        value = value * 16 + static_cast<unsigned long>(digit);
    }
}

}  // namespace

int runFromTempCopy(const char* arguments) {
    char self[kPathCapacity];
    const DWORD selfLength = ::GetModuleFileNameA(nullptr, self, sizeof(self));
    if (selfLength == 0 || selfLength >= sizeof(self)) return -1;
    char folder[kPathCapacity];
    char copy[kPathCapacity];
    if (!makeFreshFolder(folder)) return -1;
    if (!formatInto(copy, "%s\\%s", folder, kProgramName) || !::CopyFileA(self, copy, TRUE)) {
        ::RemoveDirectoryA(folder);
        return -1;
    }

    HANDLE readEnd = nullptr, writeEnd = nullptr;
    SECURITY_ATTRIBUTES inherit = {sizeof(inherit), nullptr, TRUE};
    if (!::CreatePipe(&readEnd, &writeEnd, &inherit, 0)) return -1;
    UniqueKernelObject reader(readEnd), writer(writeEnd);
    HANDLE parentHandle = nullptr;
    if (!inheritable(::GetCurrentProcess(), SYNCHRONIZE, parentHandle)) return -1;
    UniqueKernelObject parent(parentHandle);
    // The copy must not inherit the read end, or the pipe would never break.
    HANDLE privateReader = nullptr;
    if (!::DuplicateHandle(::GetCurrentProcess(), reader.get(), ::GetCurrentProcess(), &privateReader, 0, FALSE,
                           DUPLICATE_SAME_ACCESS))
        return -1;
    reader.reset(privateReader);

    char commandLine[1024];
    if (!formatInto(commandLine, "\"%s\" /copy=%lX:%lX %s", copy,
                    static_cast<unsigned long>(reinterpret_cast<ULONG_PTR>(writer.get())),
                    static_cast<unsigned long>(reinterpret_cast<ULONG_PTR>(parent.get())), arguments))
        return -1;
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION started = {};
    // Started in its own folder, so that no process keeps the installation
    // folder as its current one.
    if (!::CreateProcessA(nullptr, commandLine, nullptr, nullptr, TRUE, 0, nullptr, folder, &startup, &started))
        return -1;
    UniqueKernelObject process(started.hProcess), thread(started.hThread);
    writer.reset();  // only the copy writes: its end breaks the pipe

    DWORD code = 0, read = 0;
    if (::ReadFile(reader.get(), &code, sizeof(code), &read, nullptr) && read == sizeof(code))
        return static_cast<int>(code);
    // The copy ended without a word: its own exit code stands.
    ::WaitForSingleObject(process.get(), INFINITE);
    if (!::GetExitCodeProcess(process.get(), &code)) return -1;
    return static_cast<int>(code);
}

bool parseCopyLink(const char* value, CopyLink& link) {
    const char* at = value;
    const unsigned long pipe = parseHex(at);
    if (*at != ':') return false;
    ++at;
    const unsigned long parent = parseHex(at);
    if (*at != 0 || pipe == 0 || parent == 0) return false;
    link.pipe = reinterpret_cast<HANDLE>(static_cast<ULONG_PTR>(pipe));
    link.parent = reinterpret_cast<HANDLE>(static_cast<ULONG_PTR>(parent));
    return true;
}

void handBackExitCode(const CopyLink& link, int code) {
    const DWORD value = static_cast<DWORD>(code);
    DWORD written = 0;
    ::WriteFile(link.pipe, &value, sizeof(value), &written, nullptr);
    ::CloseHandle(link.pipe);
    ::WaitForSingleObject(link.parent, kParentEndWait);
    ::CloseHandle(link.parent);
}

}  // namespace kv
