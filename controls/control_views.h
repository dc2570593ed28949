// Non-owning typed views over standard controls: they neither subclass nor
// destroy the window, so a page makes one where it needs it.
#pragma once
#include "base/win.h"

namespace kv {

class ButtonView {
public:
    explicit ButtonView(HWND button) : button_(button) {}
    // BST_UNCHECKED, BST_CHECKED or BST_INDETERMINATE.
    int GetCheck() const { return static_cast<int>(::SendMessageA(button_, BM_GETCHECK, 0, 0)); }
    void SetCheck(int state) const { ::SendMessageA(button_, BM_SETCHECK, static_cast<WPARAM>(state), 0); }

private:
    HWND button_;
};

class ListBoxView {
public:
    explicit ListBoxView(HWND list) : list_(list) {}
    void ResetContent() const { ::SendMessageA(list_, LB_RESETCONTENT, 0, 0); }
    // The new item's index, or LB_ERR / LB_ERRSPACE.
    int AddString(const char* text) const {
        return static_cast<int>(::SendMessageA(list_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text)));
    }
    // The selected index, or LB_ERR when none is.
    int GetCurSel() const { return static_cast<int>(::SendMessageA(list_, LB_GETCURSEL, 0, 0)); }
    void SetCurSel(int index) const { ::SendMessageA(list_, LB_SETCURSEL, static_cast<WPARAM>(index), 0); }

private:
    HWND list_;
};

}  // namespace kv
