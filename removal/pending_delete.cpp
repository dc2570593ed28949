#include "removal/pending_delete.h"

#include "base/bounded_format.h"
#include "base/proc_address.h"
#include "base/unique_handle.h"
#include "removal/path_rules.h"
#include "removal/wininit_text.h"

#include <cstring>
#include <new>

namespace kv {
namespace {

// Not in the first Windows 95's KERNEL32 (and not working on the 95
// family at all), so looked up at run time.
using MoveFileExFn = BOOL(WINAPI*)(const char*, const char*, DWORD);

constexpr DWORD kLargestWininit = 1 << 20;

bool readWholeFile(const char* path, String& text) {
    UniqueFile file(::CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return ::GetLastError() == ERROR_FILE_NOT_FOUND;  // no file: start one
    const DWORD size = ::GetFileSize(file.get(), nullptr);
    if (size == INVALID_FILE_SIZE || size > kLargestWininit) return false;
    String bytes(static_cast<std::size_t>(size), ' ');
    if (bytes.failed()) return false;
    DWORD read = 0;
    if (size > 0 && (!::ReadFile(file.get(), bytes.data(), size, &read, nullptr) || read != size)) return false;
    text = static_cast<String&&>(bytes);
    return true;
}

bool writeWholeFile(const char* path, const char* bytes, std::size_t size) {
    UniqueFile file(::CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return false;
    DWORD written = 0;
    return ::WriteFile(file.get(), bytes, static_cast<DWORD>(size), &written, nullptr) && written == size;
}

bool ansiLead(unsigned char byte) { return ::IsDBCSLeadByte(byte) != 0; }

}  // namespace

bool RestartDeletes::anyBelow(const char* folder) const {
    const char* at = paths_.c_str();
    while (*at) {
        std::size_t length = 0;
        while (at[length] && at[length] != '\n') ++length;
        if (pathIsBelow(at, length, folder, ansiLead)) return true;
        at += length + (at[length] ? 1 : 0);
    }
    return false;
}

bool RestartDeletes::schedule(const char* path, bool folder) {
    if (ntFamily_) {
        const auto moveFileEx = procAddress<MoveFileExFn>(::GetModuleHandleA("KERNEL32.DLL"), "MoveFileExA");
        if (moveFileEx == nullptr || !moveFileEx(path, nullptr, MOVEFILE_DELAY_UNTIL_REBOOT)) return false;
        ++scheduled_;
        paths_ += path;
        paths_ += '\n';
        return true;
    }
    // WININIT's lines must carry the short names; the long ones are not
    // understood. The short name also needs no quotes on a command line.
    char shortPath[kPathCapacity];
    const DWORD length = ::GetShortPathNameA(path, shortPath, sizeof(shortPath));
    if (length == 0 || length >= sizeof(shortPath)) return false;
    if (folder) {
        const std::size_t before = folders_.size();
        folders_ += shortPath;
        folders_ += '\n';
        if (folders_.failed()) {
            folders_.resize(before);
            return false;
        }
        ++scheduled_;
        paths_ += path;
        paths_ += '\n';
        return true;
    }
    const std::size_t before = wininitLines_.size();
    wininitLines_ += "NUL=";
    wininitLines_ += shortPath;
    wininitLines_ += "\r\n";
    if (wininitLines_.failed()) {
        wininitLines_.resize(before);
        return false;
    }
    ++scheduled_;
    paths_ += path;
    paths_ += '\n';
    return true;
}

bool RestartDeletes::commit() {
    return commitFolders() && commitWininit();
}

// One RunOnce value per folder, named for it, so that another pending
// removal's values stay: "<interpreter> /c rd <short folder>".
bool RestartDeletes::commitFolders() {
    if (folders_.empty()) return true;
    char interpreter[kPathCapacity];
    const DWORD length = ::GetEnvironmentVariableA("COMSPEC", interpreter, sizeof(interpreter));
    if (length == 0 || length >= sizeof(interpreter)) return false;
    UniqueRegKey runOnce;
    DWORD disposition = 0;
    if (::RegCreateKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\RunOnce", 0, nullptr, 0,
                          KEY_SET_VALUE, nullptr, runOnce.put(), &disposition) != ERROR_SUCCESS)
        return false;
    bool all = true;
    const char* at = folders_.c_str();
    while (*at) {
        std::size_t n = 0;
        while (at[n] && at[n] != '\n') ++n;
        String folder(at, n);
        char name[kPathCapacity + 16], command[2 * kPathCapacity + 16];
        if (folder.failed() || !formatInto(name, "kvrem rd %s", folder.c_str()) ||
            !formatInto(command, std::strchr(interpreter, ' ') ? "\"%s\" /c rd %s" : "%s /c rd %s", interpreter,
                        folder.c_str()) ||
            ::RegSetValueExA(runOnce.get(), name, 0, REG_SZ, reinterpret_cast<const BYTE*>(command),
                             static_cast<DWORD>(std::strlen(command) + 1)) != ERROR_SUCCESS)
            all = false;
        at += n + (at[n] ? 1 : 0);
    }
    if (all) folders_.clear();
    return all;
}

bool RestartDeletes::commitWininit() {
    if (wininitLines_.empty()) return true;
    char path[kPathCapacity];
    const UINT folderLength = ::GetWindowsDirectoryA(path, sizeof(path));
    if (folderLength == 0 || folderLength >= sizeof(path) || !appendInto(path, "\\WININIT.INI")) return false;
    String text;
    if (!readWholeFile(path, text)) return false;
    const std::size_t capacity = text.size() + wininitLines_.size() + 16;
    char* merged = new (std::nothrow) char[capacity];
    if (merged == nullptr) return false;
    const std::size_t size =
        addWininitLines(text.c_str(), text.size(), wininitLines_.c_str(), wininitLines_.size(), merged, capacity);
    const bool written = size > 0 && writeWholeFile(path, merged, size);
    delete[] merged;
    if (written) wininitLines_.clear();
    return written;
}

DeleteOutcome deleteFileNowOrAtRestart(const char* path, RestartDeletes& restart) {
    if (::DeleteFileA(path)) return DeleteOutcome::Removed;
    const DWORD error = ::GetLastError();
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return DeleteOutcome::Absent;
    // Read-only files are ours too (the engine copies whatever it is given).
    const DWORD attributes = ::GetFileAttributesA(path);
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) return DeleteOutcome::Failed;
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) &&
        ::SetFileAttributesA(path, attributes & ~FILE_ATTRIBUTE_READONLY) && ::DeleteFileA(path))
        return DeleteOutcome::Removed;
    return restart.schedule(path, false) ? DeleteOutcome::AtRestart : DeleteOutcome::Failed;
}

DeleteOutcome removeFolderNowOrAtRestart(const char* path, bool pendingInside, RestartDeletes& restart) {
    if (::RemoveDirectoryA(path)) return DeleteOutcome::Removed;
    const DWORD attributes = ::GetFileAttributesA(path);
    if (attributes == INVALID_FILE_ATTRIBUTES) return DeleteOutcome::Absent;
    if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) return DeleteOutcome::Failed;
    if (pendingInside && restart.schedule(path, true)) return DeleteOutcome::AtRestart;
    return DeleteOutcome::NotEmpty;
}

}  // namespace kv
