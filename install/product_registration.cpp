// Auto-start value of the tray program, the product's names and the count of
// installations of this product name.
#include "base/bounded_format.h"
#include "common/log_codec.h"
#include "common/registry_key.h"
#include "common/setup_config.h"
#include "install/command_path.h"
#include "install/install_state.h"
#include "install/install_steps.h"
#include "install/registration_names.h"

namespace kv {
namespace {

// False when its record could not be written: the value is removed again.
bool registerAutoStart(RegistryKey& key) {
    if (!key.Open(kRunKey, true)) return true;  // no value, no record
    char command[kPathCapacity];
    // Quoted when it holds a blank, so that no "C:\Program.exe" runs at
    // logon in its place. A command that does not fit is not written, like
    // one past the registry wrapper's limit; the record still goes, as it
    // does for any failed write of the value.
    if (buildCommandPath(command, installState.destinationDir, textOrEmpty(setupConfig.productKey)))
        key.WriteString(kAutoStartValueName, command);
    if (installState.appendLogRecord(kLogAutoStartValue, kAutoStartValueName)) return true;
    key.DeleteValue(kAutoStartValueName);
    return false;
}

void registerProductNames(RegistryKey& key) {
    if (!key.Open(kProductKey, true)) return;
    key.WriteString("InstallName", textOrEmpty(setupConfig.mainTitle));
    key.WriteString("SubInstallName", textOrEmpty(setupConfig.captionBar));
}

void countInstallation(RegistryKey& key) {
    char countKey[kPathCapacity];
    if (!formatInto(countKey, kInstallCountKeyFormat, textOrEmpty(setupConfig.mainTitle))) return;
    DWORD count = 1;
    if (key.Open(countKey, false)) {
        count = key.ReadDword(kInstallCountValueName, 0) + 1;  // wraps at 2^32
    } else if (!key.Open(countKey, true)) {
        return;  // the current key is still another one: write nothing
    }
    key.WriteDword(kInstallCountValueName, count);
}

}  // namespace

void runProductRegistration() {
    if (!installState.canInstall()) return;
    RegistryKey key;
    key.SetRoot(HKEY_LOCAL_MACHINE);
    if (!registerAutoStart(key)) return;
    registerProductNames(key);
    countInstallation(key);
}

}  // namespace kv
