// A static text of a dialog that paints itself: colours, a horizontal
// gradient, a font that can change at run time, embossed or rotated text,
// blinking, and a click that opens its text or notifies the parent.
// Attached to a template's static control by subclassing; every setter
// returns the label so that calls chain.
#pragma once
#include "base/unique_handle.h"
#include "dialog/message_map.h"
#include "dialog/window.h"

namespace kv {

class LabelControl : public Window {
public:
    // WM_NOTIFY code sent to the parent for a click when asked to.
    static constexpr UINT kClickNotification = 0x8200;
    static constexpr UINT_PTR kBlinkTimer = 1;
    static constexpr UINT kBlinkMilliseconds = 500;

    LabelControl();
    ~LabelControl() override;
    LabelControl(LabelControl&&) noexcept = default;
    LabelControl& operator=(LabelControl&&) noexcept = default;

    // Solid background `colour`, or with useGradient a gradient from
    // `colour` at the left to `gradientEnd` at the right.
    virtual LabelControl& SetBackground(COLORREF colour, COLORREF gradientEnd = 0, bool useGradient = false);
    virtual LabelControl& SetForeground(COLORREF colour);
    virtual LabelControl& SetLabelText(const char* text);
    virtual LabelControl& SetBold(bool on);
    // A name longer than a face name can hold is cut to 31 bytes.
    virtual LabelControl& SetFaceName(const char* name, BYTE charset);
    virtual LabelControl& SetUnderline(bool on);
    virtual LabelControl& SetItalic(bool on);
    // Height for `points` on the screen (LOGPIXELSY), width chosen by the font mapper.
    virtual LabelControl& SetPointSize(int points);
    virtual LabelControl& SetStaticEdge(bool on);
    virtual LabelControl& SetFrame(bool on);
    // Draws straight onto the parent's background. The window keeps
    // WS_EX_TRANSPARENT once it has been asked for.
    virtual LabelControl& SetTransparentBackground(bool on);
    // Text blinks every 500 ms, starting in the hidden phase.
    virtual LabelControl& SetTextBlink(bool on);
    // Starts the blink timer; the background itself does not change.
    virtual LabelControl& SetBackgroundBlink(bool on);
    // Clicks open the text with the shell, or with notifyParent send
    // kClickNotification to the parent instead.
    virtual LabelControl& SetHyperlink(bool on, bool notifyParent);
    virtual LabelControl& SetHoverCursor(HCURSOR cursor);
    virtual LabelControl& SetEmbossedText(bool on, bool offsetDownRight);
    virtual LabelControl& SetTextAngle(int degrees, bool rotate);
    virtual LabelControl& SetEmbossColor(COLORREF colour);

    HFONT font() const { return static_cast<HFONT>(font_.get()); }
    const LOGFONTA& fontDescription() const { return fontDescription_; }
    COLORREF textColor() const { return textColour_; }

    BEGIN_MSG_MAP(LabelControl)
        MESSAGE_HANDLER(WM_PAINT, OnPaint)
        MESSAGE_HANDLER(WM_PRINTCLIENT, OnPrintClient)
        MESSAGE_HANDLER(WM_TIMER, OnTimer)
        MESSAGE_HANDLER(WM_LBUTTONDOWN, OnLButtonDown)
        MESSAGE_HANDLER(WM_SETCURSOR, OnSetCursor)
        MESSAGE_HANDLER(WM_SYSCOLORCHANGE, OnSysColorChange)
        MESSAGE_HANDLER(WM_GETFONT, OnGetFont)
    END_MSG_MAP()

protected:
    // Starts from the window's own font (the dialog's), or the default GUI
    // font when it has none.
    void OnSubclassed() override;

private:
    enum BlinkMode { kNoBlink = 0, kTextBlink = 1, kBackgroundBlink = 2 };

    LRESULT OnPaint(UINT, WPARAM, LPARAM, bool&);
    LRESULT OnPrintClient(UINT, WPARAM wParam, LPARAM, bool&);
    LRESULT OnTimer(UINT message, WPARAM wParam, LPARAM lParam, bool&);
    LRESULT OnLButtonDown(UINT message, WPARAM wParam, LPARAM lParam, bool&);
    LRESULT OnSetCursor(UINT, WPARAM, LPARAM, bool& handled);
    LRESULT OnSysColorChange(UINT, WPARAM, LPARAM, bool&);
    // The font it draws with, once it has one, so what it reports is what shows.
    LRESULT OnGetFont(UINT, WPARAM, LPARAM, bool& handled);

    void paint(HDC target);
    void drawText(HDC dc, const RECT& client);
    void rebuildFont();
    void redraw();
    void restartBlinkTimer(bool on, BlinkMode mode);
    COLORREF customBrushColour() const;

    COLORREF textColour_;
    COLORREF embossColour_ = RGB(255, 255, 255);
    UniqueBrush faceBrush_;
    UniqueBrush customBrush_;
    LOGFONTA fontDescription_{};
    UniqueFont font_;
    int blinkPhase_ = 0;
    bool blinkTimerStarted_ = false;
    bool transparent_ = false;
    bool emboss_ = false;
    bool notifyParent_ = false;
    bool rotate_ = false;
    BlinkMode blinkMode_ = kNoBlink;
    HCURSOR hoverCursor_ = nullptr;  // not owned
    bool embossDownRight_ = false;
    bool gradient_ = false;
    COLORREF gradientEnd_ = 0;
    COLORREF gradientStart_ = 0;
};

}  // namespace kv
