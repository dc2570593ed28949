// LabelControl on real windows: gradient bands read back from its pixels,
// fonts after chained changes, blinking, clicks and text layout.
#include "control_host.h"
#include "controls/gradient_bands.h"
#include "controls/label_control.h"
#include "controls/label_text_format.h"
#include "support/screenshot.h"

#include <gtest/gtest.h>

#include <cstring>

using kvtest::ControlHost;
using kvtest::Pixels;
using kvtest::renderClient;

namespace {

// Smoothed text edges take colours between the text's and the background's.
constexpr int kTextTolerance = 90;

int textPixels(const Pixels& pixels, COLORREF colour, int left = 0, int top = 0, int right = -1,
               int bottom = -1) {
    return pixels.countNear(colour, kTextTolerance, left, top, right, bottom);
}

int screenDpi() {
    HDC screen = ::GetDC(nullptr);
    const int dpi = ::GetDeviceCaps(screen, LOGPIXELSY);
    ::ReleaseDC(nullptr, screen);
    return dpi;
}

LOGFONTA fontOf(HFONT font) {
    LOGFONTA description{};
    ::GetObjectA(font, sizeof(description), &description);
    return description;
}

}  // namespace

TEST(GradientBands, BandCountAndWidthFollowTheLabelWidth) {
    const auto wide = kv::gradientBands(0, 300, 0, 0xFF, 100);
    ASSERT_EQ(100u, wide.size());
    for (std::size_t i = 0; i < wide.size(); ++i) {
        EXPECT_EQ(static_cast<int>(3 * i), wide[i].left);
        EXPECT_EQ(3, wide[i].right - wide[i].left);
    }
    const auto narrow = kv::gradientBands(0, 50, 0, 0xFF, 100);
    ASSERT_EQ(50u, narrow.size());
    EXPECT_EQ(49, narrow.back().left);
    EXPECT_EQ(50, narrow.back().right);
    // Columns the equal widths leave over go to the last band.
    const auto uneven = kv::gradientBands(10, 315, 0, 0xFF, 100);
    EXPECT_EQ(10, uneven.front().left);
    EXPECT_EQ(307, uneven.back().left);
    EXPECT_EQ(315, uneven.back().right);
    EXPECT_TRUE(kv::gradientBands(5, 5, 0, 0xFF, 100).empty());
    EXPECT_TRUE(kv::gradientBands(5, 2, 0, 0xFF, 100).empty());
}

TEST(GradientBands, RedRampFromBlackStepsBy652Of256) {
    const auto bands = kv::gradientBands(0, 300, 0x000000, 0x0000FF, 100);
    EXPECT_EQ(0x000000u, bands[0].colour);
    EXPECT_EQ(101u, bands[40].colour);
    EXPECT_EQ(252u, bands[99].colour);
    // A falling channel: blue 255 to 0 over 50 bands, step -1305.
    const auto falling = kv::gradientBands(0, 50, 0xFF0000, 0x000000, 100);
    EXPECT_EQ(0xFF0000u, falling[0].colour);
    EXPECT_EQ(static_cast<kv::ColourWord>((255 * 256 - 49 * 1305) / 256) << 16, falling[49].colour);
}

TEST(LabelControl, GradientIsWhatTheLabelPaints) {
    ControlHost host;
    kv::LabelControl label;
    ASSERT_TRUE(label.SubclassWindow(host.addStatic(500, 300, 20)));
    label.SetBackground(RGB(0, 0, 0), RGB(255, 0, 0), true);

    const Pixels pixels = renderClient(label.handle());
    ASSERT_EQ(300, pixels.width);
    EXPECT_EQ(RGB(0, 0, 0), pixels.at(1, 10));
    EXPECT_EQ(RGB(101, 0, 0), pixels.at(40 * 3 + 1, 10));
    EXPECT_EQ(RGB(252, 0, 0), pixels.at(299, 10));
    // Every row, the last included, belongs to the gradient.
    EXPECT_EQ(RGB(252, 0, 0), pixels.at(299, 19));
    EXPECT_EQ(RGB(101, 0, 0), pixels.at(40 * 3, 0));

    // The same on screen, through WM_PAINT and its one BitBlt.
    ::UpdateWindow(host.handle());
    kvtest::letWindowsSettle();
    RECT area{};
    ::GetWindowRect(label.handle(), &area);
    const Pixels screen = kvtest::captureScreen(area);
    ASSERT_FALSE(screen.empty());
    EXPECT_EQ(RGB(101, 0, 0), screen.at(40 * 3 + 1, 10));
    EXPECT_EQ(RGB(252, 0, 0), screen.at(299, 19));
}

TEST(LabelControl, FiftyPixelGradientHasOneBandPerColumn) {
    ControlHost host;
    kv::LabelControl label;
    ASSERT_TRUE(label.SubclassWindow(host.addStatic(501, 50, 10)));
    label.SetBackground(RGB(0, 0, 0), RGB(0, 0, 255), true);
    const Pixels pixels = renderClient(label.handle());
    const auto bands = kv::gradientBands(0, 50, 0, 0xFF0000, 100);
    for (int x = 0; x < 50; ++x) EXPECT_EQ(static_cast<COLORREF>(bands[x].colour), pixels.at(x, 5)) << x;
    EXPECT_NE(pixels.at(0, 5), pixels.at(1, 5));
}

TEST(LabelControl, SolidBackgroundAndTextColour) {
    ControlHost host;
    kv::LabelControl label;
    ASSERT_TRUE(label.SubclassWindow(host.addStatic(502, 200, 30, SS_LEFT, "WWWW")));
    label.SetPointSize(14).SetBold(true).SetBackground(RGB(0, 128, 0)).SetForeground(RGB(255, 255, 0));
    const Pixels pixels = renderClient(label.handle());
    EXPECT_EQ(RGB(0, 128, 0), pixels.at(199, 29));
    EXPECT_GT(textPixels(pixels, RGB(255, 255, 0)), 20);
    EXPECT_EQ(0, textPixels(pixels, RGB(255, 255, 255)));

    // Embossed: a white copy one pixel down and right of the text.
    label.SetEmbossedText(true, true);
    EXPECT_GT(textPixels(renderClient(label.handle()), RGB(255, 255, 255)), 20);
}

TEST(LabelControl, ChainedFontChangesAllApply) {
    ControlHost host;
    kv::LabelControl label;
    ASSERT_TRUE(label.SubclassWindow(host.GetDlgItem(IDC_HOST_STATIC)));
    kv::LabelControl& result =
        label.SetItalic(true).SetPointSize(15).SetBold(true).SetLabelText("Heading").SetForeground(0xFF0000);
    EXPECT_EQ(&label, &result);

    const LOGFONTA font = fontOf(label.font());
    EXPECT_EQ(1, font.lfItalic);
    EXPECT_EQ(-(screenDpi() * 150 / 720), font.lfHeight);
    EXPECT_EQ(0, font.lfWidth);
    EXPECT_EQ(FW_BOLD, font.lfWeight);
    EXPECT_EQ("Heading", label.GetWindowText());
    EXPECT_EQ(static_cast<COLORREF>(0xFF0000), label.textColor());

    label.SetPointSize(13).SetBold(false).SetUnderline(true);
    const LOGFONTA changed = fontOf(label.font());
    EXPECT_EQ(-(screenDpi() * 130 / 720), changed.lfHeight);
    EXPECT_EQ(FW_NORMAL, changed.lfWeight);
    EXPECT_EQ(1, changed.lfUnderline);
    EXPECT_EQ(1, changed.lfItalic);  // untouched by the later calls
}

TEST(LabelControl, StartsWithTheWindowsFontOrTheDefaultGuiFont) {
    ControlHost host;
    LOGFONTA dialogFont = fontOf(reinterpret_cast<HFONT>(host.SendMessage(WM_GETFONT)));
    kv::LabelControl fromDialog;
    ASSERT_TRUE(fromDialog.SubclassWindow(host.GetDlgItem(IDC_HOST_STATIC)));
    EXPECT_STREQ(dialogFont.lfFaceName, fromDialog.fontDescription().lfFaceName);
    EXPECT_EQ(dialogFont.lfHeight, fromDialog.fontDescription().lfHeight);

    HWND bare = ::CreateWindowExA(0, "Static", "bare", WS_CHILD, 0, 0, 50, 10, host.handle(), nullptr,
                                  nullptr, nullptr);
    ASSERT_EQ(0, ::SendMessageA(bare, WM_GETFONT, 0, 0));
    kv::LabelControl withoutFont;
    ASSERT_TRUE(withoutFont.SubclassWindow(bare));
    const LOGFONTA gui = fontOf(static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT)));
    EXPECT_STREQ(gui.lfFaceName, withoutFont.fontDescription().lfFaceName);
    EXPECT_NE(nullptr, withoutFont.font());
}

TEST(LabelControl, OverlongFaceNameIsCutToFit) {
    ControlHost host;
    kv::LabelControl label;
    ASSERT_TRUE(label.SubclassWindow(host.GetDlgItem(IDC_HOST_STATIC)));
    const char* longName = "Face Name Much Longer Than Thirty-One Characters";
    label.SetFaceName(longName, ANSI_CHARSET);
    const LOGFONTA& font = label.fontDescription();
    EXPECT_EQ(31u, strnlen(font.lfFaceName, sizeof(font.lfFaceName)));
    EXPECT_EQ(0, std::strncmp(longName, font.lfFaceName, 31));
    EXPECT_EQ(ANSI_CHARSET, font.lfCharSet);
    EXPECT_NE(nullptr, label.font());
}

TEST(LabelControl, TextBlinkStartsHiddenAndAlternates) {
    ControlHost host;
    kv::LabelControl label;
    ASSERT_TRUE(label.SubclassWindow(host.addStatic(503, 200, 30, SS_LEFT, "WWWW")));
    label.SetPointSize(14).SetBold(true).SetForeground(RGB(255, 0, 0)).SetTextBlink(true);
    const COLORREF red = RGB(255, 0, 0);
    // Hidden phase without a custom background: the text is drawn in black.
    Pixels pixels = renderClient(label.handle());
    EXPECT_EQ(0, textPixels(pixels, red));
    EXPECT_GT(textPixels(pixels, RGB(0, 0, 0)), 20);

    ::SendMessageA(label.handle(), WM_TIMER, kv::LabelControl::kBlinkTimer, 0);
    EXPECT_GT(textPixels(renderClient(label.handle()), red), 20);
    ::SendMessageA(label.handle(), WM_TIMER, kv::LabelControl::kBlinkTimer, 0);
    EXPECT_EQ(0, textPixels(renderClient(label.handle()), red));

    // The control's own 500 ms timer turns the text visible again.
    EXPECT_TRUE(kvtest::pumpUntil([&] { return textPixels(renderClient(label.handle()), red) > 20; }, 2000));

    // Off: the normal colour, whatever the phase.
    label.SetTextBlink(false);
    ::SendMessageA(label.handle(), WM_TIMER, kv::LabelControl::kBlinkTimer, 0);
    EXPECT_GT(textPixels(renderClient(label.handle()), red), 20);
}

TEST(LabelControl, ClickNotifiesTheParentWhenAskedTo) {
    ControlHost host;
    kv::LabelControl label;
    ASSERT_TRUE(label.SubclassWindow(host.addStatic(504, 100, 20, SS_LEFT, "link")));
    label.SetHyperlink(true, true);
    EXPECT_TRUE(label.GetStyle() & SS_NOTIFY);
    ::SendMessageA(label.handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    ASSERT_EQ(1u, host.notifications.size());
    EXPECT_EQ(label.handle(), host.notifications[0].hwndFrom);
    EXPECT_EQ(504u, host.notifications[0].idFrom);
    EXPECT_EQ(0x8200u, host.notifications[0].code);

    label.SetHyperlink(false, true);
    EXPECT_FALSE(label.GetStyle() & SS_NOTIFY);
}

TEST(LabelControl, HoverCursorIsShownOverTheLabel) {
    ControlHost host;
    kv::LabelControl label;
    ASSERT_TRUE(label.SubclassWindow(host.addStatic(505, 100, 20)));
    HCURSOR cross = ::LoadCursorA(nullptr, IDC_CROSS);
    label.SetHoverCursor(cross);
    EXPECT_EQ(TRUE, ::SendMessageA(label.handle(), WM_SETCURSOR, reinterpret_cast<WPARAM>(label.handle()),
                                   MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)));
    EXPECT_EQ(cross, ::GetCursor());
}

TEST(LabelControl, StyleChangesOfTheWindow) {
    ControlHost host;
    kv::LabelControl label;
    ASSERT_TRUE(label.SubclassWindow(host.addStatic(506, 100, 20)));
    label.SetStaticEdge(true).SetFrame(true);
    EXPECT_TRUE(label.GetExStyle() & WS_EX_STATICEDGE);
    EXPECT_TRUE(label.GetStyle() & WS_BORDER);
    label.SetStaticEdge(false).SetFrame(false);
    EXPECT_FALSE(label.GetExStyle() & WS_EX_STATICEDGE);
    EXPECT_FALSE(label.GetStyle() & WS_BORDER);

    // Transparent off again: the background is painted, the window style stays.
    label.SetBackground(RGB(0, 0, 255)).SetTransparentBackground(true).SetTransparentBackground(false);
    EXPECT_TRUE(label.GetExStyle() & WS_EX_TRANSPARENT);
    EXPECT_EQ(RGB(0, 0, 255), renderClient(label.handle()).at(99, 19));
}

TEST(LabelTextFormat, StaticStylesChooseTheLayout) {
    EXPECT_EQ(static_cast<unsigned>(DT_CENTER | DT_WORDBREAK), kv::labelTextFormat(SS_CENTER, "x"));
    EXPECT_EQ(static_cast<unsigned>(DT_RIGHT | DT_WORDBREAK), kv::labelTextFormat(SS_RIGHT, "x"));
    EXPECT_EQ(static_cast<unsigned>(DT_LEFT), kv::labelTextFormat(SS_LEFTNOWORDWRAP, "x"));
    EXPECT_EQ(static_cast<unsigned>(DT_LEFT | DT_WORDBREAK), kv::labelTextFormat(SS_LEFT, "x"));
    EXPECT_EQ(static_cast<unsigned>(DT_LEFT | DT_WORDBREAK), kv::labelTextFormat(SS_SIMPLE, "x"));
    EXPECT_EQ(static_cast<unsigned>(DT_CENTER | DT_VCENTER | DT_SINGLELINE),
              kv::labelTextFormat(SS_CENTERIMAGE | SS_RIGHT, "one line"));
    EXPECT_EQ(static_cast<unsigned>(DT_CENTER), kv::labelTextFormat(SS_CENTERIMAGE, "two\r\nlines"));
    EXPECT_EQ(static_cast<unsigned>(DT_CENTER | DT_VCENTER | DT_SINGLELINE),
              kv::labelTextFormat(SS_CENTERIMAGE, nullptr));
}

TEST(LabelTextFormat, CentredLabelsDrawInTheMiddle) {
    ControlHost host;
    kv::LabelControl centred, vertical;
    ASSERT_TRUE(centred.SubclassWindow(host.addStatic(507, 200, 60, SS_CENTER, "I")));
    ASSERT_TRUE(vertical.SubclassWindow(host.addStatic(508, 200, 60, SS_CENTERIMAGE, "I")));
    const COLORREF red = RGB(255, 0, 0);
    centred.SetBold(true).SetForeground(red);
    vertical.SetBold(true).SetForeground(red);

    const Pixels top = renderClient(centred.handle());
    EXPECT_EQ(0, textPixels(top, red, 0, 0, 80, 60));     // nothing at the left
    EXPECT_GT(textPixels(top, red, 80, 0, 120, 20), 0);   // in the middle, at the top
    const Pixels middle = renderClient(vertical.handle());
    EXPECT_EQ(0, textPixels(middle, red, 0, 0, 200, 15));  // not at the top
    EXPECT_GT(textPixels(middle, red, 80, 15, 120, 45), 0);
}
