#include "common/setup_config.h"

#include "base/bounded_format.h"
#include "base/win.h"
#include "common/multibyte_text.h"
#include "common/package_names.h"
#include "common/shared_folders.h"

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

void loadSetupConfig(const char* sourceDir, char (&startDir)[kPathCapacity],
                     char (&destinationDir)[kPathCapacity]) {
    const DWORD startLength = ::GetCurrentDirectoryA(kPathCapacity, startDir);
    if (startLength == 0 || startLength >= kPathCapacity) startDir[0] = '\0';

    char path[kPathCapacity];
    const bool havePath = configFilePath(path, sizeof(path), sourceDir);
    char value[kPathCapacity];
    for (const ConfigKey& entry : kConfigKeys) {
        DWORD length = 0;
        if (havePath)
            length = ::GetPrivateProfileStringA(entry.section, entry.key, "", value,
                                                sizeof(value), path);
        setupConfig.*(entry.field) = makeOwnedText(value, fittedTextLength(value, length, sizeof(value)));
    }

    // A combination that does not fit is refused, never cut into another
    // path; one that is no folder of the product's own (an empty or missing
    // [Target] Dir gives the program-files folder itself) is no default.
    if (!formatInto(destinationDir, "%s\\%s", programFilesFolder().c_str(),
                    textOrEmpty(setupConfig.targetDir)) ||
        !isUsableDestination(destinationDir))
        destinationDir[0] = '\0';
}

void releaseSetupConfig() {
    for (const ConfigKey& entry : kConfigKeys) (setupConfig.*(entry.field)).reset();
}

}  // namespace kv
