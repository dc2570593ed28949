#include "dialog/common_controls.h"

#include "base/win.h"

#include <commctrl.h>

namespace kv {

void ensureCommonControls() {
    static bool registered = false;
    if (registered) return;
    // The Windows 95 entry; InitCommonControlsEx needs a later comctl32.
    ::InitCommonControls();
    registered = true;
}

}  // namespace kv
