#include "dialog/modal_loop.h"

#include "dialog/window.h"

namespace kv {
namespace {

// The next window outwards: a child's parent, a top-level window's owner.
HWND outerWindow(HWND window) {
    if (::GetWindowLongA(window, GWL_STYLE) & WS_CHILD) return ::GetParent(window);
    return ::GetWindow(window, GW_OWNER);
}

}  // namespace

bool preTranslateMessage(MSG& message) {
    for (HWND window = message.hwnd; window != nullptr; window = outerWindow(window)) {
        Window* object = Window::fromHandle(window);
        if (object != nullptr && object->PreTranslateMessage(&message)) return true;
    }
    return false;
}

LoopEnd runModalLoop(const bool& ended, HWND window) {
    while (!ended) {
        if (!::IsWindow(window)) return LoopEnd::WindowGone;
        MSG message;
        const BOOL got = ::GetMessageA(&message, nullptr, 0, 0);
        if (got == 0) {
            ::PostQuitMessage(static_cast<int>(message.wParam));
            return LoopEnd::Quit;
        }
        if (got == -1) return LoopEnd::WindowGone;
        if (!preTranslateMessage(message)) {
            ::TranslateMessage(&message);
            ::DispatchMessageA(&message);
        }
    }
    return LoopEnd::Ended;
}

}  // namespace kv
