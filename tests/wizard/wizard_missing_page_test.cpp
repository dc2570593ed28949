// A setup run whose resources lack one wizard page template (this program is
// linked with such resources): the wizard cannot make all of its pages, so
// the run ends by itself with 0 before any page can be navigated to.
#include "install/install_state.h"
#include "support/test_support.h"
#include "wizard_test_support.h"

#include <gtest/gtest.h>

using namespace kvdrive;

TEST(WizardMissingPage, RunEndsWithZeroAndLeavesNoWindow) {
    ASSERT_EQ(nullptr, ::FindResourceA(nullptr, MAKEINTRESOURCEA(134), MAKEINTRESOURCEA(5)))
        << "this program must be linked without the program folder page";
    ASSERT_NE(nullptr, ::FindResourceA(nullptr, MAKEINTRESOURCEA(133), MAKEINTRESOURCEA(5)));

    const RunOutcome outcome = kvtest::runInProcess(
        [](Driver& d) {
            // Watch the run for a while: no wizard may ever show, and the
            // run must end on its own (the driver reports it otherwise).
            for (int i = 0; i < 50; ++i, ::Sleep(20))
                d.expect(d.frame() == nullptr || !::IsWindowVisible(d.frame()), "no wizard shows", true);
        },
        15000);
    kvtest::expectNoScriptFailures(outcome);
    EXPECT_EQ(0, outcome.resultCode);
    EXPECT_TRUE(kvtest::ownWindows().empty());
    EXPECT_EQ(nullptr, kv::installState.mainWindow);
    EXPECT_EQ(nullptr, kv::installState.wizardFrame);
}
