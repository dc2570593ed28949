#include "common/installed_folder.h"

#include "common/registration_names.h"
#include "common/registry_key.h"
#include "common/shared_folders.h"

namespace kv {

bool installedFolder(char (&folder)[kPathCapacity]) {
    RegistryKey key;
    key.SetRoot(HKEY_LOCAL_MACHINE);
    if (!key.Open(kProductKey, false)) return false;
    const String installed = key.ReadString("AppPath", "");
    char found[kPathCapacity];
    char log[kPathCapacity];
    if (installed.empty() || !copyInto(found, installed.c_str()) || !isUsableDestination(found) ||
        !formatInto(log, "%s\\kvrem00.log", found) || ::GetFileAttributesA(log) == INVALID_FILE_ATTRIBUTES)
        return false;
    return copyInto(folder, found);
}

}  // namespace kv
