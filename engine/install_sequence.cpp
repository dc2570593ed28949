#include "engine/install_sequence.h"

#include "common/step_report.h"
#include "core/install_state.h"

namespace kv {

const InstallStage kRegistrationStages[kRegistrationStageCount] = {
    {&LanguageStrings::progressRegistryText, &InstallSteps::productRegistration, "product and auto-start registration"},
    {&LanguageStrings::progressShortcutText, &InstallSteps::shortcutCreation, "shortcut creation"},
    {&LanguageStrings::progressUninstallText, &InstallSteps::uninstallRegistration, "uninstall registration"},
};

void runInstallStepsInline(const InstallSteps& steps) {
    reportStep("step: copying files");
    installState.setWorkerBusy(1);
    if (steps.worker != nullptr) steps.worker(nullptr);
    installState.setWorkerBusy(0);
    for (const InstallStage& stage : kRegistrationStages) {
        reportStep("step: %s", stage.reportName);
        void (*work)() = steps.*stage.work;
        if (work != nullptr) work();
    }
}

}  // namespace kv
