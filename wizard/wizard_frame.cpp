#include "wizard/wizard_frame.h"

#include "base/bounded_format.h"
#include "base/module_instance.h"
#include "install/install_state.h"
#include "common/language_strings.h"
#include "common/setup_config.h"
#include "common/shared_folders.h"
#include "dialog/control_views.h"
#include "wizard/install_progress_dialog.h"
#include "res/resource_ids.h"
#include "wizard/destination_page.h"
#include "wizard/exit_confirm_dialog.h"
#include "wizard/finish_page.h"
#include "wizard/program_folder_page.h"
#include "wizard/setup_type_page.h"

namespace kv {

namespace {

constexpr int kPageTemplates[kWizardPageCount] = {
    IDD_LANGUAGE_PAGE,       IDD_WELCOME_PAGE,     IDD_SETUP_TYPE_PAGE, IDD_DESTINATION_PAGE,
    IDD_PROGRAM_FOLDER_PAGE, IDD_INFORMATION_PAGE, IDD_FINISH_PAGE,
};

constexpr UINT_PTR kMorePagesTimer = 1;

bool allPageTemplatesPresent() {
    for (int templateId : kPageTemplates)
        if (::FindResourceA(moduleInstance(), MAKEINTRESOURCEA(templateId), RT_DIALOG) == nullptr) return false;
    return true;
}

}  // namespace

WizardFrame::WizardFrame() : Dialog(IDD_WIZARD_FRAME) {}

bool WizardFrame::OnInitDialog() {
    Dialog::OnInitDialog();
    installState.wizardFrame = this;
    // Only the first page is made before the frame shows; the others follow
    // once it is on screen, or sooner when Next needs them.
    complete_ = allPageTemplatesPresent() && pages_.AddPage(kPageTemplates[0], handle());
    if (!complete_) return false;
    pages_.ShowPage(-1);
    ::EnableWindow(GetDlgItem(IDC_BACK), FALSE);
    applyButtonTexts();
    // A timer comes only when nothing else is queued: after the first page
    // has been painted and after any input waiting before it.
    SetTimer(kMorePagesTimer, 0);
    return false;
}

bool WizardFrame::addMissingPages() {
    if (!complete_) return false;
    while (pages_.count() < kWizardPageCount) {
        if (!pages_.AddPage(kPageTemplates[pages_.count()], handle())) {
            // Navigation counts on every page: end the run before anything
            // is set up, as when a page was missing from the start.
            complete_ = false;
            endRun(kEndFailed);
            return false;
        }
    }
    return true;
}

LRESULT WizardFrame::OnTimer(UINT, WPARAM id, LPARAM, bool& handled) {
    if (id != kMorePagesTimer) {
        handled = false;
        return 0;
    }
    KillTimer(kMorePagesTimer);
    addMissingPages();
    return 0;
}

LRESULT WizardFrame::OnStaticColor(UINT, WPARAM wParam, LPARAM lParam, bool& handled) {
    if (reinterpret_cast<HWND>(lParam) == GetDlgItem(IDC_SIDE_PICTURE))
        ::SetStretchBltMode(reinterpret_cast<HDC>(wParam), COLORONCOLOR);
    handled = false;  // the colours themselves stay the default ones
    return 0;
}

LRESULT WizardFrame::OnDestroy(UINT, WPARAM, LPARAM, bool& handled) {
    // The pages go first, while their parent still exists.
    pages_.clear();
    if (installState.wizardFrame == this) installState.wizardFrame = nullptr;
    handled = false;
    return 0;
}

void WizardFrame::applyButtonTexts() const {
    ::SetDlgItemTextA(handle(), IDC_BACK, textOrEmpty(languageStrings.backButtonText));
    ::SetDlgItemTextA(handle(), IDC_NEXT, textOrEmpty(languageStrings.nextButtonText));
    ::SetDlgItemTextA(handle(), IDC_FRAME_CANCEL, textOrEmpty(languageStrings.cancelButtonText));
}

void WizardFrame::focusItem(int id) const {
    // Through the dialog manager, so the default button follows the focus.
    SendMessage(WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(id)), TRUE);
}

LRESULT WizardFrame::OnBackCommand(WORD, WORD, HWND, bool&) {
    OnBack();
    return 0;
}

LRESULT WizardFrame::OnNextCommand(WORD, WORD, HWND, bool&) {
    OnNext();
    return 0;
}

LRESULT WizardFrame::OnCancelCommand(WORD, WORD, HWND, bool&) {
    runCancel();
    return 0;
}

bool WizardFrame::takeDestination() {
    DestinationPage* destination = page<DestinationPage>(kDestinationPageIndex);
    // A text too long for the folder buffer fails the exchange: refused, not
    // cut into some other folder.
    if (!destination->UpdateData(true)) return false;
    const char* folder = destination->folderText().c_str();
    if (!isUsableDestination(folder)) return false;
    return copyInto(installState.destinationDir, folder);
}

bool WizardFrame::takeProgramFolder() {
    ProgramFolderPage* folder = page<ProgramFolderPage>(kProgramFolderPageIndex);
    if (!folder->UpdateData(true)) return false;
    // An empty edit keeps the folder from before, if that one is usable; a
    // typed name is taken even when the configuration named none.
    String path;
    if (!folder->editHasText()) return programFolderPathOf(textOrEmpty(setupConfig.programFolder), path);
    if (!programFolderPathOf(folder->folderText().c_str(), path)) return false;
    setupConfig.programFolder = makeOwnedText(folder->folderText().c_str());
    return true;
}

void WizardFrame::refuseFolder(int pageIndex) const {
    // The only message box of the setup is the folder browser's: a beep, and
    // the folder edit gets the focus with its text selected.
    ::MessageBeep(MB_ICONEXCLAMATION);
    WizardPage* refused = pages_.PageAt(pageIndex);
    const HWND edit = refused != nullptr ? refused->GetDlgItem(IDC_FOLDER_EDIT) : nullptr;
    if (edit == nullptr) return;
    ::SetFocus(edit);
    EditView(edit).SelectAll();
}

void WizardFrame::OnNext() {
    // Next is hidden on the finish page; a late click there does nothing.
    if (!complete_ || currentIndex_ >= kFinishPageIndex || !addMissingPages()) return;
    // A folder that is no folder of the product's own keeps the user on its
    // page: the installation never sees it.
    if ((currentIndex_ == kDestinationPageIndex && !takeDestination()) ||
        (currentIndex_ == kProgramFolderPageIndex && !takeProgramFolder()))
        return refuseFolder(currentIndex_);
    ++currentIndex_;
    if (currentIndex_ == 1) ::EnableWindow(GetDlgItem(IDC_BACK), TRUE);
    focusItem(IDC_NEXT);

    switch (currentIndex_) {
    case kSetupTypePageIndex:
        page<SetupTypePage>(kSetupTypePageIndex)->showChoice(installState.setupTypeFirst);
        break;
    case kSetupTypePageIndex + 1:
        installState.setupTypeFirst = page<SetupTypePage>(kSetupTypePageIndex)->firstSelected();
        break;
    case kFinishPageIndex:
        runInstallation();
        break;
    default:
        break;
    }
    pages_.ShowPage(currentIndex_);
}

void WizardFrame::runInstallation() {
    ShowWindow(SW_HIDE);
    RunInstallProgress();
    ShowWindow(SW_SHOW);
    // A stopped install was taken back: the page says so and offers no restart.
    const bool stopped = installState.installStopped;
    if (!stopped) installState.restartNeeded = 1;
    page<FinishPage>(kFinishPageIndex)->InstallCompleted = stopped ? 0 : 1;
    ::ShowWindow(GetDlgItem(IDC_NEXT), SW_HIDE);
    ::ShowWindow(GetDlgItem(IDC_BACK), SW_HIDE);
    ::SetDlgItemTextA(handle(), IDC_FRAME_CANCEL, textOrEmpty(languageStrings.finishButtonText));
    focusItem(IDC_FRAME_CANCEL);
}

void WizardFrame::OnBack() {
    if (!complete_ || currentIndex_ <= 0 || currentIndex_ >= kFinishPageIndex) return;
    focusItem(IDC_BACK);
    const int old = currentIndex_;
    --currentIndex_;
    if (old == kSetupTypePageIndex + 1)
        page<SetupTypePage>(kSetupTypePageIndex)->showChoice(installState.setupTypeFirst);
    else if (old == kDestinationPageIndex + 1)
        installState.setupTypeFirst = page<SetupTypePage>(kSetupTypePageIndex)->firstSelected();

    if (currentIndex_ <= 0) {
        ::EnableWindow(GetDlgItem(IDC_BACK), FALSE);
        applyButtonTexts();
        currentIndex_ = 0;
        focusItem(IDC_NEXT);
    }
    pages_.ShowPage(currentIndex_);
}

void WizardFrame::runCancel() {
    if (currentIndex_ == kFinishPageIndex) {
        FinishPage* finish = static_cast<FinishPage*>(pages_.CurrentPage());
        const bool now = finish != nullptr && finish->restartNowSelected();
        endRun(now ? kEndRestartNow : kEndRestartLater);
        return;
    }
    if (RunExitConfirmation() == IDCANCEL) endRun(kEndCancelled);
}

void WizardFrame::endRun(int code) {
    EndDialog(code);
    if (installState.mainWindow != nullptr) installState.mainWindow->EndDialog(code);
}

bool WizardFrame::PreTranslateMessage(MSG* message) {
    if ((message->message == WM_KEYDOWN || message->message == WM_SYSKEYDOWN)) {
        if (message->wParam == VK_RETURN) {
            // Only the three buttons react to Enter; the key itself is spent.
            message->wParam = 0;
            const HWND focus = ::GetFocus();
            if (focus != nullptr && focus == GetDlgItem(IDC_NEXT)) OnNext();
            else if (focus != nullptr && focus == GetDlgItem(IDC_BACK)) OnBack();
            else if (focus != nullptr && focus == GetDlgItem(IDC_FRAME_CANCEL)) runCancel();
        } else if (message->wParam == VK_ESCAPE) {
            message->wParam = 0;
        }
    }
    return Dialog::PreTranslateMessage(message);
}

}  // namespace kv
