// An edit control of a dialog with its own text colour, background colour
// and font. It answers the colour requests its dialog passes back to it, so
// the dialog needs no colour handling of its own.
#pragma once
#include "base/unique_handle.h"
#include "dialog/window.h"

namespace kv {

class CEditEx : public Window {
public:
    // Window colours until told otherwise.
    CEditEx();
    ~CEditEx() override;
    CEditEx(CEditEx&&) noexcept = default;
    CEditEx& operator=(CEditEx&&) noexcept = default;

    // Each returns the colour that was set before.
    COLORREF SetBackgroundColor(COLORREF colour);
    COLORREF SetForegroundColor(COLORREF colour);
    // A new font from height, weight, pitch and family and face name (cut to
    // 31 bytes); the previous one is destroyed.
    void SetEditFont(int height, int weight, BYTE pitchAndFamily, const char* faceName);

    COLORREF backgroundColor() const { return backgroundColour_; }
    COLORREF foregroundColor() const { return textColour_; }
    HFONT font() const { return static_cast<HFONT>(font_.get()); }

    // WM_CTLCOLOREDIT, or WM_CTLCOLORSTATIC while read-only or disabled.
    HBRUSH OnReflectedColor(UINT message, HDC dc) override;

protected:
    virtual void CreateBackgroundBrush();

private:
    UniqueBrush backgroundBrush_;
    COLORREF backgroundColour_;
    COLORREF textColour_;
    UniqueFont font_;
};

}  // namespace kv
