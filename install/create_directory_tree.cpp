#include "install/create_directory_tree.h"

#include "base/bounded_format.h"
#include "base/win.h"
#include "common/multibyte_text.h"

#include <cstring>

namespace kv {

bool folderExists(const char* path) {
    const DWORD attributes = ::GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

int CreateDirectoryTree(const char* path, bool pathNamesFile) {
    if (path == nullptr) return 0;
    const std::size_t length = strnlen(path, kPathCapacity);
    if (length >= kPathCapacity) return 0;

    char part[kPathCapacity];
    // The part before the first separator (a drive and its colon) is never
    // created on its own: the walk starts at the second separator.
    const int first = findCharMultibyte(path, 1, '\\');
    int last = -1;
    for (int at = findCharMultibyte(path, first + 1, '\\'); at >= 0;
         at = findCharMultibyte(path, at + 1, '\\')) {
        std::memcpy(part, path, static_cast<std::size_t>(at));
        part[at] = '\0';
        ::CreateDirectoryA(part, nullptr);  // "already exists" is as good as made
        last = at;
    }

    if (!pathNamesFile) {
        ::CreateDirectoryA(path, nullptr);
        return folderExists(path) ? 1 : 0;
    }
    if (last < 0) last = first;  // the only separator may be the one the walk skipped
    if (last < 0) return 1;      // a bare file name lies in the current folder
    std::memcpy(part, path, static_cast<std::size_t>(last));
    part[last] = '\0';
    if (last == 0 || part[last - 1] == ':') {
        // "\name" or "C:\name": the folder is a root, which the test below
        // needs with its separator.
        part[last] = '\\';
        part[last + 1] = '\0';
    }
    return folderExists(part) ? 1 : 0;
}

}  // namespace kv
