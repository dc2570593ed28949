#include "install/install_sequence.h"

#include "common/step_report.h"
#include "install/install_state.h"
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
