#include "wizard/install_progress_dialog.h"
#include "install/install_rollback.h"

#include "base/module_instance.h"
#include "install/install_state.h"
#include "common/language_strings.h"
#include "dialog/common_controls.h"
#include "res/resource_ids.h"

namespace kv {
namespace {

constexpr COLORREF kStatusColour = 0x00FF0000;  // blue
constexpr int kStatusPoints = 13;
static_assert(InstallProgressDialog::kLastStep == 1 + kRegistrationStageCount, "step 1 copies, then one a stage");

}  // namespace

InstallProgressDialog::InstallProgressDialog(const InstallSteps& steps)
    : Dialog(IDD_INSTALL_PROGRESS), steps_(steps) {}

InstallProgressDialog::~InstallProgressDialog() {
    if (installState.uninstallLog.isOpen() && !installState.isWorkerBusy()) {
        installState.uninstallLog.close();
        rollBackStoppedInstall();
    }
}

void InstallProgressDialog::DoDataExchange(DataExchange& exchange) {
    exchangeControl(exchange, IDC_PROGRESS_BAR, progressBar_);
    exchangeControl(exchange, IDC_STATUS_LABEL, statusLabel_);
    exchangeControl(exchange, IDC_COPY_ANIMATION, animation_);
}

bool InstallProgressDialog::OnInitDialog() {
    Dialog::OnInitDialog();
    step_ = 1;
    CenterWindow();
    ShowWindow(SW_SHOW);
    SetTimer(1, kStepMilliseconds);
    return true;
}

LRESULT InstallProgressDialog::OnTimer(UINT, WPARAM timer, LPARAM, bool&) {
    if (timer == kPollTimer) {
        if (installState.isWorkerBusy()) return 0;
        KillTimer(kPollTimer);
        step_ = 2;
        SetTimer(static_cast<UINT_PTR>(step_), kStepMilliseconds);
        return 0;
    }
    // Only the pending step's own timer runs it: a late tick of an earlier
    // timer, or one arriving while a step's work runs, repeats nothing.
    if (inStep_ || timer != static_cast<WPARAM>(step_)) return 0;
    inStep_ = true;
    if (step_ == 1)
        runCopyStep();
    else if (step_ >= 2 && step_ <= kLastStep)
        runRegistrationStep();
    inStep_ = false;
    return 0;
}

void InstallProgressDialog::runCopyStep() {
    KillTimer(1);
    SetWindowText(textOrEmpty(languageStrings.progressCopyText));
    progressBar_.ShowWindow(SW_HIDE);
    progressBar_.SetRange(0, 100);
    progressBar_.SetPos(0);
    animation_.ShowWindow(SW_SHOW);
    // The clip lies in this module's resources (the library's, not the exe's).
    animation_.Open(moduleInstance(), IDR_COPY_CLIP);
    animation_.Play(static_cast<UINT>(-1), 0, 0xFFFF);
    StartInstallWorker();
    SetTimer(kPollTimer, kPollMilliseconds);
}

void InstallProgressDialog::runRegistrationStep() {
    const int current = step_;
    const InstallStage& registration = kRegistrationStages[current - 2];
    KillTimer(static_cast<UINT_PTR>(current));
    const char* text = textOrEmpty(languageStrings.*registration.text);
    SetWindowText(text);
    progressBar_.ShowWindow(SW_HIDE);
    statusLabel_.SetPointSize(kStatusPoints).SetBold(true).SetLabelText(text).SetForeground(kStatusColour);
    showStatusLabel();

    void (*work)() = steps_.*registration.work;
    if (work != nullptr) work();

    if (current < kLastStep) {
        step_ = current + 1;
        SetTimer(static_cast<UINT_PTR>(step_), kStepMilliseconds);
    } else {
        EndDialog(IDOK);
    }
}

void InstallProgressDialog::showStatusLabel() {
    // The clip overlaps the label and keeps playing; above it and with the
    // clip clipped by its siblings, the status text stays readable.
    animation_.ModifyStyle(0, WS_CLIPSIBLINGS);
    ::SetWindowPos(statusLabel_.handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    statusLabel_.ShowWindow(SW_SHOW);
}

void InstallProgressDialog::StartInstallWorker() {
    // Set before the thread exists, so the first poll cannot see a stale 0.
    installState.setWorkerBusy(1);
    std::uintptr_t thread = 0;
    if (steps_.worker != nullptr && steps_.startThread != nullptr) {
        unsigned threadId = 0;
        thread = steps_.startThread(nullptr, kWorkerStackSize, steps_.worker, this, 0, &threadId);
    }
    if (thread != 0) {
        ::CloseHandle(reinterpret_cast<HANDLE>(thread));
        return;
    }
    // No thread: the files are copied here, blocking the window meanwhile,
    // rather than waiting for ever for a worker that never ran.
    if (steps_.worker != nullptr) steps_.worker(this);
    installState.setWorkerBusy(0);
}

void RunInstallProgress(const InstallSteps& steps) {
    ensureCommonControls();  // the template's progress bar and clip
    InstallProgressDialog dialog(steps);
    dialog.setStep(1);
    dialog.RunModal();
}

}  // namespace kv
