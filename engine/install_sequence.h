// The order of an installation's steps, one table for both ways of running
// it: the progress dialog (the worker on its own thread, each registration
// step on a timer tick) and the unattended run (every step in turn on the
// calling thread, no window).
#pragma once
#include "core/language_strings.h"
#include "engine/install_progress_dialog.h"

namespace kv {

struct InstallStage {
    const OwnedText LanguageStrings::*text;  // the dialog's caption while it runs
    void (*InstallSteps::*work)();
    const char* reportName;                  // how the administrator's log names it
};

// Step 1 is the file worker; these are steps 2, 3 and 4, after it.
constexpr int kRegistrationStageCount = 3;
extern const InstallStage kRegistrationStages[kRegistrationStageCount];

// Every step in order on this thread, with no window: the worker (which sets
// and clears the busy flag), then each registration step.
void runInstallStepsInline(const InstallSteps& steps);

}  // namespace kv
