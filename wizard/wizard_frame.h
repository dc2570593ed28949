// The wizard: side picture, one page at a time, Back, Next and Cancel. It
// ends itself and the setup main window with 2 (cancelled), 6 (restart now)
// or 12 (restart later).
#pragma once
#include "common/result_code.h"
#include "dialog/dialog.h"
#include "res/resource_ids.h"
#include "wizard/page_list.h"

namespace kv {

// Page indices, in the order the frame creates them.
enum WizardPageIndex {
    kLanguagePageIndex,
    kWelcomePageIndex,
    kSetupTypePageIndex,
    kDestinationPageIndex,
    kProgramFolderPageIndex,
    kInformationPageIndex,
    kFinishPageIndex,
    kWizardPageCount
};

class WizardFrame : public Dialog {
public:
    WizardFrame();

    // True while the frame has, or can still make, all seven pages; a frame
    // without them cannot be navigated and the run ends instead.
    bool complete() const { return complete_; }
    int CurrentIndex() const { return currentIndex_; }

    void OnNext();
    void OnBack();
    // The Cancel button, later Finish, and the frame's close box.
    void runCancel();

    // Puts the focus on Next; done once the frame is on screen, as focusing
    // a hidden frame activates it only for the backdrop to take that back.
    void focusNext() const { focusItem(IDC_NEXT); }

    // Back, Next and Cancel in the current language.
    void applyButtonTexts() const;

    bool PreTranslateMessage(MSG* message) override;

    BEGIN_MSG_MAP(WizardFrame)
        COMMAND_HANDLER(IDC_BACK, BN_CLICKED, OnBackCommand)
        COMMAND_HANDLER(IDC_NEXT, BN_CLICKED, OnNextCommand)
        COMMAND_HANDLER(IDC_FRAME_CANCEL, BN_CLICKED, OnCancelCommand)
        MESSAGE_HANDLER(WM_DESTROY, OnDestroy)
        MESSAGE_HANDLER(WM_CTLCOLORSTATIC, OnStaticColor)
        MESSAGE_HANDLER(WM_TIMER, OnTimer)
        CHAIN_MSG_MAP(Dialog)
    END_MSG_MAP()

protected:
    bool OnInitDialog() override;
    void OnOK() override {}
    void OnCancel() override { runCancel(); }

private:
    LRESULT OnBackCommand(WORD, WORD, HWND, bool&);
    LRESULT OnNextCommand(WORD, WORD, HWND, bool&);
    LRESULT OnCancelCommand(WORD, WORD, HWND, bool&);
    LRESULT OnDestroy(UINT, WPARAM, LPARAM, bool& handled);
    // The side picture is fitted into its bordered control with rows and
    // columns dropped, not merged: merging (the default stretch mode) ANDs
    // neighbouring pixels, which draws stray dark and light dots.
    LRESULT OnStaticColor(UINT, WPARAM wParam, LPARAM lParam, bool& handled);

    LRESULT OnTimer(UINT, WPARAM id, LPARAM, bool& handled);

    // Makes the pages not made yet; false, with the run ended, when one
    // cannot be made.
    bool addMissingPages();
    void focusItem(int id) const;
    void endRun(int code);
    void runInstallation();
    // Leaving the destination and program folder pages: the folder is taken
    // into the install state, or false when it is refused.
    bool takeDestination();
    bool takeProgramFolder();
    void refuseFolder(int pageIndex) const;
    template <typename Page>
    Page* page(int index) const {
        return static_cast<Page*>(pages_.PageAt(index));
    }

    PageList pages_;
    int currentIndex_ = 0;
    bool complete_ = false;
};

}  // namespace kv
