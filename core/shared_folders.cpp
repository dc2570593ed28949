#include "core/shared_folders.h"

#include "base/bounded_format.h"
#include "base/win.h"
#include "core/folder_rules.h"
#include "engine/registry_key.h"

namespace kv {
namespace {

std::string windowsFolder(UINT (WINAPI* query)(LPSTR, UINT)) {
    char folder[kPathCapacity] = {};
    const UINT length = query(folder, sizeof(folder));
    return length > 0 && length < sizeof(folder) ? std::string(folder) : std::string();
}

}  // namespace

std::string fallbackProgramFilesFolder() {
    const std::string windows = windowsFolder(&::GetWindowsDirectoryA);
    const char drive = windows.size() >= 2 && windows[1] == ':' ? windows[0] : 'C';
    return std::string(1, drive) + ":\\Program Files";
}

std::string programFilesFolder() {
    RegistryKey key;
    key.SetRoot(HKEY_LOCAL_MACHINE);
    if (key.Open("Software\\microsoft\\windows\\currentversion", false))
        return key.ReadString("programfilesDir", "");
    return fallbackProgramFilesFolder();
}

std::string startMenuProgramsFolder() {
    RegistryKey key;
    key.SetRoot(HKEY_CURRENT_USER);
    key.Open("Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders", false);
    return key.ReadString("Programs", "");
}

std::vector<std::string> sharedFolders() {
    return {programFilesFolder(), windowsFolder(&::GetWindowsDirectoryA),
            windowsFolder(&::GetSystemDirectoryA), startMenuProgramsFolder()};
}

bool isUsableDestination(const char* folder) { return isOwnFolderPath(folder, sharedFolders()); }

bool programFolderPathOf(const char* name, std::string& out) {
    out.clear();
    const std::string programs = startMenuProgramsFolder();
    if (!isOwnFolderName(name)) return false;
    const std::string path = programs + "\\" + name;
    if (!isOwnFolderPath(path.c_str(), {programs})) return false;
    out = path;
    return true;
}

}  // namespace kv
