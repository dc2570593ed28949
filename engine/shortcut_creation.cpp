// The package's program folder in the user's Start-menu Programs folder, with
// one shortcut per [Icons] entry of kvsetup.ini.
#include "base/bounded_format.h"
#include "base/com_initialization.h"
#include "core/install_state.h"
#include "core/language_strings.h"
#include "core/package_names.h"
#include "core/setup_config.h"
#include "core/text_rules.h"
#include "engine/create_directory_tree.h"
#include "engine/icons_entry.h"
#include "engine/install_steps.h"
#include "engine/log_record.h"
#include "engine/registry_key.h"
#include "engine/shell_link_writer.h"

#include <cstring>
#include <string>

namespace kv {
namespace {

constexpr char kShellFoldersKey[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

// "<Programs>\<program folder name>", read afresh each time. An unreadable
// "Programs" value gives "\<name>", a folder at the root of the current drive.
// False when the path does not fit 260 bytes.
bool programFolderPath(char (&out)[kPathCapacity]) {
    RegistryKey key;
    key.SetRoot(HKEY_CURRENT_USER);
    key.Open(kShellFoldersKey, false);
    const std::string programs = key.ReadString("Programs", "");
    return formatInto(out, "%s\\%s", programs.c_str(), textOrEmpty(setupConfig.programFolder));
}

bool readIconsEntry(const char* configPath, int number, char (&entry)[kPathCapacity]) {
    std::memset(entry, 0, sizeof(entry));
    if (configPath == nullptr) return false;
    char key[16];
    formatInto(key, "%d", number);
    return ::GetPrivateProfileStringA("Icons", key, "", entry, sizeof(entry), configPath) > 0;
}

// A path the shell-link object is given must fit 260 bytes, as every path of
// the installation does.
bool fitsPath(const std::string& path) { return path.size() < kPathCapacity; }

void makeShortcut(const IconsEntry& entry) {
    // The name is never used as a format: its one "%s" is filled in literally.
    const std::string name =
        entry.name.find('%') == std::string::npos
            ? entry.name
            : fillStringPlaceholder(entry.name.c_str(),
                                    textOrEmpty(languageStrings.shortcutNameArgument));
    char folder[kPathCapacity];
    if (!programFolderPath(folder)) return;

    const std::string destination = installState.destinationDir;
    LinkDescription link;
    link.targetPath = destination + "\\" + entry.target;
    link.workingFolder = destination;
    link.description = name;
    link.iconPath = entry.hasIcon ? destination + "\\" + entry.icon : link.targetPath;
    link.iconIndex = 0;
    link.showCommand = SW_SHOW;
    const std::string linkPath = std::string(folder) + "\\" + name + ".lnk";
    if (!fitsPath(link.targetPath) || !fitsPath(link.iconPath) || !fitsPath(linkPath)) return;

    ShellLinkWriter writer;
    if (!writer.setDescription(link)) return;  // no shell-link object: no shortcut, no record
    writer.save(linkPath.c_str());             // a failed save is still recorded
    installState.appendLogRecord(linkPath.c_str());
}

}  // namespace

void runShortcutCreation() {
    char configPath[kPathCapacity];
    const bool haveConfig =
        formatInto(configPath, "%s\\%s", installState.sourceDir, kConfigFileName);
    char folder[kPathCapacity];
    const bool haveFolder = programFolderPath(folder);
    const ComInitialization com;  // for this step only
    if (haveFolder) CreateDirectoryTree(folder, false);

    installState.logRecordType = kLogShortcut;
    char entryText[kPathCapacity];
    // The list ends at the first missing or empty key.
    for (int number = 1; readIconsEntry(haveConfig ? configPath : nullptr, number, entryText);
         ++number) {
        IconsEntry entry;
        if (parseIconsEntry(entryText, entry)) makeShortcut(entry);  // no comma, no shortcut
    }

    installState.logRecordType = kLogProgramFolder;
    if (programFolderPath(folder)) installState.appendLogRecord(folder);
}

}  // namespace kv
