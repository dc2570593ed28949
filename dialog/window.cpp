#include "dialog/window.h"


namespace kv {
namespace {

// Names the property that links a window to its object.
const char kObjectProperty[] = "kv.Window";

WNDPROC currentProc(HWND window) {
    return reinterpret_cast<WNDPROC>(::GetWindowLongA(window, GWL_WNDPROC));
}

}  // namespace

Window::~Window() {
    if (hwnd_ == nullptr) return;
    // The derived parts are gone already, so the window's last messages
    // reach only this base part.
    if (::IsWindow(hwnd_)) ::DestroyWindow(hwnd_);
    detach();
}

Window::Window(Window&& other) noexcept { takeFrom(other); }

Window& Window::operator=(Window&& other) noexcept {
    if (this != &other) {
        if (hwnd_ != nullptr) {
            if (::IsWindow(hwnd_)) ::DestroyWindow(hwnd_);
            detach();
        }
        takeFrom(other);
    }
    return *this;
}

void Window::takeFrom(Window& other) noexcept {
    hwnd_ = other.hwnd_;
    originalProc_ = other.originalProc_;
    other.hwnd_ = nullptr;
    other.originalProc_ = nullptr;
    if (hwnd_ != nullptr) ::SetPropA(hwnd_, kObjectProperty, reinterpret_cast<HANDLE>(this));
}

Window* Window::fromHandle(HWND window) {
    if (window == nullptr) return nullptr;
    return reinterpret_cast<Window*>(::GetPropA(window, kObjectProperty));
}

bool Window::attach(HWND window) {
    if (hwnd_ != nullptr || window == nullptr || !::IsWindow(window)) return false;
    if (fromHandle(window) != nullptr) return false;
    if (!::SetPropA(window, kObjectProperty, reinterpret_cast<HANDLE>(this))) return false;
    hwnd_ = window;
    originalProc_ = reinterpret_cast<WNDPROC>(
        ::SetWindowLongA(window, GWL_WNDPROC, reinterpret_cast<LONG>(&Window::WindowProc)));
    if (originalProc_ == nullptr) {
        ::RemovePropA(window, kObjectProperty);
        hwnd_ = nullptr;
        return false;
    }
    return true;
}

bool Window::SubclassWindow(HWND window) {
    if (!attach(window)) return false;
    OnSubclassed();
    return true;
}

HWND Window::UnsubclassWindow() {
    if (hwnd_ == nullptr) return nullptr;
    // Somebody subclassed the window after us; taking our procedure out now
    // would cut theirs off as well.
    if (currentProc(hwnd_) != &Window::WindowProc) return nullptr;
    HWND window = hwnd_;
    detach();
    return window;
}

void Window::detach() {
    if (hwnd_ == nullptr) return;
    if (currentProc(hwnd_) == &Window::WindowProc)
        ::SetWindowLongA(hwnd_, GWL_WNDPROC, reinterpret_cast<LONG>(originalProc_));
    ::RemovePropA(hwnd_, kObjectProperty);
    hwnd_ = nullptr;
    originalProc_ = nullptr;
}

bool Window::DestroyWindow() {
    if (hwnd_ == nullptr) return false;
    return ::DestroyWindow(hwnd_) != FALSE;
}

bool Window::ProcessWindowMessage(HWND, UINT, WPARAM, LPARAM, LRESULT&) { return false; }

bool Window::PreTranslateMessage(MSG*) { return false; }

HBRUSH Window::OnReflectedColor(UINT, HDC) { return nullptr; }

LRESULT Window::DefaultProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (originalProc_ == nullptr) return ::DefWindowProcA(hwnd_, message, wParam, lParam);
    return ::CallWindowProcA(originalProc_, hwnd_, message, wParam, lParam);
}

LRESULT CALLBACK Window::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    Window* self = fromHandle(window);
    if (self == nullptr) return ::DefWindowProcA(window, message, wParam, lParam);
    return self->route(message, wParam, lParam);
}

LRESULT Window::route(UINT message, WPARAM wParam, LPARAM lParam) {
    HWND window = hwnd_;
    // Kept aside: a handler may detach the object from its window.
    WNDPROC original = originalProc_;
    LRESULT result = 0;
    if (!ProcessWindowMessage(window, message, wParam, lParam, result))
        result = original ? ::CallWindowProcA(original, window, message, wParam, lParam)
                          : ::DefWindowProcA(window, message, wParam, lParam);
    if (message == WM_NCDESTROY && hwnd_ == window) {
        detach();
        OnFinalMessage(window);
    }
    return result;
}

String Window::GetWindowText() const {
    const int length = ::GetWindowTextLengthA(hwnd_);
    if (length <= 0) return {};
    String text(static_cast<std::size_t>(length) + 1, '\0');
    if (text.data() == nullptr) return text;  // out of memory: absent, shown empty
    const int copied = ::GetWindowTextA(hwnd_, text.data(), length + 1);
    text.resize(copied > 0 ? static_cast<std::size_t>(copied) : 0);
    return text;
}

namespace {

// ModifyStyle and ModifyStyleEx: `index` is GWL_STYLE or GWL_EXSTYLE.
bool modifyStyleBits(HWND window, int index, DWORD remove, DWORD add, UINT swpFlags) {
    const DWORD style = static_cast<DWORD>(::GetWindowLongA(window, index));
    const DWORD changed = (style & ~remove) | add;
    if (changed == style) return false;
    ::SetWindowLongA(window, index, static_cast<LONG>(changed));
    if (swpFlags != 0)
        ::SetWindowPos(window, nullptr, 0, 0, 0, 0,
                       SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | swpFlags);
    return true;
}

}  // namespace

bool Window::ModifyStyle(DWORD remove, DWORD add, UINT swpFlags) const {
    return modifyStyleBits(hwnd_, GWL_STYLE, remove, add, swpFlags);
}

bool Window::ModifyStyleEx(DWORD remove, DWORD add, UINT swpFlags) const {
    return modifyStyleBits(hwnd_, GWL_EXSTYLE, remove, add, swpFlags);
}

bool Window::CenterWindow(HWND over) const {
    if (hwnd_ == nullptr) return false;
    const bool child = (GetStyle() & WS_CHILD) != 0;
    if (over == nullptr) over = child ? ::GetParent(hwnd_) : ::GetWindow(hwnd_, GW_OWNER);

    RECT area{};
    if (child) {
        if (over == nullptr) return false;
        ::GetClientRect(over, &area);
    } else {
        ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    }
    RECT centre = area;
    if (!child && over != nullptr && ::IsWindowVisible(over) && !::IsIconic(over))
        ::GetWindowRect(over, &centre);

    RECT own{};
    ::GetWindowRect(hwnd_, &own);
    const int width = own.right - own.left;
    const int height = own.bottom - own.top;
    int x = (centre.left + centre.right) / 2 - width / 2;
    int y = (centre.top + centre.bottom) / 2 - height / 2;
    // Keep a top-level window on the screen.
    if (!child) {
        if (x + width > area.right) x = area.right - width;
        if (y + height > area.bottom) y = area.bottom - height;
        if (x < area.left) x = area.left;
        if (y < area.top) y = area.top;
    }
    return ::SetWindowPos(hwnd_, nullptr, x, y, 0, 0,
                          SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE) != FALSE;
}

}  // namespace kv
