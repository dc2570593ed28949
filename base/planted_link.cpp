#include "base/planted_link.h"

#include "base/unique_handle.h"

namespace kv {
namespace {

// Not in the headers of the oldest targets; never set on their file systems.
constexpr DWORD kReparsePointAttribute = 0x400;

// More than one name for the same file. The file is only asked about, not
// opened for reading or writing; sharing stays open for other programs
// (FILE_SHARE_DELETE is left out: the 95 family refuses it).
bool hasOtherNames(const char* path) {
    UniqueFile file(::CreateFileA(path, 0, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    BY_HANDLE_FILE_INFORMATION information = {};
    return file.valid() && ::GetFileInformationByHandle(file.get(), &information) &&
           information.nNumberOfLinks > 1;
}

}  // namespace

bool removePlantedLink(const char* path) {
    if (path == nullptr) return false;
    const DWORD attributes = ::GetFileAttributesA(path);
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY)) return true;
    if (!(attributes & kReparsePointAttribute) && !hasOtherNames(path)) return true;
    // A read-only link is cleared on purpose: it is no file of ours to keep.
    if (attributes & FILE_ATTRIBUTE_READONLY)
        ::SetFileAttributesA(path, attributes & ~FILE_ATTRIBUTE_READONLY);
    return ::DeleteFileA(path) != 0;
}

bool isLinkedFolder(const char* path) {
    const DWORD attributes = path ? ::GetFileAttributesA(path) : INVALID_FILE_ATTRIBUTES;
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) &&
           (attributes & kReparsePointAttribute);
}

}  // namespace kv
