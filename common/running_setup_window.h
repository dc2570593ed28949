// How a second setup finds the one that runs: the running setup's main
// window carries a window property, and a second launcher (or uninstaller)
// brings that window's active popup (the wizard, or the progress dialog) to
// the front instead of showing a wizard of its own.
#pragma once
#include "base/win.h"

namespace kv {

void markRunningSetupWindow(HWND window);
void unmarkRunningSetupWindow(HWND window);
// The marked main window of any process; null when none is shown.
HWND findRunningSetupWindow();
// Brings the running setup's active window to the front; false when none.
bool bringRunningSetupToFront();

}  // namespace kv
