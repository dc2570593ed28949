// The dialog that sequences the installation: it starts the file worker on a
// thread of its own, polls the busy flag once a second, then runs the three
// registration steps on its own thread, one per timer tick, and ends itself.
#pragma once
#include "controls/animation_control.h"
#include "controls/label_control.h"
#include "controls/progress_bar.h"
#include "dialog/dialog.h"
#include "install/install_sequence.h"

namespace kv {

class InstallProgressDialog : public Dialog {
public:
    static constexpr UINT_PTR kPollTimer = 100;
    static constexpr UINT kStepMilliseconds = 10;
    static constexpr UINT kPollMilliseconds = 1000;
    static constexpr unsigned kWorkerStackSize = 0x10000;
    static constexpr int kLastStep = 4;

    explicit InstallProgressDialog(const InstallSteps& steps);
    // Closes the uninstall log, unless a worker that was never waited for
    // still writes it.
    ~InstallProgressDialog() override;

    void setStep(int step) { step_ = step; }

    BEGIN_MSG_MAP(InstallProgressDialog)
        MESSAGE_HANDLER(WM_TIMER, OnTimer)
        CHAIN_MSG_MAP(Dialog)
    END_MSG_MAP()

protected:
    bool OnInitDialog() override;
    // Nothing ends the dialog but its last step: Enter, Esc and Alt+F4 do nothing.
    void OnOK() override {}
    void OnCancel() override {}
    void DoDataExchange(DataExchange& exchange) override;

private:
    LRESULT OnTimer(UINT, WPARAM timer, LPARAM, bool&);
    void runCopyStep();
    void runRegistrationStep();
    void showStatusLabel();
    void StartInstallWorker();

    int step_ = 1;
    bool inStep_ = false;
    LabelControl statusLabel_;
    ProgressBar progressBar_;
    AnimationControl animation_;
    InstallSteps steps_;
};

// Runs the installation's progress dialog modally and returns when it has
// ended; the first form runs the engine's real steps.
void RunInstallProgress();
void RunInstallProgress(const InstallSteps& steps);

}  // namespace kv
