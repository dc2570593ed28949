#include "controls/animation_control.h"

#include <commctrl.h>

namespace kv {

bool AnimationControl::Open(HINSTANCE module, int id) const {
    return SendMessage(ACM_OPENA, reinterpret_cast<WPARAM>(module), id) != 0;
}

bool AnimationControl::Play(UINT repeat, UINT from, UINT to) const {
    return SendMessage(ACM_PLAY, repeat, MAKELPARAM(from, to)) != 0;
}

}  // namespace kv
