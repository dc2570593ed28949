#include "common/single_instance.h"

#include <gtest/gtest.h>

#include <thread>

namespace {

kv::SetupInstanceLock::Outcome acquireOnOtherThread() {
    kv::SetupInstanceLock::Outcome outcome = kv::SetupInstanceLock::Outcome::Failed;
    std::thread([&] {
        kv::SetupInstanceLock other;
        outcome = other.acquire();
    }).join();
    return outcome;
}

}  // namespace

// Another thread stands for another process: it meets the held mutex. The
// holder's own thread may take it again; once released it is free.
TEST(SetupInstanceLock, OneHolderAtATime) {
    using Outcome = kv::SetupInstanceLock::Outcome;
    kv::SetupInstanceLock lock;
    ASSERT_EQ(Outcome::Acquired, lock.acquire());
    kv::SetupInstanceLock again;
    EXPECT_EQ(Outcome::Acquired, again.acquire());
    again.release();
    EXPECT_EQ(Outcome::Busy, acquireOnOtherThread());
    lock.release();
    EXPECT_EQ(Outcome::Acquired, acquireOnOtherThread());
}
