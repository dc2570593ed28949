// Message maps: each window class lists the messages it handles beside its
// declaration, and the map becomes its ProcessWindowMessage override.
//
//   BEGIN_MSG_MAP(MyDialog)
//     MESSAGE_HANDLER(WM_TIMER, OnTimer)
//     COMMAND_HANDLER(IDC_LIST, LBN_SELCHANGE, OnSelChange)
//     COMMAND_ID_HANDLER(IDC_BROWSE, OnBrowse)
//     NOTIFY_HANDLER(IDC_LINK, 0x8200, OnLinkClicked)
//     CHAIN_MSG_MAP(Dialog)
//   END_MSG_MAP()
//
// Handler signatures (set `handled` to false to let the message go on):
//   LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
//   LRESULT OnCommand(WORD code, WORD id, HWND control, bool& handled);
//   LRESULT OnNotify(int id, NMHDR* header, bool& handled);
// Entries are tried in order; the first that handles the message wins.
#pragma once
#include "base/win.h"

#define BEGIN_MSG_MAP(theClass)                                                          \
public:                                                                                  \
    bool ProcessWindowMessage(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam,        \
                              LRESULT& lResult) override {                               \
        (void)hWnd;                                                                      \
        bool bHandled = true;                                                            \
        (void)bHandled;

#define KV_MSG_MAP_CALL(expression) \
    {                               \
        bHandled = true;            \
        lResult = expression;       \
        if (bHandled) return true;  \
    }

#define MESSAGE_HANDLER(msg, func) \
    if (uMsg == (msg)) KV_MSG_MAP_CALL(func(uMsg, wParam, lParam, bHandled))

#define MESSAGE_RANGE_HANDLER(msgFirst, msgLast, func) \
    if (uMsg >= (msgFirst) && uMsg <= (msgLast)) KV_MSG_MAP_CALL(func(uMsg, wParam, lParam, bHandled))

#define COMMAND_HANDLER(id, notifyCode, func)                                                  \
    if (uMsg == WM_COMMAND && LOWORD(wParam) == static_cast<WORD>(id) &&                 \
        HIWORD(wParam) == static_cast<WORD>(notifyCode))                                       \
        KV_MSG_MAP_CALL(func(HIWORD(wParam), LOWORD(wParam), reinterpret_cast<HWND>(lParam), \
                             bHandled))

#define COMMAND_ID_HANDLER(id, func)                                                     \
    if (uMsg == WM_COMMAND && LOWORD(wParam) == static_cast<WORD>(id))                   \
        KV_MSG_MAP_CALL(func(HIWORD(wParam), LOWORD(wParam), reinterpret_cast<HWND>(lParam), \
                             bHandled))

#define COMMAND_CODE_HANDLER(notifyCode, func)                                                 \
    if (uMsg == WM_COMMAND && HIWORD(wParam) == static_cast<WORD>(notifyCode))                 \
        KV_MSG_MAP_CALL(func(HIWORD(wParam), LOWORD(wParam), reinterpret_cast<HWND>(lParam), \
                             bHandled))

#define NOTIFY_HANDLER(id, notifyCode, func)                                                   \
    if (uMsg == WM_NOTIFY && lParam != 0 &&                                              \
        reinterpret_cast<NMHDR*>(lParam)->idFrom == static_cast<UINT>(id) &&             \
        reinterpret_cast<NMHDR*>(lParam)->code == static_cast<UINT>(notifyCode))               \
        KV_MSG_MAP_CALL(func(static_cast<int>(wParam), reinterpret_cast<NMHDR*>(lParam), bHandled))

#define NOTIFY_ID_HANDLER(id, func)                                                      \
    if (uMsg == WM_NOTIFY && lParam != 0 &&                                              \
        reinterpret_cast<NMHDR*>(lParam)->idFrom == static_cast<UINT>(id))               \
        KV_MSG_MAP_CALL(func(static_cast<int>(wParam), reinterpret_cast<NMHDR*>(lParam), bHandled))

#define NOTIFY_CODE_HANDLER(notifyCode, func)                                                  \
    if (uMsg == WM_NOTIFY && lParam != 0 &&                                              \
        reinterpret_cast<NMHDR*>(lParam)->code == static_cast<UINT>(notifyCode))               \
        KV_MSG_MAP_CALL(func(static_cast<int>(wParam), reinterpret_cast<NMHDR*>(lParam), bHandled))

#define CHAIN_MSG_MAP(theBase) \
    if (theBase::ProcessWindowMessage(hWnd, uMsg, wParam, lParam, lResult)) return true;

#define END_MSG_MAP() \
    return false;     \
    }
