// The common controls that templates use (progress bar, animation), as
// window objects that can be bound to dialog items.
#pragma once
#include "dialog/window.h"

namespace kv {

// Registers the common control classes once per process; a template naming
// one of them cannot be created before. Loads the common controls library
// on first use: only the progress dialog needs it, so the wizard's pages
// show without it.
void ensureCommonControls();

class ProgressBar : public Window {
public:
    void SetRange(int lower, int upper) const;
    void SetPos(int position) const;
};

class AnimationControl : public Window {
public:
    // Opens clip `id` of `module`'s resources (type "AVI").
    bool Open(HINSTANCE module, int id) const;
    // Plays frames from..to (to = 0xFFFF for the last) `repeat` times, -1 for ever.
    bool Play(UINT repeat, UINT from, UINT to) const;
};

}  // namespace kv
