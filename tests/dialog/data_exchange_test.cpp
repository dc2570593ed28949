// Data exchange between controls and fields, and the lifetime of window
// objects (destruction and moves).
#include "scripted_dialog.h"

#include <gtest/gtest.h>

#include <cstring>

using kvtest::ScriptedDialog;

TEST(DataExchange, TextIsLimitedAndCutToTheField) {
    ScriptedDialog dialog;
    std::string limited = "ab";
    char buffer[8] = "init";
    dialog.exchange = [&](kv::DataExchange& dx) {
        kv::exchangeText(dx, IDC_TEST_EDIT, limited, 4);
        kv::exchangeText(dx, IDC_TEST_CHILD_EDIT, buffer);  // not in this template
    };
    ASSERT_TRUE(dialog.Create(nullptr));
    HWND edit = dialog.GetDlgItem(IDC_TEST_EDIT);
    char shown[16] = {};
    ::GetWindowTextA(edit, shown, sizeof(shown));
    EXPECT_STREQ("ab", shown);
    EXPECT_EQ(4, ::SendMessageA(edit, EM_GETLIMITTEXT, 0, 0));

    ::SetWindowTextA(edit, "abcdefgh");
    EXPECT_FALSE(dialog.UpdateData(true));  // the missing item fails the exchange...
    EXPECT_EQ("abcd", limited);             // ...but the items that exist are read
}

TEST(DataExchange, FixedBufferNeverOverflows) {
    ScriptedDialog dialog;
    char buffer[8] = "init";
    dialog.exchange = [&](kv::DataExchange& dx) { kv::exchangeText(dx, IDC_TEST_EDIT, buffer); };
    ASSERT_TRUE(dialog.Create(nullptr));
    HWND edit = dialog.GetDlgItem(IDC_TEST_EDIT);
    char shown[16] = {};
    ::GetWindowTextA(edit, shown, sizeof(shown));
    EXPECT_STREQ("init", shown);
    EXPECT_EQ(7, ::SendMessageA(edit, EM_GETLIMITTEXT, 0, 0));

    ::SetWindowTextA(edit, "0123456789");
    EXPECT_TRUE(dialog.UpdateData(true));
    EXPECT_STREQ("0123456", buffer);
}

TEST(DataExchange, CheckStateBothWays) {
    ScriptedDialog dialog;
    int state = BST_CHECKED;
    dialog.exchange = [&](kv::DataExchange& dx) { kv::exchangeCheck(dx, IDC_TEST_CHECK, state); };
    ASSERT_TRUE(dialog.Create(nullptr));
    HWND check = dialog.GetDlgItem(IDC_TEST_CHECK);
    EXPECT_EQ(BST_CHECKED, ::SendMessageA(check, BM_GETCHECK, 0, 0));
    ::SendMessageA(check, BM_SETCHECK, BST_UNCHECKED, 0);
    EXPECT_TRUE(dialog.UpdateData(true));
    EXPECT_EQ(BST_UNCHECKED, state);
}

TEST(DataExchange, CutNeverSplitsADoubleByteCharacter) {
    // Only meaningful where the ANSI code page has lead bytes.
    const char text[] = "ab\x81\x40";
    if (!::IsDBCSLeadByte(0x81)) {
        EXPECT_EQ(3u, kv::characterBoundary(text, 4, 3));
    } else {
        EXPECT_EQ(2u, kv::characterBoundary(text, 4, 3));
    }
    EXPECT_EQ(4u, kv::characterBoundary(text, 4, 10));
    EXPECT_EQ(0u, kv::characterBoundary(text, 4, 0));
}

TEST(WindowLifetime, DestroyingTheObjectDestroysItsWindow) {
    HWND window = nullptr;
    {
        ScriptedDialog dialog;
        ASSERT_TRUE(dialog.Create(nullptr));
        window = dialog.handle();
        EXPECT_TRUE(::IsWindow(window));
    }
    EXPECT_FALSE(::IsWindow(window));
}

TEST(WindowLifetime, MovedDialogKeepsItsWindowAndGetsItsMessages) {
    ScriptedDialog first;
    ASSERT_TRUE(first.Create(nullptr));
    HWND window = first.handle();

    ScriptedDialog second(std::move(first));
    EXPECT_EQ(nullptr, first.handle());
    EXPECT_EQ(window, second.handle());
    EXPECT_EQ(&second, kv::Window::fromHandle(window));
    ::SendMessageA(window, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    EXPECT_EQ("cancel", second.events.back());

    // Assigning over a live dialog destroys the window it had.
    ScriptedDialog third;
    ASSERT_TRUE(third.Create(nullptr));
    HWND replaced = third.handle();
    third = std::move(second);
    EXPECT_FALSE(::IsWindow(replaced));
    EXPECT_EQ(&third, kv::Window::fromHandle(window));
}
