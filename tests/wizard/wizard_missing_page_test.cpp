// A setup run whose resources lack one wizard page template (this program is
// linked with such resources): the wizard cannot make all of its pages, so
// the run ends by itself with 0 before any page can be navigated to.
#include "core/install_state.h"
#include "core/setup_run.h"
#include "scripted/setup_driver.h"
#include "support/test_support.h"
#include "wizard_test_support.h"

#include <gtest/gtest.h>

#include <atomic>

using namespace kvdrive;

namespace {

BOOL CALLBACK countWindow(HWND, LPARAM count) {
    ++*reinterpret_cast<int*>(count);
    return TRUE;
}

int threadWindowCount() {
    int count = 0;
    ::EnumThreadWindows(::GetCurrentThreadId(), countWindow, reinterpret_cast<LPARAM>(&count));
    return count;
}

}  // namespace

TEST(WizardMissingPage, RunEndsWithZeroAndLeavesNoWindow) {
    ASSERT_EQ(nullptr, ::FindResourceA(nullptr, MAKEINTRESOURCEA(134), MAKEINTRESOURCEA(5)))
        << "this program must be linked without the program folder page";
    ASSERT_NE(nullptr, ::FindResourceA(nullptr, MAKEINTRESOURCEA(133), MAKEINTRESOURCEA(5)));

    std::atomic<bool> frameSeen{false};
    const RunOutcome outcome = runScripted(
        [](const char* folder) { return kv::runSetup(folder); }, kvtest::stagedPackageDir(),
        [&](Driver& d) {
            // Watch the run for a while: no wizard may ever be shown, and
            // the run must end on its own (the driver reports it otherwise).
            for (int i = 0; i < 50; ++i) {
                HWND frame = d.frame();
                if (frame != nullptr && ::IsWindowVisible(frame)) frameSeen = true;
                ::Sleep(20);
            }
        },
        15000);
    kvtest::expectNoScriptFailures(outcome);
    EXPECT_EQ(0, outcome.resultCode);
    EXPECT_FALSE(frameSeen.load());
    EXPECT_EQ(0, threadWindowCount());
    EXPECT_EQ(nullptr, kv::installState.mainWindow);
    EXPECT_EQ(nullptr, kv::installState.wizardFrame);
}
