#include "base/program_folder.h"

#include "base/win.h"

#include <cstring>

namespace kv {

bool folderOfProgram(char (&folder)[kPathCapacity]) {
    const DWORD length = ::GetModuleFileNameA(nullptr, folder, sizeof(folder));
    if (length == 0 || length >= sizeof(folder)) return false;
    char* slash = std::strrchr(folder, '\\');
    if (slash == nullptr) return false;
    *slash = '\0';
    return true;
}

}  // namespace kv
