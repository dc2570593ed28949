// Who owns a dialog, and keeping its owners out of reach while it runs modally.
#pragma once
#include "base/win.h"

#include <array>
#include <cstddef>

namespace kv {

// The owner a dialog gets: the top-level window of `parent`; without a
// parent, the window the user last used among the main window and its popups
// (none when there is no main window).
HWND resolveOwner(HWND parent);

// Disables `owner` and every window up its owner chain that is enabled, and
// enables exactly those again on restore() or destruction.
class DisabledOwnerChain {
public:
    explicit DisabledOwnerChain(HWND owner);
    ~DisabledOwnerChain() { restore(); }
    DisabledOwnerChain(const DisabledOwnerChain&) = delete;
    DisabledOwnerChain& operator=(const DisabledOwnerChain&) = delete;

    void restore();
    std::size_t count() const { return count_; }

private:
    // Owner chains of setup windows are two or three windows long.
    std::array<HWND, 16> disabled_{};
    std::size_t count_ = 0;
};

}  // namespace kv
