// Data exchange between controls and fields, and the lifetime of moved
// window objects.
#include "scripted_dialog.h"

#include <gtest/gtest.h>

using kvtest::ScriptedDialog;

TEST(DataExchange, FieldsNeverOverflowAndMissingItemsFail) {
    ScriptedDialog dialog;
    kv::String limited = "ab";
    char buffer[8] = "init";
    int state = BST_CHECKED;
    bool withMissingItem = false;
    dialog.exchange = [&](kv::DataExchange& dx) {
        kv::exchangeText(dx, IDC_TEST_EDIT, limited, 4);
        kv::exchangeText(dx, IDC_TEST_STATIC, buffer);
        kv::exchangeCheck(dx, IDC_TEST_CHECK, state);
        if (withMissingItem) kv::exchangeText(dx, IDC_TEST_CHILD_EDIT, limited);
    };
    ASSERT_TRUE(dialog.Create(nullptr));
    HWND edit = dialog.GetDlgItem(IDC_TEST_EDIT);
    HWND check = dialog.GetDlgItem(IDC_TEST_CHECK);
    EXPECT_EQ(4, ::SendMessageA(edit, EM_GETLIMITTEXT, 0, 0));
    EXPECT_EQ(BST_CHECKED, ::SendMessageA(check, BM_GETCHECK, 0, 0));
    char shown[16] = {};
    ::GetDlgItemTextA(dialog.handle(), IDC_TEST_STATIC, shown, sizeof(shown));
    EXPECT_STREQ("init", shown);

    ::SetWindowTextA(edit, "abcdefgh");
    ::SetDlgItemTextA(dialog.handle(), IDC_TEST_STATIC, "0123456789");
    ::SendMessageA(check, BM_SETCHECK, BST_UNCHECKED, 0);
    // The edit's over-long text (set by a program) is refused, not cut; the
    // fixed buffer takes what fits; the other exchanges still happen.
    EXPECT_FALSE(dialog.UpdateData(true));
    EXPECT_EQ("ab", limited);
    EXPECT_STREQ("0123456", buffer);
    EXPECT_EQ(BST_UNCHECKED, state);
    ::SetWindowTextA(edit, "abcd");
    EXPECT_TRUE(dialog.UpdateData(true));
    EXPECT_EQ("abcd", limited);

    withMissingItem = true;
    EXPECT_FALSE(dialog.UpdateData(true));
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
    {
        ScriptedDialog last(std::move(third));
    }
    EXPECT_FALSE(::IsWindow(window));
}
