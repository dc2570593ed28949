#include "install/earlier_installation.h"

#include "base/bounded_format.h"
#include "install/install_state.h"
#include "install/usb_filter_removal.h"
#include "common/registration_names.h"
#include "common/registry_key.h"
#include "removal/path_rules.h"
#include "removal/removal_run.h"

namespace kv {
namespace {

bool ansiLead(unsigned char byte) { return ::IsDBCSLeadByte(byte) != 0; }

}  // namespace

RemovalOptions engineRemovalOptions(const char* folder) {
    RemovalOptions options;
    options.installation = folder;
    options.ntFamily = installState.isNtFamily();
    options.filterPlatform = installState.is95Family() ? FilterPlatform::Family95
                             : installState.osIsOtherNt() ? FilterPlatform::Nt4
                                                         : FilterPlatform::Nt5;
    options.usbWalk95 = &RemoveUsbLowerFilterFromDevices;
    return options;
}

void removeEarlierInstallation() {
    RegistryKey key;
    key.SetRoot(HKEY_LOCAL_MACHINE);
    if (!key.Open(kProductKey, false)) return;
    const String installed = key.ReadString("AppPath", "");
    key.Reset();
    char folder[kPathCapacity];
    char log[kPathCapacity];
    if (installed.empty() || !copyInto(folder, installed.c_str()) || samePath(folder, installState.destinationDir, ansiLead) ||
        !formatInto(log, "%s\\kvrem00.log", folder) || ::GetFileAttributesA(log) == INVALID_FILE_ATTRIBUTES)
        return;
    RemovalOptions options = engineRemovalOptions(folder);
    options.keepDriverFile = true;
    Unreported account;
    const RemovalSummary summary = removeInstallation(options, account);
    if (summary.atRestart > 0) installState.restartNeeded = 1;
}

}  // namespace kv
