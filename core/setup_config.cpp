#include "core/setup_config.h"

#include "base/bounded_format.h"
#include "base/win.h"
#include "core/install_state.h"
#include "core/package_names.h"
#include "engine/registry_key.h"

#include "base/heap_string.h"

namespace kv {

SetupConfig setupConfig;

namespace {

// The order in which the values are read.
const ConfigKey kConfigKeys[] = {
    {"Product", "Product", &SetupConfig::productName},
    {"Product", "Key", &SetupConfig::productKey},
    {"Target", "Dir", &SetupConfig::targetDir},
    {"Target", "Folder", &SetupConfig::programFolder},
    {"Display Name", "Name", &SetupConfig::displayName},
    {"Title", "CaptionBar", &SetupConfig::captionBar},
    {"Title", "Main", &SetupConfig::mainTitle},
};

}  // namespace

const ConfigKey* configKeys(int& count) {
    count = static_cast<int>(sizeof(kConfigKeys) / sizeof(kConfigKeys[0]));
    return kConfigKeys;
}

bool configFilePath(char* out, unsigned capacity, const char* sourceDir) {
    return formatBounded(out, capacity, "%s\\%s", sourceDir, kConfigFileName);
}

void fallbackProgramFilesDir(char* out, unsigned capacity) {
    char windows[kPathCapacity] = {};
    const UINT length = ::GetWindowsDirectoryA(windows, sizeof(windows));
    char drive[3] = {'C', ':', '\0'};
    if (length >= 2 && length < sizeof(windows) && windows[1] == ':') drive[0] = windows[0];
    formatBounded(out, capacity, "%s\\Program Files", drive);
}

void loadSetupConfig() {
    const DWORD startLength = ::GetCurrentDirectoryA(kPathCapacity, installState.startDir);
    if (startLength == 0 || startLength >= kPathCapacity) installState.startDir[0] = '\0';

    char path[kPathCapacity];
    const bool havePath = configFilePath(path, sizeof(path), installState.sourceDir);
    char value[kPathCapacity];
    for (const ConfigKey& entry : kConfigKeys) {
        DWORD length = 0;
        if (havePath)
            length = ::GetPrivateProfileStringA(entry.section, entry.key, "", value,
                                                sizeof(value), path);
        setupConfig.*(entry.field) = makeOwnedText(value, length);
    }

    char base[kPathCapacity] = {};
    RegistryKey key;
    key.SetRoot(HKEY_LOCAL_MACHINE);
    if (key.Open("Software\\microsoft\\windows\\currentversion", false)) {
        copyInto(base, key.ReadString("programfilesDir", "").c_str());
    } else {
        fallbackProgramFilesDir(base, sizeof(base));
    }
    // A combination that does not fit is refused, never cut into another path.
    formatInto(installState.destinationDir, "%s\\%s", base, textOrEmpty(setupConfig.targetDir));
}

void releaseSetupConfig() {
    for (const ConfigKey& entry : kConfigKeys) (setupConfig.*(entry.field)).reset();
}

}  // namespace kv
