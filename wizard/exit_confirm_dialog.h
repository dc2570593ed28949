// The question asked before leaving setup: button 1 (and Enter) stays,
// button 2 (and Esc, and the close box) leaves.
#pragma once
#include "dialog/dialog.h"

namespace kv {

class ExitConfirmDialog : public Dialog {
public:
    ExitConfirmDialog();

protected:
    bool OnInitDialog() override;
};

// Asks in the current language; 1 to stay, 2 to leave (anything but 2 stays).
int RunExitConfirmation();

}  // namespace kv
