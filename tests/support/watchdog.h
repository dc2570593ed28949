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
    // `onFire` runs on the watchdog's thread; without one the watchdog posts
    // WM_QUIT to the thread that made it and, on destruction, takes any
    // WM_QUIT still queued there, so later tests can pump.
    explicit Watchdog(int seconds, std::function<void()> onFire = {});
    ~Watchdog();
    Watchdog(const Watchdog&) = delete;
    Watchdog& operator=(const Watchdog&) = delete;
    bool fired() const { return fired_; }

private:
    kv::UniqueKernelObject disarmed_;
    bool quits_;
    std::atomic<bool> fired_{false};
    std::thread thread_;
};

}  // namespace kvtest
