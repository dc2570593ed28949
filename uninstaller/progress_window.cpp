#include "uninstaller/progress_window.h"

#include <commctrl.h>

namespace kv {
namespace {

constexpr char kClassName[] = "KvUninstallProgress";
constexpr int kWidth = 360;
constexpr int kHeight = 110;

LRESULT CALLBACK progressProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CLOSE) return 0;  // the removal is not stopped halfway
    return ::DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

ProgressWindow::~ProgressWindow() {
    if (window_ != nullptr) ::DestroyWindow(window_);
}

bool ProgressWindow::create(const char* caption, const char* status) {
    ::InitCommonControls();
    const HINSTANCE instance = ::GetModuleHandleA(nullptr);
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = progressProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = ::LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = kClassName;
    ::RegisterClassA(&windowClass);  // fails harmlessly when it is registered already
    const int x = (::GetSystemMetrics(SM_CXSCREEN) - kWidth) / 2;
    const int y = (::GetSystemMetrics(SM_CYSCREEN) - kHeight) / 2;
    window_ = ::CreateWindowExA(WS_EX_DLGMODALFRAME, kClassName, caption, WS_POPUP | WS_CAPTION | WS_VISIBLE, x, y,
                                kWidth, kHeight, nullptr, nullptr, instance, nullptr);
    if (window_ == nullptr) return false;
    const HFONT font = static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
    status_ = ::CreateWindowExA(0, "STATIC", status, WS_CHILD | WS_VISIBLE | SS_LEFT, 12, 10, kWidth - 30, 20,
                                window_, nullptr, instance, nullptr);
    bar_ = ::CreateWindowExA(0, PROGRESS_CLASSA, "", WS_CHILD | WS_VISIBLE, 12, 38, kWidth - 30, 18, window_,
                             nullptr, instance, nullptr);
    if (status_ != nullptr) ::SendMessageA(status_, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    pump();
    return true;
}

void ProgressWindow::setStatus(const char* status) {
    if (status_ != nullptr) ::SetWindowTextA(status_, status);
    pump();
}

void ProgressWindow::setProgress(unsigned done, unsigned total) {
    if (bar_ != nullptr && total > 0) ::SendMessageA(bar_, PBM_SETPOS, done * 100 / total, 0);
    pump();
}

void ProgressWindow::pump() {
    MSG message;
    while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&message);
        ::DispatchMessageA(&message);
    }
}

}  // namespace kv
