#include "support/watchdog.h"

#include <utility>

namespace kvtest {

Watchdog::Watchdog(int seconds, std::function<void()> onFire)
    : disarmed_(::CreateEventA(nullptr, TRUE, FALSE, nullptr)), quits_(!onFire) {
    if (quits_) {
        const DWORD owner = ::GetCurrentThreadId();
        onFire = [owner] { ::PostThreadMessageA(owner, WM_QUIT, 0, 0); };
    }
    thread_ = std::thread([this, seconds, onFire = std::move(onFire)] {
        if (::WaitForSingleObject(disarmed_.get(), static_cast<DWORD>(seconds) * 1000) != WAIT_TIMEOUT) return;
        fired_ = true;
        onFire();
    });
}

Watchdog::~Watchdog() {
    ::SetEvent(disarmed_.get());
    thread_.join();
    MSG message;
    while (quits_ && ::PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
}

}  // namespace kvtest
