// A test dialog driven from inside its own modal loop: actions queued with
// post() run when their message is dispatched, and a watchdog ends a run
// that nobody ends.
#pragma once
#include "dialog/dialog.h"
#include "support/watchdog.h"
#include "test_templates.h"

#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace kvtest {

class ScriptedDialog : public kv::Dialog {
public:
    static constexpr int kTimedOut = -99;
    static constexpr UINT kRunAction = WM_APP + 1;
    static constexpr UINT kWatchdogFired = WM_APP + 2;

    explicit ScriptedDialog(int templateId = IDD_TEST_MODAL, HWND parent = nullptr)
        : Dialog(templateId, parent) {}

    std::function<void(ScriptedDialog&)> onInit;
    std::function<void(kv::DataExchange&)> exchange;
    std::function<bool(MSG&)> onPreTranslate;  // true consumes
    std::vector<std::string> events;
    std::vector<MSG> preTranslated;

    // Runs `action` from the message loop that dispatches this dialog's messages.
    void post(std::function<void()> action) {
        actions_.push_back(std::move(action));
        PostMessage(kRunAction);
    }

    bool PreTranslateMessage(MSG* message) override {
        preTranslated.push_back(*message);
        if (onPreTranslate && onPreTranslate(*message)) return true;
        return Dialog::PreTranslateMessage(message);
    }

    BEGIN_MSG_MAP(ScriptedDialog)
        MESSAGE_HANDLER(kRunAction, OnRunAction)
        MESSAGE_HANDLER(kWatchdogFired, OnWatchdogFired)
        CHAIN_MSG_MAP(Dialog)
    END_MSG_MAP()

protected:
    bool OnInitDialog() override {
        const bool result = Dialog::OnInitDialog();
        // A post after the window has gone reaches nobody.
        HWND window = handle();
        watchdog_ = std::make_unique<Watchdog>(5, [window] { ::PostMessageA(window, kWatchdogFired, 0, 0); });
        events.push_back("init");
        if (onInit) onInit(*this);
        return result;
    }
    void OnOK() override {
        events.push_back("ok");
        Dialog::OnOK();
    }
    void OnCancel() override {
        events.push_back("cancel");
        Dialog::OnCancel();
    }
    void OnShowWindow(bool show, int) override { events.push_back(show ? "show" : "hide"); }
    void DoDataExchange(kv::DataExchange& dx) override {
        if (exchange) exchange(dx);
    }

private:
    LRESULT OnRunAction(UINT, WPARAM, LPARAM, bool&) {
        if (actions_.empty()) return 0;
        std::function<void()> action = std::move(actions_.front());
        actions_.pop_front();
        action();
        return 0;
    }
    LRESULT OnWatchdogFired(UINT, WPARAM, LPARAM, bool&) {
        events.push_back("watchdog");
        EndDialog(kTimedOut);
        return 0;
    }

    std::deque<std::function<void()>> actions_;
    std::unique_ptr<Watchdog> watchdog_;  // held apart, so the dialog stays movable
};

}  // namespace kvtest
