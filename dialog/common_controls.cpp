#include "dialog/common_controls.h"

#include "base/late_library.h"

#include <commctrl.h>

namespace kv {

void ensureCommonControls() {
    static bool registered = false;
    if (registered) return;
    // The Windows 95 entry; InitCommonControlsEx needs a later comctl32.
    auto initCommonControls =
        lateFunction<decltype(::InitCommonControls)>(LateLibrary::Comctl32, "InitCommonControls");
    if (initCommonControls == nullptr) return;
    initCommonControls();
    registered = true;
}

}  // namespace kv
