#include "setup/setup_main_window.h"

#include "base/bounded_format.h"
#include "base/gdi_scope.h"
#include "base/module_instance.h"
#include "common/running_setup_window.h"
#include "install/install_state.h"
#include "common/language_strings.h"
#include "common/setup_config.h"
#include "setup/title_text.h"
#include "res/resource_ids.h"

namespace kv {

namespace {

constexpr COLORREF kGradientTop = 0xFF0000;
constexpr COLORREF kGradientBottom = 0x000000;
constexpr int kTitleX = 10;
constexpr int kTitleY = 10;
constexpr int kTitleWidth = 12;
constexpr COLORREF kTitleColour = 0xFFFFFF;
constexpr int kTitleWeight = 700;

}  // namespace

SetupMainWindow::SetupMainWindow()
    : Dialog(IDD_MAIN_WINDOW),
      icon_(::LoadIconA(moduleInstance(), MAKEINTRESOURCEA(IDI_SETUP))) {}

bool SetupMainWindow::OnInitDialog() {
    Dialog::OnInitDialog();
    SendMessage(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_));
    SendMessage(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon_));
    SetWindowText(textOrEmpty(languageStrings.mainWindowCaption));
    installState.mainWindow = this;
    markRunningSetupWindow(handle());  // a second setup.exe looks for it

    // A wizard without all of its pages could only be navigated into pages
    // that are not there: end the run, with no setup done, instead.
    if (!frame_.Create(handle()) || !frame_.complete()) {
        EndDialog(kEndFailed);
        return false;
    }
    gradient_ = createGradient();
    setGradientColours(kGradientTop, kGradientBottom, gradient_.get());

    ShowWindow(SW_MAXIMIZE);
    frame_.ShowWindow(SW_SHOW);
    frame_.focusNext();
    // The focus is on the frame already.
    return false;
}

void SetupMainWindow::focusFrame() const {
    // A hidden frame is left alone: focusing it would activate it.
    if (frame_.IsWindow() && ::IsWindowVisible(frame_.handle()) && ::GetFocus() != frame_.handle())
        ::SetFocus(frame_.handle());
}

bool SetupMainWindow::PreTranslateMessage(MSG* message) {
    if ((message->message == WM_KEYDOWN || message->message == WM_SYSKEYDOWN) &&
        (message->wParam == VK_RETURN || message->wParam == VK_ESCAPE)) {
        // Neither key may confirm or cancel the backdrop.
        message->wParam = 0;
        if (frame_.IsWindow()) ::SetFocus(frame_.handle());
    }
    return Dialog::PreTranslateMessage(message);
}

void SetupMainWindow::OnShowWindow(bool, int) { focusFrame(); }

LRESULT SetupMainWindow::OnEraseBackground(UINT message, WPARAM wParam, LPARAM lParam, bool&) {
    DefaultProc(message, wParam, lParam);
    if (gradient_) {
        RECT client = {};
        ::GetClientRect(handle(), &client);
        layoutGradient(client, gradient_.get());
        paintGradient(reinterpret_cast<HDC>(wParam), gradient_.get());
    }
    return TRUE;
}

void SetupMainWindow::paintBackdrop(HDC dc) {
    if (gradient_) {
        RECT client = {};
        ::GetClientRect(handle(), &client);
        layoutGradient(client, gradient_.get());
        if (paintGradient(dc, gradient_.get())) lastPaint_.gradientFills = gradient_->runCount;
    }
    char title[2 * kPathCapacity];
    if (!formatInto(title, "%s %s", textOrEmpty(languageStrings.mainTitlePrefix),
                    textOrEmpty(setupConfig.productName)))
        title[0] = '\0';
    const TitleFont font = titleFontForLanguage(installState.languageIndex);
    drawTitleText(dc, kTitleX, kTitleY, title, font.face, kTitleWidth, font.height, kTitleColour,
                  kTitleWeight);
    lastPaint_.titleFace = font.face;
    lastPaint_.titleHeight = font.height;
}

void SetupMainWindow::paintIcon() {
    const PaintDc dc(handle());
    RECT client = {};
    ::GetClientRect(handle(), &client);
    const int x = (client.right - client.left - ::GetSystemMetrics(SM_CXICON) + 1) / 2;
    const int y = (client.bottom - client.top - ::GetSystemMetrics(SM_CYICON) + 1) / 2;
    ::DrawIcon(dc.get(), x, y, icon_);
}

LRESULT SetupMainWindow::OnPaint(UINT message, WPARAM wParam, LPARAM lParam, bool&) {
    if (::IsIconic(handle())) {
        paintIcon();
        return 0;
    }
    {
        ClientDc dc(handle());
        // The default handling validates the window (and erases it when asked);
        // the backdrop and the title are then drawn over the whole client area.
        DefaultProc(message, wParam, lParam);
        if (dc.get() != nullptr) paintBackdrop(dc.get());
    }
    if (frame_.IsWindow() && ::GetFocus() != frame_.handle() && ::IsWindowEnabled(handle()))
        ::SetFocus(frame_.handle());
    return 0;
}

LRESULT SetupMainWindow::OnQueryDragIcon(UINT, WPARAM, LPARAM, bool&) {
    return reinterpret_cast<LRESULT>(icon_);
}

LRESULT SetupMainWindow::OnDestroy(UINT, WPARAM, LPARAM, bool& handled) {
    unmarkRunningSetupWindow(handle());
    destroyGradient(gradient_);
    frame_.DestroyWindow();
    handled = false;  // the default handling runs as well
    return 0;
}

}  // namespace kv
