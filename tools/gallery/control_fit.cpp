#include "control_fit.h"

#include "controls/label_control.h"
#include "controls/label_text_format.h"

#include <cstring>

namespace kvgallery {
namespace {

// Room the button leaves around its caption: Wine and Windows draw the edge
// and the focus rectangle inside the client area.
constexpr int kPushButtonMargin = 4;
constexpr int kCheckBoxGap = 4;

bool isClass(HWND window, const char* name) {
    char cls[32] = {};
    ::GetClassNameA(window, cls, sizeof(cls));
    return ::lstrcmpiA(cls, name) == 0;
}

unsigned staticFormat(DWORD style) {
    unsigned format = DT_EXPANDTABS;
    if (style & SS_NOPREFIX) format |= DT_NOPREFIX;
    switch (style & SS_TYPEMASK) {
        case SS_LEFTNOWORDWRAP:
        case SS_SIMPLE: return format | DT_SINGLELINE;
        case SS_CENTER: return format | DT_CENTER | DT_WORDBREAK;
        case SS_RIGHT: return format | DT_RIGHT | DT_WORDBREAK;
        default: return format | DT_WORDBREAK;
    }
}

Fit measureWith(HDC dc, HFONT font, const std::string& text, unsigned format, Fit fit) {
    HGDIOBJ old = font ? ::SelectObject(dc, font) : nullptr;
    RECT needed = {0, 0, fit.available.cx, 0};
    ::DrawTextA(dc, text.c_str(), -1, &needed, format | DT_CALCRECT);
    if (old) ::SelectObject(dc, old);
    fit.needed = {needed.right - needed.left, needed.bottom - needed.top};
    fit.fits = fit.needed.cx <= fit.available.cx && fit.needed.cy <= fit.available.cy;
    return fit;
}

// The control's client area, before any room its edges take.
Fit clientRoom(HWND control) {
    Fit fit;
    RECT client{};
    ::GetClientRect(control, &client);
    fit.available = {client.right, client.bottom};
    return fit;
}

}  // namespace

Fit measureText(HWND control, const std::string& text) {
    Fit fit = clientRoom(control);
    if (text.empty()) return fit;

    const DWORD style = static_cast<DWORD>(::GetWindowLongA(control, GWL_STYLE));
    HFONT font = reinterpret_cast<HFONT>(::SendMessageA(control, WM_GETFONT, 0, 0));
    unsigned format = DT_SINGLELINE;
    // The only static controls the pages bind to window objects are labels.
    kv::Window* object = isClass(control, "Static") ? kv::Window::fromHandle(control) : nullptr;
    if (auto* label = static_cast<kv::LabelControl*>(object)) {
        // A label paints itself with its own font and layout.
        font = label->font();
        format = kv::labelTextFormat(style, text.c_str());
    } else if (isClass(control, "Button")) {
        const DWORD type = style & BS_TYPEMASK;
        const bool pushButton = type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON;
        if (pushButton) {
            fit.available.cx -= 2 * kPushButtonMargin;
            fit.available.cy -= 2 * kPushButtonMargin;
        } else {
            fit.available.cx -= ::GetSystemMetrics(SM_CXMENUCHECK) + kCheckBoxGap;
        }
        format = (style & BS_MULTILINE) ? DT_WORDBREAK : DT_SINGLELINE;
    } else if (isClass(control, "Static")) {
        format = staticFormat(style);
    }
    format &= ~static_cast<unsigned>(DT_VCENTER | DT_BOTTOM);

    HDC dc = ::GetDC(control);
    fit = measureWith(dc, font, text, format, fit);
    ::ReleaseDC(control, dc);
    return fit;
}

Fit measureForeignText(HWND control, const std::string& text, HFONT font) {
    Fit fit = clientRoom(control);
    if (text.empty()) return fit;
    const DWORD style = static_cast<DWORD>(::GetWindowLongA(control, GWL_STYLE));
    HDC dc = ::GetDC(nullptr);  // the screen's: only the font matters for measuring
    fit = measureWith(dc, font, text, staticFormat(style) & ~static_cast<unsigned>(DT_VCENTER | DT_BOTTOM), fit);
    ::ReleaseDC(nullptr, dc);
    return fit;
}

Fit measureCaption(HWND window, const std::string& text) {
    Fit fit;
    RECT frame{};
    ::GetWindowRect(window, &frame);
    const DWORD style = static_cast<DWORD>(::GetWindowLongA(window, GWL_STYLE));
    // The frame on both sides, a small margin, and the close button when the
    // window has a system menu; no icon (dialog frames show none).
    int room = frame.right - frame.left - 2 * ::GetSystemMetrics(SM_CXFIXEDFRAME) - 2 * kPushButtonMargin;
    if (style & WS_SYSMENU) room -= ::GetSystemMetrics(SM_CXSIZE);
    fit.available = {room, ::GetSystemMetrics(SM_CYCAPTION)};
    NONCLIENTMETRICSA metrics = {};
    metrics.cbSize = sizeof(metrics);
    ::SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
    HFONT font = ::CreateFontIndirectA(&metrics.lfCaptionFont);
    HDC dc = ::GetDC(nullptr);
    fit = measureWith(dc, font, text, DT_SINGLELINE | DT_NOPREFIX, fit);
    ::ReleaseDC(nullptr, dc);
    if (font) ::DeleteObject(font);
    fit.fits = fit.needed.cx <= fit.available.cx;  // the system sizes the bar to its font
    return fit;
}

}  // namespace kvgallery
