// Runs of the setup in which one allocation of the engine fails: each must
// still end with a ResultCode and leave no window and no thread behind. Every
// allocation up to the whole wizard (the first page shown, the others made
// behind it) is tried, and a spread of those after it through a whole
// installation.
#include "install/install_state.h"
#include "setup/setup_run.h"
#include "failing_allocator.h"
#include "support/test_support.h"
#include "wizard_test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <set>
#include <thread>

using namespace kvdrive;

namespace {

const std::set<int> kResultCodes = {0, 2, 6, 12, 65542};

// What one run with the allocation `failAt` failing left behind.
struct Aftermath {
    int resultCode = -1;
    long allocationsBeforeWizard = -1;  // -1 when the wizard never became whole
    long allocations = 0;
    std::vector<HWND> windows;
    int threadsBefore = 0;
    int threadsAfter = 0;
    bool stalled = false;  // neither ended nor became a whole wizard
};

// Runs the setup with allocation `failAt` failing (0: none). The script
// waits for the first page or the end of the run; when `install`, it goes
// on through the installation to the finish page and finishes there, else
// it closes the backdrop. A failure can leave a page or a text out, so the
// script follows what it finds and never insists.
Aftermath runFailingAt(long failAt, bool install) {
    Aftermath after;
    after.threadsBefore = kvtest::ownThreadCount();
    std::atomic<bool> returned{false};
    std::atomic<long> beforeWizard{-1};
    std::atomic<bool> stalled{false};
    const Script script = [&](Driver& d) {
        const bool shown = d.waitUntil(
            [&] {
                return returned.load() ||
                       (Driver::pageIndexOf(d.visiblePage()) == kLanguage && d.pageWindow(kFinish) != nullptr);
            },
            5000, "the whole wizard or the end");
        stalled = !shown;
        if (!shown || returned) return;
        beforeWizard = kvtest::allocationsCounted();
        if (!install) {
            if (HWND main = d.mainWindow()) d.closeBox(main);
            return;
        }
        for (int index = kWelcome; index <= kFinish; ++index) {
            d.next();
            if (!d.waitUntil([&] { return returned.load() || Driver::pageIndexOf(d.visiblePage()) == index; },
                             index == kFinish ? 30000 : 3000, "page " + std::to_string(index) + " or the end") ||
                returned)
                return;
        }
        d.cancel();  // finish, with whichever restart choice shows
    };
    kvtest::failAllocationAt(failAt);
    const RunOutcome outcome = runScripted(
        [&](const char* folder) {
            const int code = kv::runSetup(folder);
            returned = true;
            return code;
        },
        kvtest::stagedPackageDir(), script, 10000);
    after.allocations = kvtest::allocationsCounted();
    kvtest::failAllocationAt(0);
    after.resultCode = outcome.resultCode;
    after.allocationsBeforeWizard = beforeWizard;
    after.stalled = stalled;
    // The worker clears its busy flag just before its thread ends.
    for (int wait = 0; wait < 50; ++wait) {
        after.threadsAfter = kvtest::ownThreadCount();
        if (!kv::installState.workerBusy && after.threadsAfter <= after.threadsBefore) break;
        ::Sleep(20);
    }
    after.windows = kvtest::ownWindows();
    return after;
}

void expectCleanEnd(const Aftermath& after, const Aftermath& baseline, long failAt) {
    SCOPED_TRACE("allocation " + std::to_string(failAt) + " failing");
    EXPECT_TRUE(kResultCodes.count(after.resultCode)) << after.resultCode;
    EXPECT_FALSE(after.stalled) << "the run went on without a whole wizard";
    for (HWND window : after.windows) {
        char className[64] = {};
        ::GetClassNameA(window, className, sizeof(className));
        EXPECT_TRUE(std::binary_search(baseline.windows.begin(), baseline.windows.end(), window))
            << "window left behind: " << className;
    }
    EXPECT_LE(after.threadsAfter, after.threadsBefore) << "a thread is left running";
    EXPECT_EQ(0, kv::installState.workerBusy);
}

}  // namespace

TEST(AllocationFailure, EveryAllocationUpToTheWholeWizard) {
    const Aftermath baseline = runFailingAt(0, false);
    ASSERT_EQ(2, baseline.resultCode);
    ASSERT_GT(baseline.allocationsBeforeWizard, 0);
    std::printf("%ld allocations before the wizard is whole\n", baseline.allocationsBeforeWizard);
    for (long n = 1; n <= baseline.allocationsBeforeWizard; ++n)
        expectCleanEnd(runFailingAt(n, false), baseline, n);
}

TEST(AllocationFailure, ASpreadThroughAWholeInstallation) {
    const Aftermath baseline = runFailingAt(0, true);
    // Finished, with whichever restart choice the finish page offers first.
    ASSERT_TRUE(baseline.resultCode == 6 || baseline.resultCode == 12 || baseline.resultCode == 65542)
        << baseline.resultCode;
    const long first = baseline.allocationsBeforeWizard;
    const long total = baseline.allocations;
    ASSERT_GT(total, first);
    std::printf("%ld allocations in a whole run\n", total);
    constexpr int kSamples = 24;
    for (int k = 1; k <= kSamples; ++k) {
        const long n = first + (total - first) * k / (kSamples + 1);
        expectCleanEnd(runFailingAt(n, true), baseline, n);
    }
}
