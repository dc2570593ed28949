// How messages reach objects: pre-translation, message maps, show
// notifications, subclassed controls and colour requests passed back to them.
#include "base/gdi_scope.h"
#include "base/unique_handle.h"
#include "scripted_dialog.h"

#include <gtest/gtest.h>

using kvtest::ScriptedDialog;

namespace {

// A control object that records what reaches it and can answer colour requests.
class RecordingControl : public kv::Window {
public:
    std::vector<UINT> messages;
    std::vector<UINT> preTranslated;
    HBRUSH brush = nullptr;
    bool subclassed = false;

    bool PreTranslateMessage(MSG* message) override {
        preTranslated.push_back(message->message);
        return false;
    }
    HBRUSH OnReflectedColor(UINT, HDC dc) override {
        if (brush != nullptr) ::SetBkColor(dc, RGB(255, 0, 0));
        return brush;
    }

    BEGIN_MSG_MAP(RecordingControl)
        MESSAGE_HANDLER(WM_SETTEXT, OnAnyMessage)
        MESSAGE_HANDLER(WM_KEYDOWN, OnAnyMessage)
        MESSAGE_HANDLER(WM_CHAR, OnAnyMessage)
    END_MSG_MAP()

protected:
    void OnSubclassed() override { subclassed = true; }

private:
    LRESULT OnAnyMessage(UINT message, WPARAM, LPARAM, bool& handled) {
        messages.push_back(message);
        handled = false;  // the edit's own handling still runs
        return 0;
    }
};

// A dialog whose map dispatches by control id and notification code.
class MappedDialog : public ScriptedDialog {
public:
    using ScriptedDialog::ScriptedDialog;
    std::vector<std::string> calls;
    static constexpr UINT kLinkClicked = 0x8200;

    BEGIN_MSG_MAP(MappedDialog)
        COMMAND_HANDLER(IDC_TEST_BUTTON, BN_CLICKED, OnButtonClicked)
        COMMAND_HANDLER(IDC_TEST_EDIT, EN_CHANGE, OnEditChanged)
        NOTIFY_HANDLER(IDC_TEST_STATIC, kLinkClicked, OnLinkClicked)
        COMMAND_ID_HANDLER(IDOK, OnOkSeen)
        CHAIN_MSG_MAP(ScriptedDialog)
    END_MSG_MAP()

private:
    LRESULT OnButtonClicked(WORD, WORD id, HWND, bool&) {
        calls.push_back("button " + std::to_string(id));
        return 0;
    }
    LRESULT OnEditChanged(WORD, WORD, HWND, bool&) {
        calls.push_back("edit changed");
        return 0;
    }
    LRESULT OnLinkClicked(int id, NMHDR* header, bool&) {
        calls.push_back("link " + std::to_string(id) + " " + std::to_string(header->code));
        return 77;
    }
    LRESULT OnOkSeen(WORD, WORD, HWND, bool& handled) {
        calls.push_back("ok seen");
        handled = false;  // and the base map's confirm still runs
        return 0;
    }
};

LRESULT sendNotify(HWND dialog, int id, UINT code) {
    NMHDR header{};
    header.hwndFrom = ::GetDlgItem(dialog, id);
    header.idFrom = static_cast<UINT>(id);
    header.code = code;
    return ::SendMessageA(dialog, WM_NOTIFY, static_cast<WPARAM>(id), reinterpret_cast<LPARAM>(&header));
}

}  // namespace

TEST(PreTranslation, SeesMessagesPostedToChildControlsInnermostFirst) {
    ScriptedDialog dialog;
    RecordingControl edit;
    dialog.exchange = [&](kv::DataExchange& dx) { kv::exchangeControl(dx, IDC_TEST_EDIT, edit); };
    std::vector<std::string> order;
    HWND editWindow = nullptr;
    dialog.onPreTranslate = [&](MSG& m) {
        if (m.message == WM_KEYDOWN && m.wParam == 'A') order.push_back("dialog");
        return false;
    };
    dialog.onInit = [&](ScriptedDialog& d) {
        d.post([&] {
            editWindow = edit.handle();
            ::PostMessageA(editWindow, WM_KEYDOWN, 'A', 0);
            d.post([&d] { d.EndDialog(1); });
        });
    };
    ASSERT_EQ(1, dialog.RunModal());

    bool sawKeyForEdit = false;
    for (const MSG& m : dialog.preTranslated)
        sawKeyForEdit |= m.message == WM_KEYDOWN && m.wParam == 'A' && m.hwnd == editWindow;
    EXPECT_TRUE(sawKeyForEdit);
    ASSERT_FALSE(edit.preTranslated.empty());
    EXPECT_EQ(static_cast<UINT>(WM_KEYDOWN), edit.preTranslated.front());
    EXPECT_EQ(std::vector<std::string>{"dialog"}, order);
    // Not consumed by either hook: the dialog manager passed it on to the edit.
    EXPECT_EQ(std::vector<UINT>{WM_KEYDOWN}, edit.messages);
}

TEST(MessageMap, DispatchesByControlIdAndNotificationCode) {
    MappedDialog dialog;
    LRESULT linkResult = 0, otherCodeResult = -1;
    dialog.onInit = [&](ScriptedDialog& d) {
        HWND h = d.handle();
        ::SendMessageA(h, WM_COMMAND, MAKEWPARAM(IDC_TEST_BUTTON, BN_CLICKED),
                       reinterpret_cast<LPARAM>(d.GetDlgItem(IDC_TEST_BUTTON)));
        // Same id, other code: not this handler's.
        ::SendMessageA(h, WM_COMMAND, MAKEWPARAM(IDC_TEST_BUTTON, BN_SETFOCUS),
                       reinterpret_cast<LPARAM>(d.GetDlgItem(IDC_TEST_BUTTON)));
        ::SetDlgItemTextA(h, IDC_TEST_EDIT, "x");  // the edit reports EN_CHANGE
        linkResult = sendNotify(h, IDC_TEST_STATIC, MappedDialog::kLinkClicked);
        otherCodeResult = sendNotify(h, IDC_TEST_STATIC, 0x8201);
        d.post([h] {
            ::SendMessageA(h, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        });
    };
    EXPECT_EQ(IDOK, dialog.RunModal());
    EXPECT_EQ((std::vector<std::string>{"button 102", "edit changed", "link 103 33280", "ok seen"}),
              dialog.calls);
    EXPECT_EQ(77, linkResult);
    EXPECT_EQ(0, otherCodeResult);
    // The entry that passed the message on let the chained base map confirm.
    EXPECT_EQ("ok", dialog.events.back());
}

TEST(ShowNotifications, ChildDialogHearsBeingShownAndHidden) {
    ScriptedDialog dialog;
    ScriptedDialog page(IDD_TEST_CHILD);
    dialog.onInit = [&](ScriptedDialog& d) {
        ASSERT_TRUE(page.Create(d.handle()));
        page.ShowWindow(SW_SHOW);
        page.ShowWindow(SW_HIDE);
        page.ShowWindow(SW_SHOW);
        d.EndDialog(1);
    };
    EXPECT_EQ(1, dialog.RunModal());
    EXPECT_EQ((std::vector<std::string>{"init", "show", "hide", "show"}), page.events);
}

TEST(Subclassing, ControlObjectSeesMessagesAndLetsGoCleanly) {
    ScriptedDialog dialog;
    ASSERT_TRUE(dialog.Create(nullptr));
    HWND editWindow = dialog.GetDlgItem(IDC_TEST_EDIT);
    const LONG originalProc = ::GetWindowLongA(editWindow, GWL_WNDPROC);

    RecordingControl edit;
    ASSERT_TRUE(edit.SubclassWindow(editWindow));
    EXPECT_TRUE(edit.subclassed);
    EXPECT_FALSE(RecordingControl().SubclassWindow(editWindow));  // one object per window
    ::SetWindowTextA(editWindow, "hello");
    EXPECT_EQ(std::vector<UINT>{WM_SETTEXT}, edit.messages);
    EXPECT_EQ("hello", edit.GetWindowText());  // the edit's own handling still ran

    EXPECT_EQ(editWindow, edit.UnsubclassWindow());
    EXPECT_EQ(originalProc, ::GetWindowLongA(editWindow, GWL_WNDPROC));
    EXPECT_EQ(nullptr, kv::Window::fromHandle(editWindow));

    // An object destroyed first takes its window along; a window destroyed
    // first leaves its object detached.
    {
        RecordingControl check;
        ASSERT_TRUE(check.SubclassWindow(dialog.GetDlgItem(IDC_TEST_CHECK)));
    }
    EXPECT_EQ(nullptr, dialog.GetDlgItem(IDC_TEST_CHECK));
    RecordingControl button;
    ASSERT_TRUE(button.SubclassWindow(dialog.GetDlgItem(IDC_TEST_BUTTON)));
    dialog.DestroyWindow();
    EXPECT_EQ(nullptr, button.handle());
}

TEST(ReflectedColours, ControlThatAnswersGetsItsBrushUsed) {
    ScriptedDialog dialog;
    RecordingControl edit;
    kv::UniqueBrush red(::CreateSolidBrush(RGB(255, 0, 0)));
    edit.brush = red.get();
    dialog.exchange = [&](kv::DataExchange& dx) { kv::exchangeControl(dx, IDC_TEST_EDIT, edit); };
    ASSERT_TRUE(dialog.Create(nullptr));
    dialog.ShowWindow(SW_SHOW);

    {
        const kv::ClientDc dc(edit.handle());
        const LRESULT forEdit = ::SendMessageA(dialog.handle(), WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc.get()),
                                               reinterpret_cast<LPARAM>(edit.handle()));
        EXPECT_EQ(reinterpret_cast<LRESULT>(red.get()), forEdit);
        EXPECT_EQ(RGB(255, 0, 0), ::GetBkColor(dc.get()));
        // A control without an object gets the dialog's usual answer.
        const LRESULT forStatic =
            ::SendMessageA(dialog.handle(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc.get()),
                           reinterpret_cast<LPARAM>(dialog.GetDlgItem(IDC_TEST_STATIC)));
        EXPECT_NE(reinterpret_cast<LRESULT>(red.get()), forStatic);
    }

    // The edit paints its background with the brush.
    ::InvalidateRect(edit.handle(), nullptr, TRUE);
    ::UpdateWindow(edit.handle());
    RECT client{};
    ::GetClientRect(edit.handle(), &client);
    const kv::ClientDc dc(edit.handle());
    EXPECT_EQ(RGB(255, 0, 0), ::GetPixel(dc.get(), client.right - 3, client.bottom / 2));
}
