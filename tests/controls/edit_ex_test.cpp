// CEditEx in a dialog: its colours answer the dialog's colour requests and
// show on screen; a second font replaces the first.
#include "base/gdi_scope.h"
#include "control_host.h"
#include "controls/edit_ex.h"
#include "scripted/screenshot.h"

#include <gtest/gtest.h>

using kvtest::ControlHost;

namespace {

LRESULT colourRequest(ControlHost& host, UINT message, HDC dc, HWND control) {
    return ::SendMessageA(host.handle(), message, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(control));
}

COLORREF brushColour(HGDIOBJ brush) {
    LOGBRUSH description{};
    ::GetObjectA(brush, sizeof(description), &description);
    return description.lbColor;
}

}  // namespace

TEST(CEditEx, EachColourSetterReturnsThePreviousColour) {
    kv::CEditEx edit;
    EXPECT_EQ(::GetSysColor(COLOR_WINDOW), edit.backgroundColor());
    EXPECT_EQ(::GetSysColor(COLOR_WINDOWTEXT), edit.foregroundColor());
    EXPECT_EQ(::GetSysColor(COLOR_WINDOW), edit.SetBackgroundColor(RGB(255, 255, 255)));
    EXPECT_EQ(RGB(255, 255, 255), edit.SetBackgroundColor(RGB(1, 2, 3)));
    EXPECT_EQ(::GetSysColor(COLOR_WINDOWTEXT), edit.SetForegroundColor(RGB(0, 0, 255)));
    EXPECT_EQ(RGB(0, 0, 255), edit.SetForegroundColor(RGB(4, 5, 6)));
}

TEST(CEditEx, AnswersTheColourRequestsItsDialogPassesBack) {
    ControlHost host;
    kv::CEditEx edit, readOnly;
    ASSERT_TRUE(edit.SubclassWindow(host.GetDlgItem(IDC_HOST_EDIT)));
    ASSERT_TRUE(readOnly.SubclassWindow(host.GetDlgItem(IDC_HOST_READONLY_EDIT)));

    {
        // Before any colour is set: the system's window colours.
        const kv::ClientDc editDc(edit.handle());
        HDC dc = editDc.get();
        LRESULT brush = colourRequest(host, WM_CTLCOLOREDIT, dc, edit.handle());
        EXPECT_EQ(::GetSysColor(COLOR_WINDOW), brushColour(reinterpret_cast<HGDIOBJ>(brush)));

        edit.SetBackgroundColor(0x00FFFFFF);
        edit.SetForegroundColor(0x00FF0000);
        brush = colourRequest(host, WM_CTLCOLOREDIT, dc, edit.handle());
        EXPECT_EQ(0x00FFFFFFu, brushColour(reinterpret_cast<HGDIOBJ>(brush)));
        EXPECT_EQ(0x00FF0000u, ::GetTextColor(dc));
        EXPECT_EQ(0x00FFFFFFu, ::GetBkColor(dc));

        readOnly.SetBackgroundColor(RGB(0, 255, 0));
        brush = colourRequest(host, WM_CTLCOLORSTATIC, dc, readOnly.handle());
        EXPECT_EQ(RGB(0, 255, 0), brushColour(reinterpret_cast<HGDIOBJ>(brush)));
        // Other kinds of request stay with the dialog.
        EXPECT_EQ(nullptr, edit.OnReflectedColor(WM_CTLCOLORBTN, dc));
    }

    // And the edit paints with them.
    edit.SetBackgroundColor(RGB(255, 0, 255));
    ::UpdateWindow(host.handle());
    kvtest::letWindowsSettle();
    RECT area{};
    ::GetWindowRect(edit.handle(), &area);
    const kvtest::Pixels screen = kvtest::captureScreen(area);
    EXPECT_EQ(RGB(255, 0, 255), screen.at(screen.width - 4, screen.height / 2));
}

TEST(CEditEx, SecondFontReplacesAndDestroysTheFirst) {
    ControlHost host;
    kv::CEditEx edit;
    ASSERT_TRUE(edit.SubclassWindow(host.GetDlgItem(IDC_HOST_EDIT)));
    edit.SetEditFont(-12, 800, 0, "Times New Roman");
    HFONT first = edit.font();
    ASSERT_NE(nullptr, first);
    EXPECT_EQ(reinterpret_cast<LRESULT>(first), edit.SendMessage(WM_GETFONT));
    LOGFONTA description{};
    ASSERT_TRUE(::GetObjectA(first, sizeof(description), &description));
    EXPECT_EQ(-12, description.lfHeight);
    EXPECT_EQ(800, description.lfWeight);
    EXPECT_EQ(0, description.lfItalic);
    EXPECT_STREQ("Times New Roman", description.lfFaceName);

    edit.SetEditFont(-16, 400, 0, "Arial");
    HFONT second = edit.font();
    EXPECT_NE(first, second);
    EXPECT_EQ(0u, ::GetObjectType(first));
    EXPECT_EQ(static_cast<DWORD>(OBJ_FONT), ::GetObjectType(second));
    EXPECT_EQ(reinterpret_cast<LRESULT>(second), edit.SendMessage(WM_GETFONT));
}
