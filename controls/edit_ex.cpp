#include "controls/edit_ex.h"

#include "dialog/face_name.h"

namespace kv {

CEditEx::CEditEx()
    : backgroundColour_(::GetSysColor(COLOR_WINDOW)), textColour_(::GetSysColor(COLOR_WINDOWTEXT)) {
    CreateBackgroundBrush();
}

CEditEx::~CEditEx() {
    // The window goes before the font it shows and the brush it paints with.
    DestroyWindow();
}

void CEditEx::CreateBackgroundBrush() { backgroundBrush_.reset(::CreateSolidBrush(backgroundColour_)); }

COLORREF CEditEx::SetBackgroundColor(COLORREF colour) {
    const COLORREF previous = backgroundColour_;
    backgroundColour_ = colour;
    backgroundBrush_.reset();
    CreateBackgroundBrush();
    if (handle() != nullptr) Invalidate(true);
    return previous;
}

COLORREF CEditEx::SetForegroundColor(COLORREF colour) {
    const COLORREF previous = textColour_;
    textColour_ = colour;
    if (handle() != nullptr) Invalidate(true);
    return previous;
}

void CEditEx::SetEditFont(int height, int weight, BYTE pitchAndFamily, const char* faceName) {
    LOGFONTA description{};
    description.lfHeight = height;
    description.lfWeight = weight;
    description.lfPitchAndFamily = pitchAndFamily;
    copyFaceName(description, faceName);
    // The new font is in place before the old one goes, so the edit never
    // holds a deleted font.
    UniqueFont previous = std::move(font_);
    font_.reset(::CreateFontIndirectA(&description));
    if (handle() != nullptr) SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), TRUE);
}

HBRUSH CEditEx::OnReflectedColor(UINT message, HDC dc) {
    if (message != WM_CTLCOLOREDIT && message != WM_CTLCOLORSTATIC) return nullptr;
    ::SetTextColor(dc, textColour_);
    ::SetBkColor(dc, backgroundColour_);
    return backgroundBrush_.get();
}

}  // namespace kv
