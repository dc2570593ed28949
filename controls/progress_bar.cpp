#include "controls/progress_bar.h"

#include <commctrl.h>

namespace kv {

void ProgressBar::SetRange(int lower, int upper) const {
    SendMessage(PBM_SETRANGE, 0, MAKELPARAM(lower, upper));
}

void ProgressBar::SetPos(int position) const { SendMessage(PBM_SETPOS, static_cast<WPARAM>(position), 0); }

}  // namespace kv
