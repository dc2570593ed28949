#include "install/install_rollback.h"

#include "base/bounded_format.h"
#include "install/install_state.h"
#include "common/setup_config.h"
#include "common/shared_folders.h"
#include "install/earlier_installation.h"

namespace kv {

void rollBackStoppedInstall() {
    if (!installState.installStopped || installState.destinationDir[0] == 0) return;
    char log[kPathCapacity];
    if (!formatInto(log, "%s\\kvrem00.log", installState.destinationDir) ||
        ::GetFileAttributesA(log) == INVALID_FILE_ATTRIBUTES)
        return;  // nothing was installed without a log
    String programFolder;
    const bool haveProgramFolder = programFolderPathOf(textOrEmpty(setupConfig.programFolder), programFolder);
    RemovalOptions options = engineRemovalOptions(installState.destinationDir);
    options.stoppedInstallProgramFolder = haveProgramFolder ? programFolder.c_str() : "";
    Unreported account;
    const RemovalSummary summary = removeInstallation(options, account);
    // What the install makes before it records it (the log itself, the
    // resource folder, the program folder, the destination) goes if empty.
    ::DeleteFileA(log);
    char resources[kPathCapacity];
    if (formatInto(resources, "%s\\RES", installState.destinationDir)) ::RemoveDirectoryA(resources);
    ::RemoveDirectoryA(installState.destinationDir);
    if (haveProgramFolder) ::RemoveDirectoryA(programFolder.c_str());
    if (summary.atRestart > 0) installState.restartNeeded = 1;
}

}  // namespace kv
