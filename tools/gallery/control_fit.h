// Whether a text fits its control, measured the way the control draws it:
// the control's own font, word wrap where the control wraps, and the room
// its check box or button edges leave.
#pragma once
#include "base/win.h"

#include <string>

namespace kvgallery {

struct Fit {
    bool fits = true;
    SIZE needed{};     // the text as drawn, in pixels
    SIZE available{};  // the room the control gives it
};

// `text` as control `control` would draw it (its current text when shown).
Fit measureText(HWND control, const std::string& text);

// The same for a static control of another process (the uninstaller), drawn
// with `font`, a font of this process that looks like the control's.
Fit measureForeignText(HWND control, const std::string& text, HFONT font);

// `text` as the title bar of top-level `window` would show it: the caption
// font, one line, the room between the frame and the close button.
Fit measureCaption(HWND window, const std::string& text);

}  // namespace kvgallery
