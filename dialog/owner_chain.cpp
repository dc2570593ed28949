#include "dialog/owner_chain.h"

#include "dialog/application.h"

namespace kv {

HWND resolveOwner(HWND parent) {
    HWND window = parent ? parent : application.mainWindowHandle();
    while (window != nullptr && (::GetWindowLongA(window, GWL_STYLE) & WS_CHILD))
        window = ::GetParent(window);
    if (parent == nullptr && window != nullptr) {
        HWND popup = ::GetLastActivePopup(window);
        if (popup != nullptr && ::IsWindowVisible(popup)) window = popup;
    }
    return window;
}

DisabledOwnerChain::DisabledOwnerChain(HWND owner) {
    for (HWND window = owner; window != nullptr && count_ < disabled_.size();
         window = ::GetWindow(window, GW_OWNER)) {
        if (!::IsWindowEnabled(window)) continue;
        ::EnableWindow(window, FALSE);
        disabled_[count_++] = window;
    }
}

void DisabledOwnerChain::restore() {
    while (count_ > 0) {
        HWND window = disabled_[--count_];
        if (::IsWindow(window)) ::EnableWindow(window, TRUE);
    }
}

}  // namespace kv
