// The package's program folder in the user's Start-menu Programs folder, with
// one shortcut per [Icons] entry of kvsetup.ini.
#include "base/bounded_format.h"
#include "base/com_initialization.h"
#include "base/planted_link.h"
#include "common/language_strings.h"
#include "common/log_codec.h"
#include "common/multibyte_text.h"
#include "common/package_names.h"
#include "common/setup_config.h"
#include "common/shared_folders.h"
#include "common/text_rules.h"
#include "install/create_directory_tree.h"
#include "install/icons_entry.h"
#include "install/install_state.h"
#include "install/install_steps.h"
#include "install/shell_link_writer.h"

#include <cstring>

namespace kv {
namespace {

// "<Programs>\<program folder name>", read afresh each time. False when that
// is no folder of the product's own: "Programs" unreadable (the folder would
// be relative to the current drive) or a name that is empty, absolute or
// climbs out of "Programs". No shortcut is made then.
bool programFolderPath(String& out) {
    return programFolderPathOf(textOrEmpty(setupConfig.programFolder), out);
}

// One file name, not a path: "..\Startup\x" or "a/b" would put the link
// outside the program folder (".lnk" follows, so no name is "." or "..").
bool staysInFolder(const String& name) {
    return findCharMultibyte(name.c_str(), 0, '\\') < 0 && findCharMultibyte(name.c_str(), 0, '/') < 0;
}

bool readIconsEntry(const char* configPath, int number, char (&entry)[kPathCapacity]) {
    std::memset(entry, 0, sizeof(entry));
    if (configPath == nullptr) return false;
    char key[16];
    formatInto(key, "%d", number);
    return ::GetPrivateProfileStringA("Icons", key, "", entry, sizeof(entry), configPath) > 0;
}

// False when its record could not be written: the link is removed again and
// nothing more is installed.
bool makeShortcut(const IconsEntry& entry) {
    // The name is never used as a format: its one "%s" is filled in literally.
    const String name =
        entry.name.find('%') == String::npos
            ? entry.name
            : fillStringPlaceholder(entry.name.c_str(),
                                    textOrEmpty(languageStrings.shortcutNameArgument));
    String folder;
    if (name.failed() || !staysInFolder(name) || !programFolderPath(folder)) return true;  // no shortcut, no record

    const String destination = installState.destinationDir;
    LinkDescription link;
    link.targetPath = destination + "\\" + entry.target;
    link.workingFolder = destination;
    link.description = name;
    link.iconPath = entry.hasIcon ? destination + "\\" + entry.icon : link.targetPath;
    link.iconIndex = 0;
    link.showCommand = SW_SHOW;
    const String linkPath = folder + "\\" + name + ".lnk";
    if (linkPath.failed() || link.targetPath.failed() || link.iconPath.failed()) return true;  // out of memory: no shortcut

    ShellLinkWriter writer;
    if (!writer.setDescription(link)) return true;  // no shell-link object: no shortcut, no record
    // A save that fails (a path the shell cannot take, a name no file system
    // accepts) is still recorded, so the uninstaller looks for the link.
    if (removePlantedLink(linkPath.c_str())) writer.save(linkPath.c_str());
    if (installState.appendLogRecord(kLogShortcut, linkPath.c_str())) return true;
    ::DeleteFileA(linkPath.c_str());
    return false;
}

}  // namespace

void runShortcutCreation() {
    if (!installState.canInstall()) return;
    String folder;
    if (!programFolderPath(folder)) return;  // no folder of our own: nothing to make or record
    char configPath[kPathCapacity];
    const bool haveConfig =
        configFilePath(configPath, sizeof(configPath), installState.sourceDir);
    const ComInitialization com;  // for this step only
    CreateDirectoryTree(folder.c_str(), false);

    char entryText[kPathCapacity];
    bool recorded = true;
    // The list ends at the first missing or empty key.
    for (int number = 1;
         recorded && readIconsEntry(haveConfig ? configPath : nullptr, number, entryText);
         ++number) {
        IconsEntry entry;
        if (parseIconsEntry(entryText, entry)) recorded = makeShortcut(entry);  // no comma, no shortcut
    }

    if (recorded && programFolderPath(folder)) recorded = installState.appendLogRecord(kLogProgramFolder, folder.c_str());
    // Unrecorded, the folder goes again if nothing recorded lies in it.
    if (!recorded) ::RemoveDirectoryA(folder.c_str());
}

}  // namespace kv
