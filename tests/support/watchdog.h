// Ends a test that hangs: unless destroyed within its time, it fires once
// from a thread of its own, so the test fails instead of hanging the run.
#pragma once
#include "base/unique_handle.h"

#include <atomic>
#include <functional>
#include <thread>

namespace kvtest {

class Watchdog {
public:
    // `onFire` runs on the watchdog's thread. Without one the watchdog posts
    // WM_QUIT to the thread that made it and, when destroyed, takes any
    // WM_QUIT still queued there, so later tests can pump.
    explicit Watchdog(int seconds, std::function<void()> onFire = {})
        : quits_(!onFire), thread_([this, seconds, owner = ::GetCurrentThreadId(), onFire = std::move(onFire)] {
              if (::WaitForSingleObject(disarmed_.get(), static_cast<DWORD>(seconds) * 1000) != WAIT_TIMEOUT) return;
              fired_ = true;
              if (onFire)
                  onFire();
              else
                  ::PostThreadMessageA(owner, WM_QUIT, 0, 0);
          }) {}
    ~Watchdog() {
        ::SetEvent(disarmed_.get());
        thread_.join();
        MSG message;
        while (quits_ && ::PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
        }
    }
    Watchdog(const Watchdog&) = delete;
    Watchdog& operator=(const Watchdog&) = delete;
    bool fired() const { return fired_; }

private:
    kv::UniqueKernelObject disarmed_{::CreateEventA(nullptr, TRUE, FALSE, nullptr)};
    const bool quits_;
    std::atomic<bool> fired_{false};
    std::thread thread_;  // last: it uses the members above
};

}  // namespace kvtest
