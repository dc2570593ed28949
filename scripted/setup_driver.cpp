#include "scripted/setup_driver.h"

#include "base/proc_address.h"
#include "base/unique_handle.h"
#include "scripted/screenshot.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <thread>

namespace kvdrive {

namespace {

constexpr UINT kSendTimeout = 5000;

bool isDialogClass(HWND window) {
    char name[32] = {};
    ::GetClassNameA(window, name, sizeof(name));
    return std::strcmp(name, "#32770") == 0;
}

bool hasItem(HWND dialog, int id) { return ::GetDlgItem(dialog, id) != nullptr; }

struct Search {
    std::function<bool(HWND)> accept;
    HWND found = nullptr;
};

BOOL CALLBACK collect(HWND window, LPARAM context) {
    auto* search = reinterpret_cast<Search*>(context);
    if (isDialogClass(window) && search->accept(window)) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

HWND findTopLevel(DWORD thread, std::function<bool(HWND)> accept) {
    Search search{std::move(accept)};
    ::EnumThreadWindows(thread, collect, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND findChildDialog(HWND parent, std::function<bool(HWND)> accept) {
    if (parent == nullptr) return nullptr;
    for (HWND child = ::GetWindow(parent, GW_CHILD); child != nullptr;
         child = ::GetWindow(child, GW_HWNDNEXT)) {
        if (isDialogClass(child) && accept(child)) return child;
    }
    return nullptr;
}

// GetGUIThreadInfo is not declared for the oldest targets; the layout is fixed.
struct GuiThreadInfo {
    DWORD cbSize;
    DWORD flags;
    HWND hwndActive, hwndFocus, hwndCapture, hwndMenuOwner, hwndMoveSize, hwndCaret;
    RECT rcCaret;
};
using GetGuiThreadInfoFn = BOOL(WINAPI*)(DWORD, GuiThreadInfo*);

void sleepMs(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

// Messages to the run's windows are sent with a time limit, so a run that
// hangs cannot hang the script. True when the window answered in time.
bool sendTimed(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0, DWORD_PTR* result = nullptr) {
    DWORD_PTR ignored = 0;
    return ::SendMessageTimeoutA(window, message, wParam, lParam, SMTO_NORMAL, kSendTimeout,
                                 result != nullptr ? result : &ignored) != 0;
}

// The settle marker last taken from a window thread's queue. A message sent
// to a window overtakes the ones posted to it, so only a posted marker shows
// that a posted click before it has been handled.
constexpr LPARAM kSettleMarker = 0x5E771E00;
std::atomic<LPARAM> markerTaken{0};

LRESULT CALLBACK watchForMarker(int code, WPARAM removal, LPARAM lParam) {
    const MSG* message = reinterpret_cast<const MSG*>(lParam);
    if (code == HC_ACTION && removal == PM_REMOVE && message->message == WM_NULL &&
        (message->lParam & ~LPARAM{0xFF}) == kSettleMarker)
        markerTaken = message->lParam;
    return ::CallNextHookEx(nullptr, code, removal, lParam);
}

using UniqueHook = kv::UniqueHandle<kv::HandleTraits<HHOOK, &::UnhookWindowsHookEx>>;

// The answer to a message sent with a time limit; 0 without one.
DWORD_PTR answer(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    DWORD_PTR result = 0;
    sendTimed(window, message, wParam, lParam, &result);
    return result;
}

}  // namespace

void Driver::fail(const std::string& what) {
    std::lock_guard<std::mutex> lock(mutex_);
    failures_.push_back(what);
}

bool Driver::expect(bool ok, const std::string& what, bool fatal) {
    if (ok) return true;
    fail(what);
    if (fatal) throw ScriptAbort{};
    return false;
}

std::vector<std::string> Driver::failures() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return failures_;
}

HWND Driver::mainWindow() const {
    return findTopLevel(uiThread_, [](HWND w) {
        return ::GetWindow(w, GW_OWNER) == nullptr &&
               (::GetWindowLongA(w, GWL_EXSTYLE) & WS_EX_APPWINDOW) != 0 && !hasItem(w, 1002);
    });
}

HWND Driver::frame() const {
    return findTopLevel(uiThread_, [](HWND w) { return hasItem(w, 1002) && hasItem(w, 300); });
}

HWND Driver::confirmBox() const {
    return findTopLevel(uiThread_, [](HWND w) {
        return hasItem(w, IDOK) && hasItem(w, IDCANCEL) && hasItem(w, 1002) && ::IsWindowVisible(w);
    });
}

HWND Driver::progressDialog() const {
    return findTopLevel(uiThread_, [](HWND w) { return hasItem(w, 1024); });
}

HWND Driver::visiblePage() const {
    return findChildDialog(frame(), [](HWND w) { return ::IsWindowVisible(w) != FALSE; });
}

HWND Driver::pageWindow(int index) const {
    return findChildDialog(frame(), [index](HWND w) { return pageIndexOf(w) == index; });
}

int Driver::pageIndexOf(HWND page) {
    if (page == nullptr) return -1;
    if (hasItem(page, 1016)) return kFinish;
    if (hasItem(page, 1019)) return kDestination;
    if (hasItem(page, 1018)) return kProgramFolder;
    if (hasItem(page, 1014)) return kLanguage;
    if (hasItem(page, 1001) && hasItem(page, 1002)) return kSetupType;
    if (hasItem(page, 1009)) return kWelcome;
    if (hasItem(page, 1003)) return kInformation;
    return -1;
}

HWND Driver::focus() const {
    static const auto getInfo = kv::procAddress<GetGuiThreadInfoFn>(::GetModuleHandleA("user32.dll"), "GetGUIThreadInfo");
    if (getInfo == nullptr) return nullptr;
    GuiThreadInfo info = {};
    info.cbSize = sizeof(info);
    if (!getInfo(uiThread_, &info)) return nullptr;
    return info.hwndFocus;
}

bool Driver::waitUntil(const std::function<bool()>& condition, int milliseconds,
                       const std::string& what) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
    for (;;) {
        if (condition()) return true;
        if (std::chrono::steady_clock::now() >= deadline) {
            fail("timed out waiting for " + what);
            return false;
        }
        sleepMs(20);
    }
}

bool Driver::settle(HWND window) {
    if (window == nullptr) window = frame();
    if (window == nullptr) window = mainWindow();
    if (window == nullptr) return false;
    // What was posted before (a click) is handled, or has begun a modal
    // loop, once the window's thread takes a marker posted behind it.
    const DWORD thread = ::GetWindowThreadProcessId(window, nullptr);
    const UniqueHook hook(thread != ::GetCurrentThreadId()
                              ? ::SetWindowsHookExA(WH_GETMESSAGE, watchForMarker, nullptr, thread)
                              : nullptr);
    static std::atomic<int> count{0};
    const LPARAM marker = kSettleMarker | (++count & 0xFF);
    markerTaken = 0;
    if (hook && ::PostMessageA(window, WM_NULL, 0, marker)) {
        // A thread busy past the limit is the next step's to notice.
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(kSendTimeout);
        while (markerTaken.load() != marker && ::IsWindow(window) && std::chrono::steady_clock::now() < deadline)
            sleepMs(1);
    }
    return sendTimed(window, WM_NULL);
}

HWND Driver::waitForPage(int index, int milliseconds) {
    HWND page = nullptr;
    const bool ok = waitUntil(
        [&] {
            HWND f = frame();
            if (f == nullptr || !::IsWindowVisible(f)) return false;
            page = visiblePage();
            return pageIndexOf(page) == index;
        },
        milliseconds, "page " + std::to_string(index));
    expect(ok, "page " + std::to_string(index) + " not reached (showing " +
                   std::to_string(pageIndexOf(visiblePage())) + ")",
           true);
    settle();
    return page;
}

HWND Driver::walkTo(int index) {
    HWND page = visiblePage();
    for (int at = pageIndexOf(page); at >= 0 && at < index; ++at) {
        next();
        page = waitForPage(at + 1);
    }
    return page;
}

HWND Driver::waitForConfirmBox(int milliseconds) {
    HWND box = nullptr;
    expect(waitUntil([&] { return (box = confirmBox()) != nullptr; }, milliseconds, "exit confirmation"),
           "no exit confirmation", true);
    settle(box);
    return box;
}

HWND Driver::waitForProgressDialog(int milliseconds) {
    HWND dialog = nullptr;
    expect(waitUntil([&] { return (dialog = progressDialog()) != nullptr && ::IsWindowVisible(dialog); },
                     milliseconds, "progress dialog"),
           "no progress dialog", true);
    return dialog;
}

void Driver::click(HWND dialog, int id) {
    expect(dialog != nullptr, "click " + std::to_string(id) + " without a dialog", true);
    ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(dialog, id)));
}

void Driver::pressKey(HWND target, WPARAM key) {
    expect(target != nullptr, "key press without a target", true);
    ::PostMessageA(target, WM_KEYDOWN, key, 1);
    ::PostMessageA(target, WM_KEYUP, key, 0xC0000001);
}

void Driver::setFocus(HWND control) {
    expect(control != nullptr, "focus without a control", true);
    ::PostMessageA(::GetParent(control), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(control), TRUE);
}

bool Driver::waitForFocus(HWND control, int milliseconds) {
    return waitUntil([&] { return focus() == control; }, milliseconds, "focus");
}

void Driver::closeBox(HWND window) {
    expect(window != nullptr, "close without a window", true);
    ::PostMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
}

void Driver::setText(HWND control, const std::string& text) {
    expect(sendTimed(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str())), "set text", true);
}

void Driver::typeText(HWND edit, const std::string& text) {
    const bool typed = sendTimed(edit, EM_SETSEL, 0, -1) &&
                       sendTimed(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
    expect(typed, "type text", true);
}

void Driver::selectListItem(HWND list, int index) {
    sendTimed(list, LB_SETCURSEL, index);
    // Sent, as a list box sends it: handled before this returns, so a check
    // right after sees its effect (a posted one could come after a settle).
    sendTimed(::GetParent(list), WM_COMMAND, MAKEWPARAM(::GetDlgCtrlID(list), LBN_SELCHANGE),
              reinterpret_cast<LPARAM>(list));
}

void Driver::setCheck(HWND button, bool on) {
    sendTimed(button, BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED);
}

std::string Driver::text(HWND window) const {
    char buffer[1024] = {};
    if (window == nullptr) return "<no window>";
    sendTimed(window, WM_GETTEXT, sizeof(buffer), reinterpret_cast<LPARAM>(buffer));
    return buffer;
}

bool Driver::isChecked(HWND button) const {
    return answer(button, BM_GETCHECK) == BST_CHECKED;
}

int Driver::listCount(HWND list) const {
    return static_cast<int>(answer(list, LB_GETCOUNT));
}

int Driver::listSelection(HWND list) const {
    return static_cast<int>(static_cast<LRESULT>(answer(list, LB_GETCURSEL)));
}

std::vector<std::string> Driver::listTexts(HWND list) const {
    std::vector<std::string> texts;
    for (int i = 0; i < listCount(list); ++i) {
        char buffer[1024] = {};
        sendTimed(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(buffer));
        texts.push_back(buffer);
    }
    return texts;
}

Look Driver::look(HWND control) {
    Look look;
    const DWORD_PTR font = answer(control, WM_GETFONT);
    LOGFONTA description{};
    if (font != 0 &&
        ::GetObjectA(reinterpret_cast<HGDIOBJ>(font), sizeof(description), &description) == sizeof(description)) {
        HDC screen = ::GetDC(nullptr);
        const int dpi = ::GetDeviceCaps(screen, LOGPIXELSY);
        ::ReleaseDC(nullptr, screen);
        const LONG height = description.lfHeight < 0 ? -description.lfHeight : description.lfHeight;
        look.points = ::MulDiv(height, 72, dpi);
        look.bold = description.lfWeight >= FW_BOLD;
        look.italic = description.lfItalic != 0;
    }
    const kvtest::Pixels pixels = kvtest::renderClient(control);
    std::map<COLORREF, int> counts;
    for (int y = 0; y < pixels.height; ++y)
        for (int x = 0; x < pixels.width; ++x) ++counts[pixels.at(x, y)];
    if (counts.size() < 2) return look;
    COLORREF background = counts.begin()->first;
    for (const auto& c : counts)
        if (c.second > counts[background]) background = c.first;
    auto distance = [background](COLORREF c) {
        return std::abs(GetRValue(c) - GetRValue(background)) + std::abs(GetGValue(c) - GetGValue(background)) +
               std::abs(GetBValue(c) - GetBValue(background));
    };
    int farthest = 0;
    for (const auto& c : counts) farthest = std::max(farthest, distance(c.first));
    // Smoothed text edges blend into the background; the full colour lies farthest from it.
    int best = 0;
    for (const auto& c : counts)
        if (distance(c.first) * 4 >= farthest * 3 && c.second > best) best = c.second, look.ink = c.first;
    return look;
}

namespace {
Driver* watchingDriver = nullptr;  // the one driver whose hook records texts
}  // namespace

LRESULT CALLBACK Driver::textHook(int code, WPARAM wParam, LPARAM lParam) {
    const auto* call = reinterpret_cast<const CWPSTRUCT*>(lParam);
    Driver* driver = watchingDriver;
    if (code == HC_ACTION && driver != nullptr && call->message == WM_SETTEXT && call->lParam != 0) {
        TextSet set;
        const bool child = (::GetWindowLongA(call->hwnd, GWL_STYLE) & WS_CHILD) != 0;
        set.id = child ? ::GetDlgCtrlID(call->hwnd) : 0;
        HWND root = ::GetAncestor(call->hwnd, GA_ROOT);
        set.progress = hasItem(root, 1024);
        set.text = reinterpret_cast<const char*>(call->lParam);
        HWND status = child ? nullptr : ::GetDlgItem(call->hwnd, 1000);
        if (status != nullptr && ::IsWindowVisible(status)) {
            set.hasStatusLook = true;
            set.statusLook = look(status);
        }
        std::lock_guard<std::mutex> lock(driver->mutex_);
        driver->textsSet_.push_back(std::move(set));
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

void Driver::watchTexts() {
    if (textHook_ != nullptr) return;
    watchingDriver = this;
    textHook_ = ::SetWindowsHookExA(WH_CALLWNDPROC, &Driver::textHook, nullptr, uiThread_);
    expect(textHook_ != nullptr, "text hook installed", true);
}

void Driver::stopWatchingTexts() {
    // The hook also goes when the script's thread ends, which installed it.
    if (textHook_ != nullptr) ::UnhookWindowsHookEx(textHook_);
    textHook_ = nullptr;
    if (watchingDriver == this) watchingDriver = nullptr;
}

std::vector<TextSet> Driver::textsSet() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return textsSet_;
}

namespace {

// Ends a run whose script gave up: leaves the exit question, presses Finish,
// or closes the backdrop, until the run returns. A run that cannot be ended
// ends the process, so a broken wizard fails a test instead of hanging it.
void closeDown(Driver& driver, const std::atomic<bool>& ended) {
    for (int round = 0; round < 300 && !ended; ++round) {
        if (HWND box = driver.confirmBox()) {
            ::PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
        } else if (driver.progressDialog() != nullptr) {
            // The installation cannot be interrupted; it ends by itself.
        } else if (Driver::pageIndexOf(driver.visiblePage()) == kFinish) {
            ::PostMessageA(driver.frame(), WM_COMMAND, MAKEWPARAM(1010, BN_CLICKED), 0);
        } else if (HWND main = driver.mainWindow()) {
            ::PostMessageA(main, WM_SYSCOMMAND, SC_CLOSE, 0);
        }
        sleepMs(200);
    }
    if (!ended) {
        std::fprintf(stderr, "setup run could not be ended; stopping the test program\n");
        std::fflush(stderr);
        ::TerminateProcess(::GetCurrentProcess(), 3);
    }
}

}  // namespace

RunOutcome runScripted(const Entry& entry, const std::string& sourceFolder, const Script& script,
                       int endMilliseconds) {
    RunOutcome outcome;
    std::atomic<bool> ended{false};
    Driver driver(::GetCurrentThreadId());
    std::thread scriptThread([&] {
        bool finished = false;
        try {
            script(driver);
            finished = true;
        } catch (const ScriptAbort&) {
        } catch (...) {
            driver.fail("script threw");
        }
        outcome.scriptFinished = finished;
        if (finished) {
            if (driver.waitUntil([&] { return ended.load(); }, endMilliseconds, "the run to end"))
                return;
        }
        closeDown(driver, ended);
    });
    outcome.resultCode = entry(sourceFolder.c_str());
    ended = true;
    scriptThread.join();
    driver.stopWatchingTexts();
    outcome.failures = driver.failures();
    return outcome;
}

Entry libraryEntry(const std::string& libraryPath) {
    return [libraryPath](const char* folder) {
        kv::UniqueModule library(::LoadLibraryA(libraryPath.c_str()));
        if (!library) return -100;
        using DoInstallFn = int(WINAPI*)(const char*);
        auto doInstall = kv::procAddress<DoInstallFn>(library.get(), "DOINSTALL");
        if (doInstall == nullptr) return -101;
        return doInstall(folder);
    };
}

std::string languageText(const std::string& sourceFolder, const char* code, const char* section,
                         const char* key) {
    const std::string file = sourceFolder + "\\kv-00001\\kvsetlan." + code;
    char buffer[1024] = {};
    ::GetPrivateProfileStringA(section, key, "", buffer, sizeof(buffer), file.c_str());
    return buffer;
}

}  // namespace kvdrive
