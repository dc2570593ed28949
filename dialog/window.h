// A window object: one HWND and the C++ object that handles its messages.
// The object is found from the handle through a window property, so any
// window of the thread can be routed to its object; messages the object does
// not handle go on to the window's original procedure.
#pragma once
#include "base/win.h"

#include "base/heap_string.h"

namespace kv {

class Window {
public:
    Window() = default;
    // Destroys the window if it still exists.
    virtual ~Window();
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;
    // Moving re-points the window at the new object.
    Window(Window&& other) noexcept;
    Window& operator=(Window&& other) noexcept;

    HWND handle() const { return hwnd_; }
    bool IsWindow() const { return hwnd_ != nullptr && ::IsWindow(hwnd_); }
    // The object attached to a window, or null.
    static Window* fromHandle(HWND window);

    // Routes an existing window (typically a dialog item) to this object; the
    // window's own procedure keeps doing the default handling. False when this
    // object already has a window or the window already has an object.
    bool SubclassWindow(HWND window);
    // Gives the window its own procedure back and forgets it.
    HWND UnsubclassWindow();
    bool DestroyWindow();

    // Message map; BEGIN_MSG_MAP/END_MSG_MAP generate the overrides.
    virtual bool ProcessWindowMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                      LRESULT& result);
    // Sees a message for this window or one of its descendants before it is
    // dispatched (see preTranslateMessage). True when it was consumed.
    virtual bool PreTranslateMessage(MSG* message);
    // A colour request (WM_CTLCOLOR*) that the parent dialog passed back to
    // this control. Returns the brush to paint with, or null when the control
    // leaves colours to the dialog.
    virtual HBRUSH OnReflectedColor(UINT message, HDC dc);

    // Thin conveniences over the platform calls.
    HWND GetDlgItem(int id) const { return ::GetDlgItem(hwnd_, id); }
    HWND GetParent() const { return ::GetParent(hwnd_); }
    int GetDlgCtrlID() const { return ::GetDlgCtrlID(hwnd_); }
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
        return ::SendMessageA(hwnd_, message, wParam, lParam);
    }
    bool PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
        return ::PostMessageA(hwnd_, message, wParam, lParam) != FALSE;
    }
    bool ShowWindow(int command) const { return ::ShowWindow(hwnd_, command) != FALSE; }
    bool IsWindowVisible() const { return ::IsWindowVisible(hwnd_) != FALSE; }
    bool EnableWindow(bool enable) const { return ::EnableWindow(hwnd_, enable) != FALSE; }
    bool SetWindowText(const char* text) const { return ::SetWindowTextA(hwnd_, text ? text : "") != FALSE; }
    String GetWindowText() const;
    bool SetTimer(UINT_PTR id, UINT milliseconds) const { return ::SetTimer(hwnd_, id, milliseconds, nullptr) != 0; }
    bool KillTimer(UINT_PTR id) const { return ::KillTimer(hwnd_, id) != FALSE; }
    void Invalidate(bool erase = true) const { ::InvalidateRect(hwnd_, nullptr, erase); }
    DWORD GetStyle() const { return static_cast<DWORD>(::GetWindowLongA(hwnd_, GWL_STYLE)); }
    DWORD GetExStyle() const { return static_cast<DWORD>(::GetWindowLongA(hwnd_, GWL_EXSTYLE)); }
    // Changes style bits; with frame flags the non-client area is recomputed.
    bool ModifyStyle(DWORD remove, DWORD add, UINT swpFlags = 0) const;
    bool ModifyStyleEx(DWORD remove, DWORD add, UINT swpFlags = 0) const;
    // Centres over `over`, or over the owner/parent, or over the work area.
    bool CenterWindow(HWND over = nullptr) const;

protected:
    // Called once a window has been subclassed by this object.
    virtual void OnSubclassed() {}
    // The last message the window gets; the object is already detached.
    virtual void OnFinalMessage(HWND) {}
    // Default handling of a message: the window's original procedure.
    LRESULT DefaultProc(UINT message, WPARAM wParam, LPARAM lParam);

    // Binds a window (own or subclassed) to this object. Used by Dialog.
    bool attach(HWND window);

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT route(UINT message, WPARAM wParam, LPARAM lParam);
    void detach();
    void takeFrom(Window& other) noexcept;

    HWND hwnd_ = nullptr;
    WNDPROC originalProc_ = nullptr;
};

}  // namespace kv
