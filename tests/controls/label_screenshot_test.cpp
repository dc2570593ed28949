// A picture of labels restyled the ways the setup pages use them, written
// only when --screenshots=<folder> is given.
#include "control_host.h"
#include "controls/label_control.h"
#include "scripted/screenshot.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

TEST(Screenshot, LabelRestyled) {
    const std::string folder = kvtest::argument("screenshots");
    if (folder.empty()) GTEST_SKIP() << "no --screenshots folder";
    kvtest::ControlHost host;
    host.SetWindowText("Restyled labels");
    ::SetWindowPos(host.handle(), nullptr, 40, 40, 480, 330, SWP_NOZORDER);
    ::ShowWindow(host.GetDlgItem(IDC_HOST_EDIT), SW_HIDE);
    ::ShowWindow(host.GetDlgItem(IDC_HOST_READONLY_EDIT), SW_HIDE);
    ::ShowWindow(host.GetDlgItem(IDC_HOST_STATIC), SW_HIDE);

    auto place = [&](int id, int y, int height, DWORD style, const char* text) {
        HWND window = host.addStatic(id, 440, height, style, text);
        ::SetWindowPos(window, nullptr, 12, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        return window;
    };
    kv::LabelControl heading, gradient, emboss, warning, centred, link;
    heading.SubclassWindow(place(601, 10, 34, SS_LEFTNOWORDWRAP, ""));
    heading.SetItalic(true).SetPointSize(15).SetBold(true).SetLabelText("Welcome to Setup").SetForeground(0x00FF0000);

    gradient.SubclassWindow(place(602, 52, 40, SS_CENTERIMAGE, "Gradient from blue to black"));
    gradient.SetBackground(RGB(0, 0, 255), RGB(0, 0, 0), true).SetPointSize(12).SetBold(true)
        .SetForeground(RGB(255, 255, 255));

    emboss.SubclassWindow(place(603, 100, 30, SS_LEFT, "Embossed text"));
    emboss.SetPointSize(14).SetBold(true).SetForeground(RGB(128, 128, 128)).SetEmbossedText(true, true);

    warning.SubclassWindow(place(604, 138, 24, SS_LEFT, "Please restart your computer after setup."));
    warning.SetPointSize(10).SetBold(true).SetForeground(0x000000FF);

    centred.SubclassWindow(place(605, 170, 40, SS_CENTER, "Centred, word-wrapped text on a custom background"));
    centred.SetBackground(RGB(255, 255, 192)).SetPointSize(9).SetStaticEdge(true);

    link.SubclassWindow(place(606, 220, 24, SS_LEFT, "http://www.example.com/"));
    link.SetUnderline(true).SetForeground(RGB(0, 0, 160)).SetHyperlink(true, true)
        .SetHoverCursor(::LoadCursorA(nullptr, IDC_CROSS));

    ::UpdateWindow(host.handle());
    kvtest::letWindowsSettle(400);
    EXPECT_TRUE(kvtest::saveBmp(kvtest::captureWindow(host.handle()), folder + "\\label-restyled.bmp"));
}
