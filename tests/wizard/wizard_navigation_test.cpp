// Whole setup runs in this process, driven through the real windows: the
// frame's navigation table, the keys on every kind of control, the ways out
// of a run, and what each step captures into the install state.
#include "install/install_state.h"
#include "common/setup_config.h"
#include "support/test_support.h"
#include "wizard_test_support.h"

#include <gtest/gtest.h>

#include <functional>

using namespace kvdrive;

namespace {

bool enabled(HWND w) { return ::IsWindowEnabled(w) != FALSE; }
bool visible(HWND w) { return ::IsWindowVisible(w) != FALSE; }

enum Press { kNoPress, kNext, kBack, kFinishButton };
enum BackButton { kBackDisabled, kBackEnabled, kBackHidden };  // hidden: Next too
constexpr int kRunEnds = -1;

using Act = std::function<void(Driver&, HWND page)>;
using Check = std::function<bool(Driver&, HWND page)>;

// On page `from`, `act` (if any), then press a frame button: the frame shows
// `to` with Back as given, and `check` (if any) holds there.
struct Step {
    int from;
    Act act;
    Press press;
    int to;
    BackButton back;
    const char* what = "";
    Check check = nullptr;
};

Act choose(int on, int off) {
    return [on, off](Driver& d, HWND page) {
        d.setCheck(d.item(page, on), true);
        d.setCheck(d.item(page, off), false);
    };
}
bool chosen(Driver& d, HWND page, int on, int off) {
    return d.isChecked(d.item(page, on)) && !d.isChecked(d.item(page, off));
}
bool firstChosen(Driver& d, HWND page) { return chosen(d, page, 1001, 1002); }
bool secondChosen(Driver& d, HWND page) { return chosen(d, page, 1002, 1001); }
Act type(const std::string& text) {
    return [text](Driver& d, HWND page) { d.setText(d.item(page, 1018), text); };
}
Act typed(const std::string& text) {
    return [text](Driver& d, HWND page) { d.typeText(d.item(page, 1018), text); };
}
std::string edit(Driver& d, HWND page) { return d.text(d.item(page, 1018)); }

// Gives `control` the focus and presses `key` on it.
void pressOn(Driver& d, HWND control, WPARAM key) {
    d.setFocus(control);
    d.expect(d.waitForFocus(control), "focus reached the control", true);
    d.pressKey(control, key);
    d.settle();
}
// Keys pressed on a control of the frame (`onFrame`) or of the page.
Act keys(int id, std::vector<WPARAM> pressed, bool onFrame = false) {
    return [=](Driver& d, HWND page) {
        for (WPARAM key : pressed) pressOn(d, d.item(onFrame ? d.frame() : page, id), key);
    };
}

// True when no exit question shows for a moment.
bool noQuestion(Driver& d, HWND = nullptr) {
    const DWORD until = ::GetTickCount() + 300;
    while (::GetTickCount() < until) {
        if (d.confirmBox() != nullptr) return false;
        ::Sleep(20);
    }
    return true;
}

// Asks to leave (Cancel clicked, Enter on Cancel, or the frame's close box)
// and stays (the stay button clicked, or Enter on the question's focus).
enum Ask { kClickCancel, kEnterOnCancel, kCloseBox };
Act askAndStay(Ask ask, bool byEnter = false) {
    return [=](Driver& d, HWND) {
        if (ask == kClickCancel) d.cancel();
        if (ask == kEnterOnCancel) pressOn(d, d.item(d.frame(), 1010), VK_RETURN);
        if (ask == kCloseBox) d.closeBox(d.frame());
        HWND box = d.waitForConfirmBox();
        if (byEnter) d.pressKey(d.focus(), VK_RETURN);
        else d.click(box, IDOK);
        d.expect(d.waitUntil([&] { return d.confirmBox() == nullptr; }, 5000, "box closed"), "staying closed the box");
    };
}

}  // namespace

TEST(WizardNavigation, EveryTransitionOfTheTableAndWhatItCaptures) {
    const std::string destination = kvtest::makeTempFolder("nav-dest");
    const std::string typedFolder = "KV Navigation Test";
    std::string defaultDestination;
    std::string programFolderBefore;
    int languageIndex = -1;
    // A folder set straight into an edit by a program is not held to the
    // edit's limit: Next refuses it whole rather than cutting it into some
    // other folder. Typed text stops at 259 characters in the edit itself.
    std::string tooLong = "C:\\";
    while (tooLong.size() < 300) tooLong += static_cast<char>('a' + tooLong.size() % 26);  // a cut shows
    const std::string typedTooLong = tooLong.substr(1), keptOf259 = tooLong.substr(1, 258);
    const Act setTooLong = [&](Driver& d, HWND page) {
        d.setText(d.item(page, 1018), tooLong);
        d.expectEqual(edit(d, page).size(), 300u, "the edit holds the whole set text");
    };

    const Step steps[] = {
        // What each page shows is the screen tests'; here what the moves change.
        {kLanguage, nullptr, kNoPress, kLanguage, kBackDisabled, "start: Next focused, ten languages",
         [&](Driver& d, HWND page) {
             languageIndex = kv::installState.languageIndex;
             return d.waitForFocus(d.item(d.frame(), 1002)) && d.listCount(d.item(page, 1014)) == 10;
         }},
        {kLanguage, nullptr, kNext, kWelcome, kBackEnabled},
        {kWelcome, nullptr, kBack, kLanguage, kBackDisabled},
        // Enter runs only the focused button; Esc does nothing.
        {kLanguage, keys(1002, {VK_RETURN}, true), kNoPress, kWelcome, kBackEnabled, "Enter on Next"},
        {kWelcome, keys(1001, {VK_RETURN}, true), kNoPress, kLanguage, kBackDisabled, "Enter on Back"},
        {kLanguage, keys(1002, {VK_ESCAPE}, true), kNoPress, kLanguage, kBackDisabled, "Esc asks nothing", noQuestion},
        {kLanguage, nullptr, kNext, kWelcome, kBackEnabled},
        {kWelcome, askAndStay(kCloseBox), kNoPress, kWelcome, kBackEnabled, "the close box asks, staying stays"},
        {kWelcome, nullptr, kNext, kSetupType, kBackEnabled, "second option preselected", secondChosen},
        {kSetupType, choose(1001, 1002), kBack, kWelcome, kBackEnabled},
        {kWelcome, nullptr, kNext, kSetupType, kBackEnabled, "Back forgot the first option", secondChosen},
        {kSetupType, choose(1001, 1002), kNext, kDestination, kBackEnabled,
         "first option captured, default destination shown",
         [&](Driver& d, HWND page) {
             defaultDestination = edit(d, page);
             return kv::installState.setupTypeFirst && defaultDestination == kv::installState.destinationDir;
         }},
        {kDestination, nullptr, kBack, kSetupType, kBackEnabled, "first option shown again", firstChosen},
        {kSetupType, nullptr, kNext, kDestination, kBackEnabled},
        {kDestination, keys(1018, {VK_RETURN, VK_ESCAPE}), kNoPress, kDestination, kBackEnabled,
         "Enter and Esc in the edit stay and ask nothing", noQuestion},
        {kDestination, type("C:\\left with back"), kNoPress, kDestination, kBackEnabled},
        {kDestination, askAndStay(kClickCancel), kNoPress, kDestination, kBackEnabled, "staying kept the typed folder",
         [](Driver& d, HWND page) { return edit(d, page) == "C:\\left with back"; }},
        {kDestination, nullptr, kBack, kSetupType, kBackEnabled, "Back wrote no destination",
         [&](Driver&, HWND) { return kv::installState.destinationDir == defaultDestination; }},
        {kSetupType, nullptr, kNext, kDestination, kBackEnabled, "stored destination shown again",
         [&](Driver& d, HWND page) { return edit(d, page) == defaultDestination; }},
        {kDestination, setTooLong, kNext, kDestination, kBackEnabled, "300 characters refused, the destination not cut",
         [&](Driver&, HWND) { return kv::installState.destinationDir == defaultDestination; }},
        {kDestination, typed("D" + typedTooLong), kNext, kProgramFolder, kBackEnabled, "typed destination stops at 259",
         [&](Driver&, HWND) { return kv::installState.destinationDir == "D" + keptOf259; }},
        {kProgramFolder, nullptr, kBack, kDestination, kBackEnabled},
        {kDestination, type(destination), kNext, kProgramFolder, kBackEnabled,
         "destination captured, configured program folder shown",
         [&](Driver& d, HWND page) {
             programFolderBefore = kv::setupConfig.programFolder.get();
             return kv::installState.destinationDir == destination && edit(d, page) == programFolderBefore;
         }},
        {kProgramFolder, setTooLong, kNext, kProgramFolder, kBackEnabled, "300 characters refused, the folder not cut",
         [&](Driver&, HWND) { return kv::setupConfig.programFolder.get() == programFolderBefore; }},
        {kProgramFolder, typed("P" + typedTooLong), kNext, kProgramFolder, kBackEnabled,
         "typed program folder stops at 259, and with a drive is refused",
         [&](Driver& d, HWND page) {
             return edit(d, page) == "P" + keptOf259 && kv::setupConfig.programFolder.get() == programFolderBefore;
         }},
        {kProgramFolder, keys(1014, {VK_RETURN}), kNoPress, kProgramFolder, kBackEnabled, "Enter in the list stays"},
        {kProgramFolder, askAndStay(kEnterOnCancel, true), kNoPress, kProgramFolder, kBackEnabled,
         "Enter on Cancel asks, Enter in the question stays"},
        {kProgramFolder, nullptr, kBack, kDestination, kBackEnabled, "Back from the program folder kept the option",
         [](Driver&, HWND) { return kv::installState.setupTypeFirst; }},
        {kDestination, nullptr, kNext, kProgramFolder, kBackEnabled},
        {kProgramFolder, type(""), kNext, kInformation, kBackEnabled, "empty edit kept the program folder",
         [&](Driver&, HWND) { return kv::setupConfig.programFolder.get() == programFolderBefore; }},
        {kInformation, nullptr, kBack, kProgramFolder, kBackEnabled},
        {kProgramFolder, type(typedFolder), kNext, kInformation, kBackEnabled,
         "program folder captured, the language unchanged",
         [&](Driver&, HWND) {
             return kv::setupConfig.programFolder.get() == typedFolder &&
                    kv::installState.languageIndex == languageIndex;
         }},
        // Installs first: the frame hides while the progress dialog runs,
        // which Esc, Enter and its close box do not end.
        {kInformation, nullptr, kNext, kFinish, kBackHidden, "Yes preselected, restart needed",
         [&](Driver& d, HWND page) { return chosen(d, page, 1016, 1020) && kv::installState.restartNeeded == 1; }},
        {kFinish, nullptr, kNext, kFinish, kBackHidden, "Next does nothing"},
        {kFinish, nullptr, kBack, kFinish, kBackHidden, "Back does nothing"},
        {kFinish, choose(1020, 1016), kFinishButton, kRunEnds, kBackHidden, "restart later ends the run"},
    };

    const RunOutcome outcome = kvtest::runInProcess([&](Driver& d) {
        HWND page = d.waitForPage(kLanguage);
        for (const Step& step : steps) {
            const std::string row = std::to_string(step.from) + " -> " + std::to_string(step.to) + ": ";
            d.expect(Driver::pageIndexOf(d.visiblePage()) == step.from, row + "starts elsewhere", true);
            if (step.act) step.act(d, page);
            if (step.press == kNext) d.next();
            if (step.press == kBack) d.back();
            if (step.press == kFinishButton) d.cancel();
            if (step.to == kRunEnds) break;
            if (step.from == kInformation && step.to == kFinish) {
                HWND progress = d.waitForProgressDialog();
                d.expect(!visible(d.frame()), row + "frame hidden during the installation");
                d.pressKey(progress, VK_ESCAPE);
                d.pressKey(progress, VK_RETURN);
                d.closeBox(progress);
            }
            if (step.to == step.from) d.settle();  // a press that does nothing
            page = d.waitForPage(step.to, step.to == kFinish ? 60000 : 10000);
            HWND back = d.item(d.frame(), 1001);
            if (step.back == kBackHidden)
                d.expect(!visible(back) && !visible(d.item(d.frame(), 1002)), row + "Next and Back hidden");
            else
                d.expect(enabled(back) == (step.back == kBackEnabled), row + "Back enabled or not");
            if (step.check) d.expect(step.check(d, page), row + step.what);
        }
    });
    kvtest::expectNoScriptFailures(outcome);
    EXPECT_EQ(12, outcome.resultCode);
    EXPECT_TRUE(kvtest::fileExists(destination + "\\kvtray32.exe"));
    EXPECT_TRUE(kvtest::fileExists(destination + "\\kvrem00.log"));
    EXPECT_EQ(nullptr, kv::installState.mainWindow);
    EXPECT_EQ(nullptr, kv::installState.wizardFrame);
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

// Enter and Esc on the backdrop end nothing and hand the focus to the frame;
// Esc in the exit question leaves.
TEST(WizardCancel, KeysOnTheBackdropEndNothingAndEscInTheQuestionLeaves) {
    const RunOutcome outcome = kvtest::runInProcess([](Driver& d) {
        d.waitForPage(kLanguage);
        HWND main = d.mainWindow();
        d.pressKey(main, VK_RETURN);
        d.pressKey(main, VK_ESCAPE);
        d.settle(main);
        d.expect(d.mainWindow() != nullptr && noQuestion(d), "backdrop still running");
        d.waitUntil([&] { return d.focus() != nullptr && (d.focus() == d.frame() || ::IsChild(d.frame(), d.focus())); },
                    3000, "the keys to move the focus to the frame");
        d.cancel();
        d.waitForConfirmBox();
        d.pressKey(d.focus(), VK_ESCAPE);
    });
    kvtest::expectNoScriptFailures(outcome);
    EXPECT_EQ(2, outcome.resultCode);
}
