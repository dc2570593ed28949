#include "controls/label_control.h"

#include "base/gdi_scope.h"
#include "base/late_library.h"
#include "controls/gradient_bands.h"
#include "controls/label_text_format.h"
#include "dialog/face_name.h"

#include <shellapi.h>

#include <cstring>
#include "base/heap_string.h"

namespace kv {
namespace {

constexpr int kGradientBands = 100;

UniqueBrush solidBrush(COLORREF colour) { return UniqueBrush(::CreateSolidBrush(colour)); }

// Fills the gradient band by band with outline-free rectangles.
void fillGradient(HDC dc, const RECT& area, COLORREF start, COLORREF end) {
    const SelectedObject noPen(dc, ::GetStockObject(NULL_PEN));
    for (const GradientBand& band : gradientBands(area.left, area.right, start, end, kGradientBands)) {
        const UniqueBrush brush = solidBrush(band.colour);
        const SelectedObject selected(dc, brush.get());
        // Without a pen the rectangle stops one pixel short on both axes.
        ::Rectangle(dc, band.left, area.top, band.right + 1, area.bottom + 1);
    }
}

}  // namespace

LabelControl::LabelControl()
    : textColour_(::GetSysColor(COLOR_WINDOWTEXT)), faceBrush_(solidBrush(::GetSysColor(COLOR_BTNFACE))) {}

LabelControl::~LabelControl() {
    // The window goes before the font and brushes it paints with.
    DestroyWindow();
}

void LabelControl::OnSubclassed() {
    HGDIOBJ current = reinterpret_cast<HGDIOBJ>(SendMessage(WM_GETFONT));
    if (current == nullptr) current = ::GetStockObject(DEFAULT_GUI_FONT);
    LOGFONTA description{};
    if (current != nullptr && ::GetObjectA(current, sizeof(description), &description) == sizeof(description))
        fontDescription_ = description;
    rebuildFont();
}

void LabelControl::rebuildFont() {
    font_.reset();
    font_.reset(::CreateFontIndirectA(&fontDescription_));
}

void LabelControl::redraw() {
    if (!IsWindow()) return;
    RECT area{};
    ::GetWindowRect(handle(), &area);
    ::RedrawWindow(handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    // The parent repaints what lies under the label, for transparent labels.
    HWND parent = GetParent();
    if (parent == nullptr) return;
    ::MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&area), 2);
    ::InvalidateRect(parent, &area, TRUE);
    ::UpdateWindow(parent);
}

LabelControl& LabelControl::SetBackground(COLORREF colour, COLORREF gradientEnd, bool useGradient) {
    gradientStart_ = colour;
    gradientEnd_ = gradientEnd;
    gradient_ = useGradient;
    customBrush_.reset();
    if (!useGradient) customBrush_ = solidBrush(colour);
    redraw();
    return *this;
}

LabelControl& LabelControl::SetForeground(COLORREF colour) {
    textColour_ = colour;
    redraw();
    return *this;
}

LabelControl& LabelControl::SetLabelText(const char* text) {
    SetWindowText(text);
    redraw();
    return *this;
}

LabelControl& LabelControl::SetBold(bool on) {
    fontDescription_.lfWeight = on ? FW_BOLD : FW_NORMAL;
    rebuildFont();
    redraw();
    return *this;
}

LabelControl& LabelControl::SetFaceName(const char* name, BYTE charset) {
    fontDescription_.lfCharSet = charset;
    copyFaceName(fontDescription_, name);
    rebuildFont();
    redraw();
    return *this;
}

LabelControl& LabelControl::SetUnderline(bool on) {
    fontDescription_.lfUnderline = on ? 1 : 0;
    rebuildFont();
    redraw();
    return *this;
}

LabelControl& LabelControl::SetItalic(bool on) {
    fontDescription_.lfItalic = on ? 1 : 0;
    rebuildFont();
    redraw();
    return *this;
}

LabelControl& LabelControl::SetPointSize(int points) {
    const ClientDc screen(nullptr);
    const long long dotsPerInch = screen.get() ? ::GetDeviceCaps(screen.get(), LOGPIXELSY) : 96;
    // Tenths of a point over 720 tenths per inch, as a point font is made.
    fontDescription_.lfHeight = static_cast<LONG>(-(dotsPerInch * points * 10 / 720));
    fontDescription_.lfWidth = 0;
    rebuildFont();
    redraw();
    return *this;
}

LabelControl& LabelControl::SetStaticEdge(bool on) {
    ModifyStyleEx(on ? 0 : WS_EX_STATICEDGE, on ? WS_EX_STATICEDGE : 0, SWP_FRAMECHANGED);
    return *this;
}

LabelControl& LabelControl::SetFrame(bool on) {
    ModifyStyle(on ? 0 : WS_BORDER, on ? WS_BORDER : 0, SWP_FRAMECHANGED);
    return *this;
}

LabelControl& LabelControl::SetTransparentBackground(bool on) {
    transparent_ = on;
    if (handle() != nullptr) ModifyStyleEx(0, WS_EX_TRANSPARENT);
    redraw();
    return *this;
}

void LabelControl::restartBlinkTimer(bool on, BlinkMode mode) {
    if (blinkTimerStarted_ && handle() != nullptr) KillTimer(kBlinkTimer);
    if (!on) return;
    blinkPhase_ = 0;
    blinkTimerStarted_ = true;
    if (handle() != nullptr) SetTimer(kBlinkTimer, kBlinkMilliseconds);
    blinkMode_ = mode;
}

LabelControl& LabelControl::SetTextBlink(bool on) {
    restartBlinkTimer(on, kTextBlink);
    if (!on) blinkMode_ = kNoBlink;
    return *this;
}

LabelControl& LabelControl::SetBackgroundBlink(bool on) {
    restartBlinkTimer(on, kBackgroundBlink);
    return *this;
}

LabelControl& LabelControl::SetHyperlink(bool on, bool notifyParent) {
    notifyParent_ = notifyParent;
    ModifyStyle(on ? 0 : SS_NOTIFY, on ? SS_NOTIFY : 0);
    return *this;
}

LabelControl& LabelControl::SetHoverCursor(HCURSOR cursor) {
    hoverCursor_ = cursor;
    return *this;
}

LabelControl& LabelControl::SetEmbossedText(bool on, bool offsetDownRight) {
    emboss_ = on;
    embossDownRight_ = offsetDownRight;
    redraw();
    return *this;
}

LabelControl& LabelControl::SetTextAngle(int degrees, bool rotate) {
    // Tenths of a degree; whole turns change nothing and keep the product small.
    fontDescription_.lfEscapement = (degrees % 360) * 10;
    fontDescription_.lfOrientation = fontDescription_.lfEscapement;
    rotate_ = rotate;
    rebuildFont();
    redraw();
    return *this;
}

LabelControl& LabelControl::SetEmbossColor(COLORREF colour) {
    embossColour_ = colour;
    redraw();
    return *this;
}

COLORREF LabelControl::customBrushColour() const {
    LOGBRUSH brush{};
    if (customBrush_ && ::GetObjectA(customBrush_.get(), sizeof(brush), &brush) == sizeof(brush))
        return brush.lbColor;
    return RGB(0, 0, 0);
}

void LabelControl::paint(HDC target) {
    RECT client{};
    ::GetClientRect(handle(), &client);
    const int width = client.right - client.left;
    const int height = client.bottom - client.top;

    // Opaque labels are composed off screen and copied in one BitBlt, so
    // the background never shows without its text.
    UniqueMemoryDc memory;
    UniqueBitmap bitmap;
    if (!transparent_ && width > 0 && height > 0) {
        memory.reset(::CreateCompatibleDC(target));
        bitmap.reset(::CreateCompatibleBitmap(target, width, height));
    }
    const bool offScreen = memory && bitmap;
    const SelectedObject offScreenBitmap(offScreen ? memory.get() : nullptr, bitmap.get());
    HDC dc = offScreen ? memory.get() : target;

    {
        const int oldMode = ::SetBkMode(dc, TRANSPARENT);
        const COLORREF oldColour = ::SetTextColor(dc, textColour_);
        const SelectedObject font(dc, font_.get());

        if (!transparent_) {
            if (gradient_)
                fillGradient(dc, client, gradientStart_, gradientEnd_);
            else
                ::FillRect(dc, &client, customBrush_ ? customBrush_.get() : faceBrush_.get());
        }
        // The hidden blink phase draws the text in the background's colour.
        if (blinkPhase_ == 0 && blinkMode_ == kTextBlink) ::SetTextColor(dc, customBrushColour());
        drawText(dc, client);

        ::SetBkMode(dc, oldMode);
        ::SetTextColor(dc, oldColour);
    }

    if (dc != target) ::BitBlt(target, 0, 0, width, height, dc, 0, 0, SRCCOPY);
}

void LabelControl::drawText(HDC dc, const RECT& client) {
    const String text = GetWindowText();
    if (rotate_) {
        const UINT oldAlign = ::SetTextAlign(dc, TA_BASELINE);
        POINT oldOrigin{};
        ::SetViewportOrgEx(dc, (client.right - client.left) / 2, (client.bottom - client.top) / 2, &oldOrigin);
        ::TextOutA(dc, 0, 0, text.c_str(), static_cast<int>(text.size()));
        ::SetViewportOrgEx(dc, oldOrigin.x, oldOrigin.y, nullptr);
        ::SetTextAlign(dc, oldAlign);
        return;
    }
    const UINT format = labelTextFormat(GetStyle(), text.c_str());
    RECT area = client;
    ::DrawTextA(dc, text.c_str(), -1, &area, format);
    if (emboss_) {
        ::SetTextColor(dc, embossColour_);
        area = client;
        const int offset = embossDownRight_ ? 1 : -1;
        ::OffsetRect(&area, offset, offset);
        ::DrawTextA(dc, text.c_str(), -1, &area, format);
    }
}

LRESULT LabelControl::OnPaint(UINT, WPARAM, LPARAM, bool&) {
    const PaintDc dc(handle());
    if (dc.get() != nullptr) paint(dc.get());
    return 0;
}

LRESULT LabelControl::OnPrintClient(UINT, WPARAM wParam, LPARAM, bool&) {
    HDC dc = reinterpret_cast<HDC>(wParam);
    if (dc != nullptr) paint(dc);
    return 0;
}

LRESULT LabelControl::OnGetFont(UINT, WPARAM, LPARAM, bool& handled) {
    handled = static_cast<bool>(font_);
    return reinterpret_cast<LRESULT>(font_.get());
}

LRESULT LabelControl::OnTimer(UINT message, WPARAM wParam, LPARAM lParam, bool&) {
    blinkPhase_ = blinkPhase_ ? 0 : 1;
    redraw();
    return DefaultProc(message, wParam, lParam);
}

LRESULT LabelControl::OnLButtonDown(UINT message, WPARAM wParam, LPARAM lParam, bool&) {
    HWND self = handle();
    if (notifyParent_) {
        NMHDR header{};
        header.hwndFrom = self;
        header.idFrom = static_cast<UINT>(GetDlgCtrlID());
        header.code = kClickNotification;
        ::SendMessageA(GetParent(), WM_NOTIFY, header.idFrom, reinterpret_cast<LPARAM>(&header));
    } else {
        const String target = GetWindowText();
        auto shellExecute = lateFunction<decltype(::ShellExecuteA)>(LateLibrary::Shell32, "ShellExecuteA");
        if (shellExecute) shellExecute(nullptr, "open", target.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
    }
    // The parent's handler may have destroyed the label.
    if (handle() != self) return 0;
    return DefaultProc(message, wParam, lParam);
}

LRESULT LabelControl::OnSetCursor(UINT, WPARAM, LPARAM, bool& handled) {
    if (hoverCursor_ == nullptr) {
        handled = false;
        return 0;
    }
    ::SetCursor(hoverCursor_);
    return TRUE;
}

LRESULT LabelControl::OnSysColorChange(UINT, WPARAM, LPARAM, bool&) {
    faceBrush_ = solidBrush(::GetSysColor(COLOR_BTNFACE));
    redraw();
    return 0;
}

}  // namespace kv
