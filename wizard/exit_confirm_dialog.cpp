#include "wizard/exit_confirm_dialog.h"

#include "common/language_strings.h"
#include "res/resource_ids.h"

namespace kv {

ExitConfirmDialog::ExitConfirmDialog() : Dialog(IDD_EXIT_CONFIRM) {}

bool ExitConfirmDialog::OnInitDialog() {
    Dialog::OnInitDialog();
    const LanguageStrings& s = languageStrings;
    SetWindowText(textOrEmpty(s.confirmCaption));
    ::SetDlgItemTextA(handle(), IDC_CONFIRM_LINE1, textOrEmpty(s.confirmLine1));
    ::SetDlgItemTextA(handle(), IDC_CONFIRM_LINE2, textOrEmpty(s.confirmLine2));
    ::SetDlgItemTextA(handle(), IDC_CONFIRM_LINE3, textOrEmpty(s.confirmLine3));
    ::SetDlgItemTextA(handle(), IDOK, textOrEmpty(s.confirmOkText));
    ::SetDlgItemTextA(handle(), IDCANCEL, textOrEmpty(s.confirmCancelText));
    return true;
}

int RunExitConfirmation() {
    ExitConfirmDialog box;
    return box.RunModal();
}

}  // namespace kv
