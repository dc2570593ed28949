// A dialog built from a resource template of the module, run modally through
// our own message loop or created modeless.
#pragma once
#include "dialog/data_exchange.h"
#include "dialog/message_map.h"
#include "dialog/window.h"

namespace kv {

class Dialog : public Window {
public:
    // Result of a modal run that could not start or was ended by WM_QUIT.
    static constexpr int kRunFailed = -1;

    // `parent` may be null: the dialog is then owned by the application's
    // main window (see resolveOwner).
    explicit Dialog(int templateId, HWND parent = nullptr)
        : templateId_(templateId), parent_(parent) {}
    Dialog(Dialog&&) noexcept = default;
    Dialog& operator=(Dialog&&) noexcept = default;

    int templateId() const { return templateId_; }
    HWND parent() const { return parent_; }

    // Modeless creation; the window shows if its template says so.
    bool Create(HWND parent = nullptr);
    bool Create(int templateId, HWND parent);

    // Creates the dialog, disables its owner chain, pumps messages until
    // EndDialog and returns the end code; kRunFailed when the dialog cannot
    // be created or the thread is told to quit. The window is destroyed
    // before the call returns.
    virtual int RunModal();

    // Ends a modal run with `code`; a modeless dialog is hidden.
    void EndDialog(int code);
    bool isModal() const { return modal_; }
    bool hasEnded() const { return ended_; }
    int endCode() const { return endCode_; }

    // Runs DoDataExchange in one direction; false when an exchange failed.
    bool UpdateData(bool save);

    // Keyboard navigation of a top-level dialog (IsDialogMessage). A child
    // dialog leaves it to the dialog that contains it.
    bool PreTranslateMessage(MSG* message) override;

    BEGIN_MSG_MAP(Dialog)
        MESSAGE_HANDLER(WM_INITDIALOG, OnInitDialogMessage)
        COMMAND_ID_HANDLER(IDOK, OnOkCommand)
        COMMAND_ID_HANDLER(IDCANCEL, OnCancelCommand)
        MESSAGE_HANDLER(WM_SHOWWINDOW, OnShowWindowMessage)
        MESSAGE_RANGE_HANDLER(WM_CTLCOLORMSGBOX, WM_CTLCOLORSTATIC, OnColorRequest)
        MESSAGE_HANDLER(WM_SYSCOLORCHANGE, OnSysColorChange)
    END_MSG_MAP()

protected:
    // After the controls exist. The default fills the controls from the
    // fields; returning true lets the dialog set the default focus.
    virtual bool OnInitDialog();
    // Confirm (id 1, also Enter): read the controls, then end with IDOK.
    virtual void OnOK();
    // Cancel (id 2, also Esc, the close box, Close and Alt+F4): end with IDCANCEL.
    virtual void OnCancel();
    // After the default handling of WM_SHOWWINDOW; `status` is its lParam.
    virtual void OnShowWindow(bool show, int status);
    virtual void DoDataExchange(DataExchange& exchange);

private:
    LRESULT OnInitDialogMessage(UINT, WPARAM, LPARAM, bool&);
    LRESULT OnOkCommand(WORD, WORD, HWND, bool&);
    LRESULT OnCancelCommand(WORD, WORD, HWND, bool&);
    LRESULT OnShowWindowMessage(UINT message, WPARAM wParam, LPARAM lParam, bool&);
    LRESULT OnColorRequest(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
    LRESULT OnSysColorChange(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);

    bool createWindow(HWND owner);
    static INT_PTR CALLBACK StartDialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    int templateId_;
    HWND parent_;
    bool modal_ = false;
    bool ended_ = false;
    int endCode_ = kRunFailed;
};

}  // namespace kv
