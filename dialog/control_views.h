// Non-owning typed views over standard controls: they neither subclass nor
// destroy the window, so data exchange or a page makes one where it needs it.
#pragma once
#include "base/heap_string.h"
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
    // The item's text; empty for a bad index or when memory runs out.
    String GetText(int index) const {
        const LRESULT length = ::SendMessageA(list_, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
        if (length == LB_ERR) return {};
        String text(static_cast<std::size_t>(length) + 1, '\0');
        if (text.data() == nullptr) return text;
        const LRESULT copied =
            ::SendMessageA(list_, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
        text.resize(copied == LB_ERR ? 0 : static_cast<std::size_t>(copied));
        return text;
    }

private:
    HWND list_;
};

class EditView {
public:
    explicit EditView(HWND edit) : edit_(edit) {}
    // Typing and pasting stop at `characters`.
    void LimitText(std::size_t characters) const { ::SendMessageA(edit_, EM_LIMITTEXT, characters, 0); }
    void SelectAll() const { ::SendMessageA(edit_, EM_SETSEL, 0, -1); }

private:
    HWND edit_;
};

}  // namespace kv
