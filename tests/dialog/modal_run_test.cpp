// Modal runs against real windows: end codes, the keys and commands that end
// a dialog, nesting, modeless dialogs inside a run, WM_QUIT and owners.
#include "dialog/application.h"
#include "scripted_dialog.h"

#include <gtest/gtest.h>

using kvtest::ScriptedDialog;

namespace {

// Takes a WM_QUIT that a test left in the queue, so later tests can pump.
int takeQuitMessage() {
    MSG message;
    if (::PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) return static_cast<int>(message.wParam);
    return -1;
}

void postToItem(ScriptedDialog& dialog, int id, UINT message, WPARAM wParam, LPARAM lParam = 0) {
    ::PostMessageA(dialog.GetDlgItem(id), message, wParam, lParam);
}

}  // namespace

TEST(ModalRun, ReturnsTheCodeGivenToEndDialogAndDestroysTheWindow) {
    ScriptedDialog dialog;
    HWND seen = nullptr;
    dialog.onInit = [&](ScriptedDialog& d) {
        seen = d.handle();
        d.post([&d] { d.EndDialog(42); });
    };
    EXPECT_EQ(42, dialog.RunModal());
    ASSERT_NE(nullptr, seen);
    EXPECT_FALSE(::IsWindow(seen));
    EXPECT_EQ(nullptr, dialog.handle());
    EXPECT_FALSE(dialog.isModal());
}

// A test whose dialog nobody ends fails in seconds instead of hanging.
TEST(ModalRun, ARunNobodyEndsIsEndedByTheWatchdog) {
    ScriptedDialog dialog;
    EXPECT_EQ(ScriptedDialog::kTimedOut, dialog.RunModal());
    EXPECT_EQ("watchdog", dialog.events.back());
}

TEST(ModalRun, KeysAndCloseCommandsEndWithOkOrCancel) {
    struct Case {
        const char* name;
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
        int code;
    };
    const Case cases[] = {
        {"Enter", WM_KEYDOWN, VK_RETURN, 0, IDOK},
        {"Esc", WM_KEYDOWN, VK_ESCAPE, 0, IDCANCEL},
        {"Alt+F4", WM_SYSKEYDOWN, VK_F4, static_cast<LPARAM>(KF_ALTDOWN) << 16, IDCANCEL},
        {"close box", WM_SYSCOMMAND, SC_CLOSE, 0, IDCANCEL},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedDialog dialog;
        kv::String text = "start";
        dialog.exchange = [&](kv::DataExchange& dx) { kv::exchangeText(dx, IDC_TEST_EDIT, text); };
        dialog.onInit = [&c](ScriptedDialog& d) {
            d.post([&d, &c] {
                ::SetDlgItemTextA(d.handle(), IDC_TEST_EDIT, "typed");
                // Keys go to the edit, as typed; the close box to the dialog.
                HWND target = c.message == WM_SYSCOMMAND ? d.handle() : d.GetDlgItem(IDC_TEST_EDIT);
                ::PostMessageA(target, c.message, c.wParam, c.lParam);
            });
        };
        EXPECT_EQ(c.code, dialog.RunModal());
        // Only confirming reads the controls back.
        EXPECT_EQ(c.code == IDOK ? "typed" : "start", text);
    }
}

TEST(ModalRun, NestedRunDisablesTheOuterDialogUntilItEnds) {
    ScriptedDialog outer;
    int innerResult = 0;
    bool outerEnabledDuringInner = true;
    bool outerEnabledAfterInner = false;
    outer.onInit = [&](ScriptedDialog& o) {
        o.post([&] {
            ScriptedDialog inner(IDD_TEST_MODAL, o.handle());
            inner.onInit = [&](ScriptedDialog& i) {
                outerEnabledDuringInner = ::IsWindowEnabled(o.handle()) != FALSE;
                // Ended by a key, so the inner loop's own keyboard handling is used.
                i.post([&i] { postToItem(i, IDC_TEST_EDIT, WM_KEYDOWN, VK_ESCAPE); });
            };
            innerResult = inner.RunModal();
            outerEnabledAfterInner = ::IsWindowEnabled(o.handle()) != FALSE;
            o.EndDialog(8);
        });
    };
    EXPECT_EQ(8, outer.RunModal());
    EXPECT_EQ(IDCANCEL, innerResult);
    EXPECT_FALSE(outerEnabledDuringInner);
    EXPECT_TRUE(outerEnabledAfterInner);
}

TEST(ModalRun, ModelessDialogInsideAModalRunGetsItsKeyboardHandling) {
    ScriptedDialog outer;
    ScriptedDialog modeless;
    bool aliveAndHidden = false;
    outer.onInit = [&](ScriptedDialog& o) {
        ASSERT_TRUE(modeless.Create(o.handle()));
        modeless.ShowWindow(SW_SHOW);
        // Esc in the modeless dialog's edit ends the modeless dialog only.
        o.post([&] {
            postToItem(modeless, IDC_TEST_EDIT, WM_KEYDOWN, VK_ESCAPE);
            o.post([&] {
                // Ended but not destroyed: the owner of a modeless dialog decides that.
                aliveAndHidden = modeless.IsWindow() && !modeless.IsWindowVisible();
                o.EndDialog(3);
            });
        });
    };
    EXPECT_EQ(3, outer.RunModal());
    EXPECT_TRUE(aliveAndHidden);
    EXPECT_TRUE(modeless.hasEnded());
    EXPECT_EQ(IDCANCEL, modeless.endCode());
    // The modeless dialog's own pre-translation saw the key addressed to its edit.
    bool sawKey = false;
    for (const MSG& m : modeless.preTranslated)
        sawKey |= m.message == WM_KEYDOWN && m.wParam == VK_ESCAPE;
    EXPECT_TRUE(sawKey);
    // Owned windows go with their owner.
    EXPECT_FALSE(modeless.IsWindow());
}

TEST(ModalRun, QuitMessageEndsEveryNestedLoopAndStaysPosted) {
    ScriptedDialog outer;
    int innerResult = 0;
    outer.onInit = [&](ScriptedDialog& o) {
        o.post([&] {
            ScriptedDialog inner(IDD_TEST_MODAL, o.handle());
            inner.onInit = [](ScriptedDialog& i) { i.post([] { ::PostQuitMessage(9); }); };
            innerResult = inner.RunModal();
        });
    };
    EXPECT_EQ(kv::Dialog::kRunFailed, outer.RunModal());
    EXPECT_EQ(kv::Dialog::kRunFailed, innerResult);
    EXPECT_EQ(9, takeQuitMessage());
    EXPECT_NE("watchdog", outer.events.back());
}

TEST(ModalRun, DialogWithoutParentIsOwnedByTheMainWindowsLastActivePopup) {
    ScriptedDialog mainWindow;
    ASSERT_TRUE(mainWindow.Create(nullptr));
    mainWindow.ShowWindow(SW_SHOW);
    kv::MainWindowScope scope(mainWindow);

    HWND owner = nullptr;
    bool mainEnabled = true;
    {
        ScriptedDialog dialog;
        dialog.onInit = [&](ScriptedDialog& d) {
            owner = ::GetWindow(d.handle(), GW_OWNER);
            mainEnabled = ::IsWindowEnabled(mainWindow.handle()) != FALSE;
            d.EndDialog(1);
        };
        EXPECT_EQ(1, dialog.RunModal());
    }
    EXPECT_EQ(mainWindow.handle(), owner);
    EXPECT_FALSE(mainEnabled);
    EXPECT_TRUE(::IsWindowEnabled(mainWindow.handle()));

    // With a popup of the main window in use, the popup owns the dialog and
    // the whole chain up to the main window is disabled while it runs.
    ScriptedDialog popup(IDD_TEST_MODAL, mainWindow.handle());
    ASSERT_TRUE(popup.Create());
    popup.ShowWindow(SW_SHOW);
    ::SetActiveWindow(popup.handle());
    bool popupEnabled = true;
    {
        ScriptedDialog dialog;
        dialog.onInit = [&](ScriptedDialog& d) {
            owner = ::GetWindow(d.handle(), GW_OWNER);
            popupEnabled = ::IsWindowEnabled(popup.handle()) != FALSE;
            mainEnabled = ::IsWindowEnabled(mainWindow.handle()) != FALSE;
            d.EndDialog(1);
        };
        EXPECT_EQ(1, dialog.RunModal());
    }
    EXPECT_EQ(popup.handle(), owner);
    EXPECT_FALSE(popupEnabled);
    EXPECT_FALSE(mainEnabled);
    EXPECT_TRUE(::IsWindowEnabled(popup.handle()));
    EXPECT_TRUE(::IsWindowEnabled(mainWindow.handle()));

    // A window that was disabled before the run stays disabled after it.
    ::EnableWindow(mainWindow.handle(), FALSE);
    ScriptedDialog last;
    last.onInit = [](ScriptedDialog& d) { d.EndDialog(1); };
    EXPECT_EQ(1, last.RunModal());
    EXPECT_TRUE(::IsWindowEnabled(popup.handle()));
    EXPECT_FALSE(::IsWindowEnabled(mainWindow.handle()));
}
