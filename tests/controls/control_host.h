// A shown dialog that hosts the controls under test, records the
// notifications they send, and makes labels of exact pixel sizes.
#pragma once
#include "control_templates.h"
#include "dialog/dialog.h"

#include <vector>

namespace kvtest {

class ControlHost : public kv::Dialog {
public:
    ControlHost() : Dialog(IDD_CONTROL_HOST) {
        Create(nullptr);
        ShowWindow(SW_SHOWNOACTIVATE);
    }

    std::vector<NMHDR> notifications;

    // A static control of the dialog's font, `width` x `height` pixels.
    HWND addStatic(int id, int width, int height, DWORD style = SS_LEFT, const char* text = "") {
        HWND window = ::CreateWindowExA(0, "Static", text, WS_CHILD | WS_VISIBLE | style, 4, 80, width, height,
                                        handle(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                        ::GetModuleHandleA(nullptr), nullptr);
        ::SendMessageA(window, WM_SETFONT, SendMessage(WM_GETFONT), FALSE);
        return window;
    }

    BEGIN_MSG_MAP(ControlHost)
        MESSAGE_HANDLER(WM_NOTIFY, OnNotify)
        CHAIN_MSG_MAP(Dialog)
    END_MSG_MAP()

private:
    LRESULT OnNotify(UINT, WPARAM, LPARAM lParam, bool&) {
        notifications.push_back(*reinterpret_cast<NMHDR*>(lParam));
        return 0;
    }
};

}  // namespace kvtest
