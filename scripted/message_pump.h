// The test programs' one message pump. Inline, so that programs built from
// single support files (the screenshot code) need nothing else.
#pragma once
#include "base/win.h"

#include <functional>

namespace kvtest {

// Dispatches this thread's messages until `done` holds (true) or
// `milliseconds` have passed (false).
inline bool pumpUntil(const std::function<bool()>& done, unsigned milliseconds) {
    const DWORD start = ::GetTickCount();
    while (!done()) {
        if (::GetTickCount() - start > milliseconds) return false;
        MSG message;
        while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&message);
            ::DispatchMessageA(&message);
        }
        ::Sleep(10);
    }
    return true;
}

}  // namespace kvtest
