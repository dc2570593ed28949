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

void ProgressBar::SetRange(int lower, int upper) const {
    SendMessage(PBM_SETRANGE, 0, MAKELPARAM(lower, upper));
}

void ProgressBar::SetPos(int position) const { SendMessage(PBM_SETPOS, static_cast<WPARAM>(position), 0); }

bool AnimationControl::Open(HINSTANCE module, int id) const {
    return SendMessage(ACM_OPENA, reinterpret_cast<WPARAM>(module), id) != 0;
}

bool AnimationControl::Play(UINT repeat, UINT from, UINT to) const {
    return SendMessage(ACM_PLAY, repeat, MAKELPARAM(from, to)) != 0;
}

}  // namespace kv
