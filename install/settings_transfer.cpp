#include "install/settings_transfer.h"

#include "base/bounded_format.h"
#include "base/planted_link.h"
#include "base/win.h"
#include "install/install_state.h"
#include "common/package_names.h"
#include "common/setup_config.h"

namespace kv {
namespace {

enum SettingsFile { kInfoFile, kConfFile };

struct TransferredSetting {
    const char* readSection;  // null: the value is the fixed text
    const char* readKey;
    SettingsFile target;
    const char* section;
    const char* key;
    const char* fixedValue;
};

const TransferredSetting kSettings[] = {
    {"Manufacture", "Manufacture", kInfoFile, "Manufacture", "Manufacture", nullptr},
    {"Applications", "Main", kInfoFile, "Applications", "Main", nullptr},
    {"Applications", "IniFile", kInfoFile, "Applications", "IniFile", nullptr},
    {"Applications", "DllFile", kInfoFile, "Applications", "DllFile", nullptr},
    {nullptr, nullptr, kInfoFile, "Strings", "Driver_Remove_Title", "Driver_Remove_Title"},
    {nullptr, nullptr, kInfoFile, "Strings", "Driver_Remove_Text", "Driver_Remove_Text"},
    {nullptr, nullptr, kInfoFile, "Strings", "Driver_Removing_Text", "Driver_Removing_Text"},
    {"Product", "VER", kConfFile, "Main", "VER", nullptr},
};

const char* const kTargetNames[] = {"KvInfo.ini", "KVCONF.INI"};

}  // namespace

bool transferredKey(int index, TransferredKey& key) {
    for (const TransferredSetting& setting : kSettings) {
        if (setting.readSection == nullptr) continue;
        if (index-- == 0) {
            key = {setting.readSection, setting.readKey, kTargetNames[setting.target]};
            return true;
        }
    }
    return false;
}

void transferSettings() {
    char source[kPathCapacity];
    // Without a source path every value reads as missing, that is empty.
    const bool haveSource = configFilePath(source, sizeof(source), installState.sourceDir);
    char targets[2][kPathCapacity];
    const bool haveTarget[2] = {
        formatInto(targets[kInfoFile], "%s\\%s", installState.destinationDir, "KvInfo.ini"),
        formatInto(targets[kConfFile], "%s\\%s", installState.destinationDir, "KVCONF.INI"),
    };

    // The profile writes go through a link planted under a file's name.
    const bool writable[2] = {haveTarget[kInfoFile] && removePlantedLink(targets[kInfoFile]),
                              haveTarget[kConfFile] && removePlantedLink(targets[kConfFile])};

    for (const TransferredSetting& setting : kSettings) {
        if (!writable[setting.target]) continue;
        char value[kPathCapacity] = {};
        const char* text = setting.fixedValue;
        if (text == nullptr) {
            if (haveSource)
                ::GetPrivateProfileStringA(setting.readSection, setting.readKey, "", value,
                                           sizeof(value), source);
            text = value;
        }
        ::WritePrivateProfileStringA(setting.section, setting.key, text,
                                     targets[setting.target]);
    }
}

}  // namespace kv
