// Enter, Esc and the ways out of a run: Cancel with staying or leaving, the
// frame's close box, and the backdrop's own close box.
#include "core/install_state.h"
#include "support/test_support.h"
#include "wizard_test_support.h"

#include <gtest/gtest.h>

using namespace kvdrive;

namespace {

// Gives `control` the focus and presses `key` on it.
void pressOn(Driver& d, HWND control, WPARAM key) {
    d.setFocus(control);
    d.expect(d.waitForFocus(control), "focus reached the control", true);
    d.pressKey(control, key);
    d.settle();
}

// True when no exit question shows for a moment.
bool noConfirmBoxFor(Driver& d, int milliseconds) {
    const DWORD until = ::GetTickCount() + milliseconds;
    while (::GetTickCount() < until) {
        if (d.confirmBox() != nullptr) return false;
        ::Sleep(20);
    }
    return true;
}

}  // namespace

TEST(WizardKeys, EnterRunsOnlyTheFocusedButtonAndEscDoesNothing) {
    const RunOutcome outcome = kvtest::runInProcess([](Driver& d) {
        d.waitForPage(kLanguage);
        HWND frame = d.frame();
        pressOn(d, d.item(frame, 1002), VK_RETURN);
        d.waitForPage(kWelcome);
        pressOn(d, d.item(frame, 1001), VK_RETURN);
        d.waitForPage(kLanguage);
        pressOn(d, d.item(frame, 1002), VK_ESCAPE);
        d.expect(noConfirmBoxFor(d, 300), "Esc on the frame asked nothing");
        d.expectEqual(Driver::pageIndexOf(d.visiblePage()), kLanguage, "Esc did not move");

        // Enter in an edit or a list does not advance; Esc there does nothing.
        HWND page = d.walkTo(kDestination);
        pressOn(d, d.item(page, 1018), VK_RETURN);
        pressOn(d, d.item(page, 1018), VK_ESCAPE);
        d.expect(noConfirmBoxFor(d, 300), "keys in the edit asked nothing");
        d.expectEqual(Driver::pageIndexOf(d.visiblePage()), kDestination, "Enter in the edit stays");
        d.next();
        page = d.waitForPage(kProgramFolder);
        pressOn(d, d.item(page, 1014), VK_RETURN);
        d.expectEqual(Driver::pageIndexOf(d.visiblePage()), kProgramFolder, "Enter in the list stays");

        // Enter on Cancel asks; Enter in the question stays, Esc leaves.
        pressOn(d, d.item(frame, 1010), VK_RETURN);
        HWND box = d.waitForConfirmBox();
        d.pressKey(d.focus(), VK_RETURN);
        d.expect(d.waitUntil([&] { return d.confirmBox() == nullptr; }, 5000, "box closed"), "Enter closed the box");
        d.settle();
        d.expectEqual(Driver::pageIndexOf(d.visiblePage()), kProgramFolder, "Enter in the box stays");
        d.cancel();
        box = d.waitForConfirmBox();
        d.pressKey(d.focus(), VK_ESCAPE);
        (void)box;
    });
    kvtest::expectNoScriptFailures(outcome);
    EXPECT_EQ(2, outcome.resultCode);
}

TEST(WizardKeys, EscDoesNotEndTheProgressDialog) {
    const std::string destination = kvtest::makeTempFolder("keys-dest");
    const RunOutcome outcome = kvtest::runInProcess([&](Driver& d) {
        d.waitForPage(kLanguage);
        for (int page = kWelcome; page <= kInformation; ++page) {
            d.next();
            HWND shown = d.waitForPage(page);
            if (page == kDestination) d.setText(d.item(shown, 1018), destination);
        }
        d.next();
        HWND progress = d.waitForProgressDialog();
        d.pressKey(progress, VK_ESCAPE);
        d.pressKey(progress, VK_RETURN);
        d.closeBox(progress);
        HWND page = d.waitForPage(kFinish, 60000);
        d.expect(kvtest::fileExists(destination + "\\kvrem00.log"), "the installation ran to its end");
        d.expect(d.isChecked(d.item(page, 1016)), "Yes preselected");
        d.cancel();
    });
    kvtest::expectNoScriptFailures(outcome);
    EXPECT_TRUE(outcome.resultCode == 6 || outcome.resultCode == 65542) << outcome.resultCode;
}

TEST(WizardCancel, StayingKeepsThePageAndTypedValues) {
    const RunOutcome outcome = kvtest::runInProcess([](Driver& d) {
        d.waitForPage(kLanguage);
        HWND page = d.walkTo(kDestination);
        d.setText(d.item(page, 1018), "C:\\typed but not taken");
        d.cancel();
        HWND box = d.waitForConfirmBox();
        d.click(box, IDOK);
        d.expect(d.waitUntil([&] { return d.confirmBox() == nullptr; }, 5000, "box closed"), "stay closed the box");
        page = d.waitForPage(kDestination);
        d.expect(d.text(d.item(page, 1018)) == "C:\\typed but not taken", "typed folder kept");
        // The frame's close box asks the same question.
        d.closeBox(d.frame());
        box = d.waitForConfirmBox();
        d.click(box, IDCANCEL);
    });
    kvtest::expectNoScriptFailures(outcome);
    EXPECT_EQ(2, outcome.resultCode);
}

TEST(WizardCancel, ClosingTheBackdropEndsAtOnceWithoutAsking) {
    const RunOutcome outcome = kvtest::runInProcess([](Driver& d) {
        d.waitForPage(kLanguage);
        d.next();
        d.waitForPage(kWelcome);
        d.closeBox(d.mainWindow());
    });
    kvtest::expectNoScriptFailures(outcome);
    EXPECT_EQ(2, outcome.resultCode);
}

TEST(WizardCancel, EnterAndEscOnTheBackdropEndNothing) {
    const RunOutcome outcome = kvtest::runInProcess([](Driver& d) {
        d.waitForPage(kLanguage);
        HWND main = d.mainWindow();
        d.pressKey(main, VK_RETURN);
        d.pressKey(main, VK_ESCAPE);
        d.settle(main);
        d.expect(d.mainWindow() != nullptr && noConfirmBoxFor(d, 300), "backdrop still running");
        d.expect(d.waitUntil([&] { HWND f = d.focus(); return f != nullptr && (f == d.frame() || ::IsChild(d.frame(), f)); },
                             3000, "focus on the frame"),
                 "keys moved the focus to the frame");
        d.cancel();
        d.click(d.waitForConfirmBox(), IDCANCEL);
    });
    kvtest::expectNoScriptFailures(outcome);
    EXPECT_EQ(2, outcome.resultCode);
}
