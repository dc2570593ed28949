#include "common/shared_folders.h"

#include "base/bounded_format.h"
#include "base/win.h"
#include "common/folder_rules.h"
#include "common/registry_key.h"

namespace kv {
namespace {

String windowsFolder(UINT (WINAPI* query)(LPSTR, UINT)) {
    char folder[kPathCapacity] = {};
    const UINT length = query(folder, sizeof(folder));
    return length > 0 && length < sizeof(folder) ? String(folder) : String();
}

}  // namespace

String fallbackProgramFilesFolder() {
    const String windows = windowsFolder(&::GetWindowsDirectoryA);
    const char drive = windows.size() >= 2 && windows[1] == ':' ? windows[0] : 'C';
    return String(1, drive) + ":\\Program Files";
}

String programFilesFolder() {
    RegistryKey key;
    key.SetRoot(HKEY_LOCAL_MACHINE);
    if (key.Open("Software\\microsoft\\windows\\currentversion", false))
        return key.ReadString("programfilesDir", "");
    return fallbackProgramFilesFolder();
}

String startMenuProgramsFolder() {
    RegistryKey key;
    key.SetRoot(HKEY_CURRENT_USER);
    key.Open("Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders", false);
    return key.ReadString("Programs", "");
}

bool isUsableDestination(const char* folder) {
    const String programFiles = programFilesFolder();
    const String windows = windowsFolder(&::GetWindowsDirectoryA);
    const String system = windowsFolder(&::GetSystemDirectoryA);
    const String programs = startMenuProgramsFolder();
    // A folder that could not be read for want of memory cannot be ruled out.
    if (programFiles.failed() || windows.failed() || system.failed() || programs.failed()) return false;
    return isOwnFolderPath(folder, {programFiles.c_str(), windows.c_str(), system.c_str(), programs.c_str()});
}

bool programFolderPathOf(const char* name, String& out) {
    out.clear();
    const String programs = startMenuProgramsFolder();
    if (!isOwnFolderName(name)) return false;
    const String path = programs + "\\" + name;
    if (path.failed() || !isOwnFolderPath(path.c_str(), {programs.c_str()})) return false;
    out = path;
    return true;
}

}  // namespace kv
