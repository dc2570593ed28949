// Reading back what windows draw: a window's client area rendered into
// memory (WM_PRINTCLIENT), or what the screen shows in a window's place,
// and saving either as a 24-bit BMP file.
#pragma once
#include "base/win.h"

#include <cstdint>
#include <string>
#include <vector>

namespace kvtest {

struct Pixels {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> rows;  // top-down, 0x00RRGGBB per pixel

    bool empty() const { return width <= 0 || height <= 0; }
    // The pixel as a Windows colour word (0x00BBGGRR).
    COLORREF at(int x, int y) const;
    // How many pixels of a rectangle have exactly this colour.
    int count(COLORREF colour, int left = 0, int top = 0, int right = -1, int bottom = -1) const;
    // Same, for pixels whose every channel lies within `tolerance` of the
    // colour's (text edges are smoothed).
    int countNear(COLORREF colour, int tolerance, int left = 0, int top = 0, int right = -1,
                  int bottom = -1) const;
};

// The client area as the window paints it on WM_PRINTCLIENT.
Pixels renderClient(HWND window);
// Dispatches this thread's messages for a while, so that what the windows
// painted has reached the screen (Wine copies window surfaces to the display
// asynchronously).
void letWindowsSettle(DWORD milliseconds = 200);
// What the screen shows in a rectangle (screen coordinates).
Pixels captureScreen(const RECT& area);
// What the screen shows of a whole window, frame included.
Pixels captureWindow(HWND window);

bool saveBmp(const Pixels& pixels, const std::string& path);

}  // namespace kvtest
