#include "setup/setup_run.h"

#include "install/install_state.h"
#include "common/installed_folder.h"
#include "common/language_strings.h"
#include "common/language_table.h"
#include "common/result_code.h"
#include "common/setup_config.h"

#include <atomic>
#include <cstring>

namespace kv {

namespace {

// One setup run at a time in the process: a second call, from any thread,
// would share the install state and the windows of the first.
std::atomic<bool> running{false};

class RunningScope {
public:
    RunningScope() : entered_(!running.exchange(true, std::memory_order_acquire)) {}
    ~RunningScope() {
        if (entered_) running.store(false, std::memory_order_release);
    }
    RunningScope(const RunningScope&) = delete;
    RunningScope& operator=(const RunningScope&) = delete;
    bool entered() const { return entered_; }

private:
    bool entered_;
};

}  // namespace

int runSetupWith(const char* sourceFolder, const SetupRunBody& body, int refused) {
    RunningScope scope;
    if (!scope.entered()) return refused;  // nothing shown, nothing touched
    // A folder that does not fit the source buffer would be cut into some
    // other path, and an empty one would make every package path relative to
    // the current drive: refuse the run before anything is shown.
    if (sourceFolder == nullptr || *sourceFolder == '\0' ||
        strnlen(sourceFolder, kPathCapacity) >= kPathCapacity)
        return refused;
    copyInto(installState.sourceDir, sourceFolder);
    installState.installStopped = false;

    detectPlatformAndLanguage();
    loadSetupConfig(installState.sourceDir, installState.startDir, installState.destinationDir);
    installedFolder(installState.destinationDir);  // a reinstall goes where the product is
    if (body.choose != nullptr && !body.choose(body.context)) {
        releaseSetupConfig();
        return refused;
    }
    installState.languageCode = languageCodeAt(installState.languageIndex);
    loadLanguageStrings(installState.sourceDir, installState.languageCode);

    const int result = body.run(body.context);

    releaseLanguageStrings();
    releaseSetupConfig();
    return result;
}

int runWizardToResult() {
    const int endCode = runSetupMainWindow();
    // An installation that stopped left only what its log records: no
    // restart is asked for it.
    if (installState.installStopped) return kResultFailed;
    return resultCodeForEndCode(endCode, installState.isNtFamily());
}

int runSetup(const char* sourceFolder) {
    SetupRunBody wizard;
    wizard.run = [](void*) { return runWizardToResult(); };
    return runSetupWith(sourceFolder, wizard, kResultFailed);
}

}  // namespace kv
