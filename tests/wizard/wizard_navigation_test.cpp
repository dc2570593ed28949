// Whole setup runs in this process, driven through the real windows: the
// frame's navigation table and what each step captures into the install state.
#include "core/install_state.h"
#include "core/setup_config.h"
#include "support/test_support.h"
#include "wizard_test_support.h"

#include <gtest/gtest.h>

using kvdrive::Driver;
using namespace kvdrive;

namespace {

bool enabled(HWND w) { return ::IsWindowEnabled(w) != FALSE; }
bool visible(HWND w) { return ::IsWindowVisible(w) != FALSE; }

std::string enu(const char* section, const char* key) { return kvtest::packageText("enu", section, key); }

}  // namespace

TEST(WizardNavigation, EveryTransitionOfTheTableAndWhatItCaptures) {
    const std::string destination = kvtest::makeTempFolder("nav-dest");
    const std::string typedFolder = "KV Navigation Test";
    std::string defaultDestination;
    std::string programFolderBefore;

    const RunOutcome outcome = kvtest::runInProcess([&](Driver& d) {
        HWND page = d.waitForPage(kLanguage);
        HWND frame = d.frame();
        d.expect(!enabled(d.item(frame, 1001)), "Back disabled at start");
        d.expect(d.waitForFocus(d.item(frame, 1002)), "Next has the focus at start");
        d.expect(d.listCount(d.item(page, 1014)) == 10, "ten languages");

        // 0 -> 1 enables Back; 1 -> 0 disables it and re-applies the texts.
        d.next();
        page = d.waitForPage(kWelcome);
        d.expect(enabled(d.item(frame, 1001)), "Back enabled on page 1");
        d.back();
        page = d.waitForPage(kLanguage);
        d.expect(!enabled(d.item(frame, 1001)), "Back disabled again on page 0");
        d.expect(d.text(frame) == enu("MSG", "13"), "language caption re-applied");
        d.expect(d.text(d.item(frame, 1002)) == enu("MSG", "2"), "Next text re-applied");

        // 1 -> 2 shows the stored choice: the second option at first.
        d.next();
        d.waitForPage(kWelcome);
        d.next();
        page = d.waitForPage(kSetupType);
        d.expect(!d.isChecked(d.item(page, 1001)) && d.isChecked(d.item(page, 1002)),
                 "second option preselected");
        // A choice left with Back is forgotten.
        d.setCheck(d.item(page, 1001), true);
        d.setCheck(d.item(page, 1002), false);
        d.back();
        d.waitForPage(kWelcome);
        d.next();
        page = d.waitForPage(kSetupType);
        d.expect(d.isChecked(d.item(page, 1002)) && !d.isChecked(d.item(page, 1001)),
                 "Back forgot the first option");
        // A choice taken on with Next is captured, and shown again on Back.
        d.setCheck(d.item(page, 1001), true);
        d.setCheck(d.item(page, 1002), false);
        d.next();
        page = d.waitForPage(kDestination);
        d.expect(kv::installState.setupTypeFirst == 1, "Next captured the first option");
        defaultDestination = d.text(d.item(page, 1018));
        d.expect(defaultDestination == kv::installState.destinationDir, "edit shows the default destination");
        d.back();
        page = d.waitForPage(kSetupType);
        d.expect(d.isChecked(d.item(page, 1001)), "first option shown after Back from page 3");
        // 4 -> 3 re-reads the choice from the page.
        d.next();
        page = d.waitForPage(kDestination);
        // A typed folder left with Back does not reach the install state.
        d.setText(d.item(page, 1018), "C:\\left with back");
        d.back();
        d.waitForPage(kSetupType);
        d.expect(std::string(kv::installState.destinationDir) == defaultDestination,
                 "Back wrote no destination");
        d.next();
        page = d.waitForPage(kDestination);
        d.expect(d.text(d.item(page, 1018)) == defaultDestination, "stored destination shown again");
        d.setText(d.item(page, 1018), destination);
        d.next();
        page = d.waitForPage(kProgramFolder);
        d.expect(std::string(kv::installState.destinationDir) == destination, "Next captured the destination");
        programFolderBefore = kv::setupConfig.programFolder.get();
        d.expect(d.text(d.item(page, 1018)) == programFolderBefore, "program folder edit");
        d.back();
        page = d.waitForPage(kDestination);
        d.expect(kv::installState.setupTypeFirst == 1, "Back from page 4 kept the first option");
        d.next();
        page = d.waitForPage(kProgramFolder);
        // An empty program folder keeps the configured one.
        d.setText(d.item(page, 1018), "");
        d.next();
        d.waitForPage(kInformation);
        d.expect(std::string(kv::setupConfig.programFolder.get()) == programFolderBefore,
                 "empty edit kept the program folder");
        d.back();
        page = d.waitForPage(kProgramFolder);
        d.setText(d.item(page, 1018), typedFolder);
        d.next();
        page = d.waitForPage(kInformation);
        d.expect(std::string(kv::setupConfig.programFolder.get()) == typedFolder, "program folder captured");

        // 5 -> 6 installs, then only Finish is left, with Yes preselected.
        d.next();
        d.waitForProgressDialog();
        d.expect(!visible(frame), "frame hidden during the installation");
        page = d.waitForPage(kFinish, 60000);
        d.expect(!visible(d.item(frame, 1001)) && !visible(d.item(frame, 1002)), "Next and Back hidden");
        d.expect(d.isChecked(d.item(page, 1016)) && !d.isChecked(d.item(page, 1020)), "Yes preselected");
        d.expect(kv::installState.restartNeeded == 1, "restart needed");
        // Next and Back do nothing on the finish page.
        d.next();
        d.back();
        d.settle();
        d.expect(Driver::pageIndexOf(d.visiblePage()) == kFinish, "still on the finish page");
        d.setCheck(d.item(page, 1016), false);
        d.setCheck(d.item(page, 1020), true);
        d.cancel();
    });
    kvtest::expectNoScriptFailures(outcome);
    EXPECT_EQ(12, outcome.resultCode);
    EXPECT_TRUE(kvtest::fileExists(destination + "\\kvtray32.exe"));
    EXPECT_TRUE(kvtest::fileExists(destination + "\\kvrem00.log"));
    EXPECT_EQ(nullptr, kv::installState.mainWindow);
    EXPECT_EQ(nullptr, kv::installState.wizardFrame);
}
