// The small window the uninstaller shows while it removes: a status line
// and a progress bar, on the caller's thread, which pumps its messages
// between items.
#pragma once
#include "base/win.h"

namespace kv {

class ProgressWindow {
public:
    ProgressWindow() = default;
    ProgressWindow(const ProgressWindow&) = delete;
    ProgressWindow& operator=(const ProgressWindow&) = delete;
    ~ProgressWindow();

    bool create(const char* caption, const char* status);
    void setStatus(const char* status);
    void setProgress(unsigned done, unsigned total);
    HWND handle() const { return window_; }

private:
    void pump();
    HWND window_ = nullptr;
    HWND status_ = nullptr;
    HWND bar_ = nullptr;
};

}  // namespace kv
