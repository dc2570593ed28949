#include "common/running_setup_window.h"

namespace kv {
namespace {

constexpr char kMarkProperty[] = "KvSetupRunningWindow";

BOOL CALLBACK findMarked(HWND window, LPARAM found) {
    if (::GetPropA(window, kMarkProperty) == nullptr) return TRUE;
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
}

}  // namespace

void markRunningSetupWindow(HWND window) { ::SetPropA(window, kMarkProperty, reinterpret_cast<HANDLE>(1)); }

void unmarkRunningSetupWindow(HWND window) { ::RemovePropA(window, kMarkProperty); }

HWND findRunningSetupWindow() {
    HWND found = nullptr;
    ::EnumWindows(&findMarked, reinterpret_cast<LPARAM>(&found));
    return found;
}

bool bringRunningSetupToFront() {
    const HWND main = findRunningSetupWindow();
    if (main == nullptr) return false;
    // The wizard frame or the progress dialog, when one is up; else the main window.
    const HWND active = ::GetLastActivePopup(main);
    if (::IsIconic(main)) ::ShowWindow(main, SW_RESTORE);
    ::SetForegroundWindow(active != nullptr ? active : main);
    return true;
}

}  // namespace kv
