// The message loop of modal runs, and the pre-translation walk it applies.
#pragma once
#include "base/win.h"

namespace kv {

// Offers a message to the framework windows from its target outwards: the
// window itself, then each parent or owner, innermost first. True when one
// of them consumed it (it must then not be dispatched).
bool preTranslateMessage(MSG& message);

enum class LoopEnd { Ended, WindowGone, Quit };

// Pumps this thread's messages through preTranslateMessage until `ended`
// turns true, `window` is destroyed, or WM_QUIT arrives; a WM_QUIT is posted
// again so that every enclosing loop ends as well.
LoopEnd runModalLoop(const bool& ended, HWND window);

}  // namespace kv
