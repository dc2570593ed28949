// LabelControl on real windows: gradient bands read back from its pixels,
// fonts after chained changes, blinking, clicks and text layout.
#include "base/gdi_scope.h"
#include "control_host.h"
#include "controls/gradient_bands.h"
#include "controls/label_control.h"
#include "scripted/message_pump.h"
#include "scripted/screenshot.h"

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
    const kv::ClientDc screen(nullptr);
    return ::GetDeviceCaps(screen.get(), LOGPIXELSY);
}

LOGFONTA fontOf(HFONT font) {
    LOGFONTA description{};
    ::GetObjectA(font, sizeof(description), &description);
    return description;
}

}  // namespace

TEST(GradientBands, WidthsAndColoursOfTheExamples) {
    const auto wide = kv::gradientBands(0, 300, 0x000000, 0x0000FF, 100);
    ASSERT_EQ(100u, wide.size());
    for (std::size_t i = 0; i < wide.size(); ++i) EXPECT_EQ(static_cast<int>(3 * i), wide[i].left);
    EXPECT_EQ(300, wide.back().right);
    // Red steps by 65280 / 100 = 652 in 1/256 units: 0, 101, 252.
    EXPECT_EQ(0x000000u, wide[0].colour);
    EXPECT_EQ(101u, wide[40].colour);
    EXPECT_EQ(252u, wide[99].colour);

    const auto narrow = kv::gradientBands(0, 50, 0xFF0000, 0x000000, 100);
    ASSERT_EQ(50u, narrow.size());
    EXPECT_EQ(1, narrow[49].right - narrow[49].left);
    // Falling blue, step -65280 / 50 = -1305 truncated.
    EXPECT_EQ(static_cast<kv::ColourWord>((255 * 256 - 49 * 1305) / 256) << 16, narrow[49].colour);
    // Columns the equal widths leave over go to the last band.
    const auto uneven = kv::gradientBands(10, 315, 0, 0xFF, 100);
    EXPECT_EQ(307, uneven.back().left);
    EXPECT_EQ(315, uneven.back().right);
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

    // Transparent on and off again: the background is painted again, and the
    // window keeps WS_EX_TRANSPARENT.
    label.SetTransparentBackground(true).SetTransparentBackground(false);
    EXPECT_TRUE(label.GetExStyle() & WS_EX_TRANSPARENT);
    EXPECT_EQ(RGB(0, 128, 0), renderClient(label.handle()).at(199, 29));
}

TEST(LabelControl, ANewColourSchemeReachesTheLabelThroughItsDialog) {
    ControlHost host;
    kv::LabelControl label;
    ASSERT_TRUE(label.SubclassWindow(host.addStatic(503, 200, 30, SS_LEFT, "WWWW")));
    const COLORREF before = ::GetSysColor(COLOR_BTNFACE);
    EXPECT_EQ(before, renderClient(label.handle()).at(199, 29));

    // Only the top-level dialog is told; the dialog layer passes it on.
    const INT element = COLOR_BTNFACE;
    const COLORREF scheme = before == RGB(10, 120, 30) ? RGB(30, 10, 120) : RGB(10, 120, 30);
    ASSERT_TRUE(::SetSysColors(1, &element, &scheme));
    host.SendMessage(WM_SYSCOLORCHANGE, 0, 0);
    const COLORREF after = renderClient(label.handle()).at(199, 29);
    ::SetSysColors(1, &element, &before);
    host.SendMessage(WM_SYSCOLORCHANGE, 0, 0);
    EXPECT_EQ(scheme, after);
}

// The heading style on real pages is the screen tests'; here what they never
// do: undo a change, underline, and keep what a later call does not touch.
TEST(LabelControl, ChainedFontChangesAllApply) {
    ControlHost host;
    kv::LabelControl label;
    ASSERT_TRUE(label.SubclassWindow(host.GetDlgItem(IDC_HOST_STATIC)));
    kv::LabelControl& result = label.SetItalic(true).SetBold(true).SetPointSize(13).SetBold(false).SetUnderline(true);
    EXPECT_EQ(&label, &result);
    const LOGFONTA changed = fontOf(reinterpret_cast<HFONT>(label.SendMessage(WM_GETFONT)));
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

TEST(LabelControl, ClickNotifiesTheParentAndHoverSetsTheCursor) {
    ControlHost host;
    kv::LabelControl label;
    ASSERT_TRUE(label.SubclassWindow(host.addStatic(504, 100, 20, SS_LEFT, "link")));
    label.SetHyperlink(true, true).SetHoverCursor(::LoadCursorA(nullptr, IDC_CROSS));
    EXPECT_TRUE(label.GetStyle() & SS_NOTIFY);  // or no clicks would arrive
    ::SendMessageA(label.handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    ASSERT_EQ(1u, host.notifications.size());
    EXPECT_EQ(label.handle(), host.notifications[0].hwndFrom);
    EXPECT_EQ(504u, host.notifications[0].idFrom);
    EXPECT_EQ(0x8200u, host.notifications[0].code);

    EXPECT_EQ(TRUE, ::SendMessageA(label.handle(), WM_SETCURSOR, reinterpret_cast<WPARAM>(label.handle()),
                                   MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)));
    EXPECT_EQ(::LoadCursorA(nullptr, IDC_CROSS), ::GetCursor());
}

TEST(LabelTextFormat, CentredLabelsDrawInTheMiddleAndHeadingsStayOnOneLine) {
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
    // A heading (no word wrap) too long for its label stays on one line.
    kv::LabelControl heading;
    ASSERT_TRUE(heading.SubclassWindow(host.addStatic(509, 60, 60, SS_LEFTNOWORDWRAP, "Too wide for it")));
    heading.SetForeground(red);
    EXPECT_EQ(0, textPixels(renderClient(heading.handle()), red, 0, 20, 60, 60));
}
