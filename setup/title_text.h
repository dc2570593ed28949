// The backdrop's title: one line of italic text in a font made for the call.
#pragma once
#include "base/win.h"

namespace kv {

struct TitleFont {
    const char* face;
    int height;
};

// Japanese is shown in the one face the backdrop has for it (its code page
// 950 name, kept as bytes) at a larger height; every other language in
// "Times New Roman" at 26.
TitleFont titleFontForLanguage(int languageIndex);

// Draws `text` with its top-left corner at (x, y), transparent background.
// False when the font cannot be made (nothing is drawn then).
bool drawTitleText(HDC dc, int x, int y, const char* text, const char* face, int width,
                   int height, COLORREF colour, int weight);

}  // namespace kv
