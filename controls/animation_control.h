// The common animation control, as a window object bound to a dialog item.
#pragma once
#include "dialog/window.h"

namespace kv {

class AnimationControl : public Window {
public:
    // Opens clip `id` of `module`'s resources (type "AVI").
    bool Open(HINSTANCE module, int id) const;
    // Plays frames from..to (to = 0xFFFF for the last) `repeat` times, -1 for ever.
    bool Play(UINT repeat, UINT from, UINT to) const;
};

}  // namespace kv
