// The order of an installation's steps, one table for both ways of running
// it: the progress dialog (the worker on its own thread, each registration
// step on a timer tick) and the unattended run (every step in turn on the
// calling thread, no window).
#pragma once
#include "base/thread_start.h"
#include "common/language_strings.h"

#include <cstdint>

namespace kv {

// What a run of the steps calls. The real steps are engineInstallSteps();
// tests put doubles in their place.
struct InstallSteps {
    using WorkerStart = unsigned(__stdcall*)(void*);
    // A thread handle, or 0 when none was made (kv::startThread's contract).
    using ThreadStarter = std::uintptr_t(__cdecl*)(void* security, unsigned stackSize, WorkerStart start,
                                                   void* argument, unsigned flags, unsigned* threadId);

    WorkerStart worker = nullptr;
    void (*productRegistration)() = nullptr;
    void (*shortcutCreation)() = nullptr;
    void (*uninstallRegistration)() = nullptr;
    ThreadStarter startThread = &kv::startThread;
};

// The file worker and registration steps of install/install_steps.h.
InstallSteps engineInstallSteps();

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
