// The progress dialog with the engine's real steps. Kept apart so that
// programs which run the dialog with other steps need not link the engine.
#include "wizard/install_progress_dialog.h"
#include "install/install_steps.h"

namespace kv {

InstallSteps engineInstallSteps() {
    InstallSteps steps;
    steps.worker = &InstallWorker;
    steps.productRegistration = &runProductRegistration;
    steps.shortcutCreation = &runShortcutCreation;
    steps.uninstallRegistration = &runUninstallRegistration;
    steps.startThread = &kv::startThread;
    return steps;
}

void RunInstallProgress() { RunInstallProgress(engineInstallSteps()); }

}  // namespace kv
