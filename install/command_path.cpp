#include "install/command_path.h"

#include "install/quote_path.h"

#include <cstring>

namespace kv {

bool buildCommandPath(char (&command)[kPathCapacity], const char* folder, const char* name) {
    command[0] = '\0';
    if (folder == nullptr || name == nullptr || std::strchr(folder, '"') != nullptr ||
        std::strchr(name, '"') != nullptr)
        return false;
    if (formatInto(command, "%s\\%s", folder, name) && QuotePath(command, true)) return true;
    command[0] = '\0';
    return false;
}

}  // namespace kv
