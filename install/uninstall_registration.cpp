// The package's entry in the system's list of installed programs, and the
// rest of the product's own values.
#include "base/bounded_format.h"
#include "common/log_codec.h"
#include "common/registry_key.h"
#include "common/setup_config.h"
#include "install/command_path.h"
#include "install/file_table.h"
#include "install/install_state.h"
#include "install/install_steps.h"
#include "install/registration_names.h"

namespace kv {
namespace {

// False when its record could not be written: a key this step made is
// removed again, and no value is written.
bool registerUninstallEntry(RegistryKey& key) {
    const char* productName = textOrEmpty(setupConfig.productName);
    // Without a name the key path would be the "Uninstall" list itself.
    if (*productName == '\0') return true;
    char uninstallKey[kPathCapacity];
    if (!formatInto(uninstallKey, kUninstallKeyFormat, productName)) return true;
    const bool existed = key.Open(uninstallKey, false);
    if (!key.Open(uninstallKey, true)) return true;

    // Before any value, whatever they give.
    if (!installState.appendLogRecord(kLogUninstallKey, uninstallKey)) {
        if (!existed) key.DeleteKey(uninstallKey);
        return false;
    }
    key.WriteString("DisplayName", productName);
    char command[kPathCapacity];
    // The uninstaller's path, quoted when it holds a blank.
    if (buildCommandPath(command, installState.destinationDir, kFileTable[kUninstallerProgram]))
        key.WriteString("UninstallString", command);
    return true;
}

void registerProductValues(RegistryKey& key) {
    if (!key.Open(kProductKey, true)) return;
    key.WriteString("AppPath", installState.destinationDir);
    key.WriteString("ProductName", textOrEmpty(setupConfig.productName));
    key.WriteString("ProductKey", textOrEmpty(setupConfig.productKey));
}

}  // namespace

void runUninstallRegistration() {
    if (!installState.canInstall()) return;
    RegistryKey key;
    key.SetRoot(HKEY_LOCAL_MACHINE);
    if (!registerUninstallEntry(key)) return;
    registerProductValues(key);
}

}  // namespace kv
