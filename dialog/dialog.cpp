#include "dialog/dialog.h"

#include "base/module_instance.h"
#include "base/thread_slot.h"
#include "dialog/modal_loop.h"
#include "dialog/owner_chain.h"

namespace kv {
namespace {

// The dialog whose window is being created on this thread. Its first
// message binds the window to it, before WM_SETFONT and WM_INITDIALOG.
// Without a free slot the binding waits for WM_INITDIALOG's parameter.
const ThreadSlot<Dialog> creatingDialog;

// Messages whose dialog-procedure return value is the result itself.
bool resultReturnedDirectly(UINT message) {
    switch (message) {
    case WM_INITDIALOG:
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
    case WM_COMPAREITEM:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
    case WM_QUERYDRAGICON:
        return true;
    default:
        return false;
    }
}

}  // namespace

INT_PTR CALLBACK Dialog::StartDialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    // Once bound, the object's procedure has seen the message already and
    // this is the default handling asking: leave it to the dialog manager.
    if (Window::fromHandle(window) != nullptr) return FALSE;
    Dialog* self = creatingDialog.get();
    if (self == nullptr && message == WM_INITDIALOG) self = reinterpret_cast<Dialog*>(lParam);
    if (self == nullptr || !self->attach(window)) return FALSE;
    creatingDialog.set(nullptr);

    // This first message arrived before the object's procedure was in place.
    LRESULT result = 0;
    if (!self->ProcessWindowMessage(window, message, wParam, lParam, result)) return FALSE;
    if (resultReturnedDirectly(message)) return static_cast<INT_PTR>(result);
    ::SetWindowLongA(window, DWL_MSGRESULT, static_cast<LONG>(result));
    return TRUE;
}

bool Dialog::createWindow(HWND owner) {
    if (handle() != nullptr) return false;
    ended_ = false;
    endCode_ = kRunFailed;
    Dialog* const previous = creatingDialog.get();
    creatingDialog.set(this);
    HWND window = ::CreateDialogParamA(moduleInstance(), MAKEINTRESOURCEA(templateId_), owner,
                                       &Dialog::StartDialogProc, reinterpret_cast<LPARAM>(this));
    creatingDialog.set(previous);
    if (window != nullptr && handle() != window) {
        // Never bound to this object: nobody would route or destroy it.
        ::DestroyWindow(window);
        return false;
    }
    return window != nullptr;
}

bool Dialog::Create(HWND parent) {
    if (parent != nullptr) parent_ = parent;
    modal_ = false;
    return createWindow(parent_ != nullptr ? parent_ : resolveOwner(nullptr));
}

bool Dialog::Create(int templateId, HWND parent) {
    if (handle() != nullptr) return false;
    templateId_ = templateId;
    return Create(parent);
}

int Dialog::RunModal() {
    if (handle() != nullptr) return kRunFailed;
    HWND owner = resolveOwner(parent_);
    DisabledOwnerChain disabled(owner);
    modal_ = true;
    if (!createWindow(owner)) {
        modal_ = false;
        return kRunFailed;
    }
    HWND window = handle();
    if (!ended_ && !::IsWindowVisible(window)) ::ShowWindow(window, SW_SHOWNORMAL);

    const LoopEnd end = runModalLoop(ended_, window);
    const int code = end == LoopEnd::Ended ? endCode_ : kRunFailed;

    // Owners first, so that activation goes back to them and not to some
    // other program when the dialog disappears.
    disabled.restore();
    if (::IsWindow(window)) {
        if (owner != nullptr && ::GetActiveWindow() == window) ::SetActiveWindow(owner);
        DestroyWindow();
    }
    modal_ = false;
    return code;
}

void Dialog::EndDialog(int code) {
    endCode_ = code;
    ended_ = true;
    if (handle() == nullptr) return;
    if (modal_)
        PostMessage(WM_NULL);  // wakes the modal loop if nothing else is queued
    else
        ShowWindow(SW_HIDE);
}

bool Dialog::UpdateData(bool save) {
    if (handle() == nullptr) return false;
    DataExchange exchange(*this, save);
    DoDataExchange(exchange);
    return !exchange.failed();
}

bool Dialog::PreTranslateMessage(MSG* message) {
    if (handle() == nullptr || (GetStyle() & WS_CHILD)) return false;
    return ::IsDialogMessageA(handle(), message) != FALSE;
}

bool Dialog::OnInitDialog() {
    UpdateData(false);
    return true;
}

void Dialog::OnOK() {
    if (UpdateData(true)) EndDialog(IDOK);
}

void Dialog::OnCancel() { EndDialog(IDCANCEL); }

void Dialog::OnShowWindow(bool, int) {}

void Dialog::DoDataExchange(DataExchange&) {}

LRESULT Dialog::OnInitDialogMessage(UINT, WPARAM, LPARAM, bool&) { return OnInitDialog() ? TRUE : FALSE; }

LRESULT Dialog::OnOkCommand(WORD, WORD, HWND, bool&) {
    OnOK();
    return 0;
}

LRESULT Dialog::OnCancelCommand(WORD, WORD, HWND, bool&) {
    OnCancel();
    return 0;
}

LRESULT Dialog::OnShowWindowMessage(UINT message, WPARAM wParam, LPARAM lParam, bool&) {
    const LRESULT result = DefaultProc(message, wParam, lParam);
    OnShowWindow(wParam != 0, static_cast<int>(lParam));
    return result;
}

LRESULT Dialog::OnColorRequest(UINT message, WPARAM wParam, LPARAM lParam, bool& handled) {
    HWND control = reinterpret_cast<HWND>(lParam);
    Window* object = control != handle() ? Window::fromHandle(control) : nullptr;
    HBRUSH brush = object ? object->OnReflectedColor(message, reinterpret_cast<HDC>(wParam)) : nullptr;
    if (brush == nullptr) {
        handled = false;
        return 0;
    }
    return reinterpret_cast<LRESULT>(brush);
}

LRESULT Dialog::OnSysColorChange(UINT message, WPARAM wParam, LPARAM lParam, bool& handled) {
    // Only top-level windows hear of a new colour scheme; the controls (and
    // child dialogs, which pass it on in turn) learn it from their parent.
    for (HWND child = ::GetWindow(handle(), GW_CHILD); child != nullptr;
         child = ::GetWindow(child, GW_HWNDNEXT))
        ::SendMessageA(child, message, wParam, lParam);
    handled = false;
    return 0;
}

}  // namespace kv
