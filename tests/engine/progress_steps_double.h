// Step doubles for the progress dialog: each registration step records what
// the dialog showed when it ran; the worker double's behaviour is chosen per
// test.
#pragma once
#include "install/install_state.h"
#include "common/language_strings.h"
#include "wizard/install_progress_dialog.h"

#include <atomic>
#include <string>
#include <vector>

namespace kvtest {

struct StepRecord {
    std::string name;
    DWORD tick = 0;
    std::string caption;
    std::string labelText;
    bool labelVisible = false;
    bool progressVisible = true;
    LOGFONTA labelFont{};
    COLORREF labelColour = 0;
    int progressLow = -1, progressHigh = -1, progressPos = -1;
    bool logOpen = false;
    bool labelAboveClip = false;  // in front of the clip, which does not paint over it
    DWORD thread = 0;
};

struct ProgressRecorder {
    std::atomic<HWND> dialog{nullptr};
    std::vector<StepRecord> steps;  // registration steps, on the dialog's thread
    StepRecord worker;              // step 1, seen from the worker
    std::atomic<DWORD> workerStarted{0};
    std::atomic<DWORD> workerEnded{0};
    DWORD captionShownAt = 0;
};

extern ProgressRecorder recorder;

// What the dialog shows now; `name` labels the record.
StepRecord observe(const char* name);

// Doubles of the three registration steps.
void recordProductRegistration();
void recordShortcutCreation();
void recordUninstallRegistration();

// Steps with the given worker double and the recording registration steps.
kv::InstallSteps recordingSteps(kv::InstallSteps::WorkerStart worker);

// Known texts for the four captions; released again by the destructor.
class ProgressTexts {
public:
    ProgressTexts();
    ~ProgressTexts();
};

}  // namespace kvtest
