// Drives a real setup run from a second thread. The run itself (DOINSTALL
// or runSetup) executes on the calling thread; the script finds the windows
// by their controls and ownership and acts on them with posted messages, the
// way input would arrive. Every wait has a time limit: a script that times
// out records a failure and the driver closes the run down, so nothing hangs.
#pragma once
#include "base/heap_string.h"
#include "base/win.h"

#include <functional>
#include <mutex>
#include <sstream>
#include <string>
#include <vector>

namespace kvdrive {

// Page indices of the wizard, in the frame's order.
enum Page { kLanguage, kWelcome, kSetupType, kDestination, kProgramFolder, kInformation, kFinish };

// Thrown inside the script thread only, to stop a script after a failure.
struct ScriptAbort {};

// How a control's text looks to the user: the font the control reports
// (WM_GETFONT) and the colour its text is painted in, read back from the
// control's own painting (the commonest of the colours farthest from the
// background).
struct Look {
    int points = 0;
    bool bold = false;
    bool italic = false;
    COLORREF ink = CLR_INVALID;
};

// A text set on a window of the run (WM_SETTEXT), as it happened. When a
// top-level window's caption changes while it shows a control 1000 (the
// progress dialog's status label), that label's look at that moment.
struct TextSet {
    int id = 0;             // control id, 0 for a top-level window's caption
    bool progress = false;  // set on the progress dialog or one of its controls
    std::string text;
    bool hasStatusLook = false;
    Look statusLook;
};

class Driver {
public:
    explicit Driver(DWORD uiThread) : uiThread_(uiThread) {}

    // ---- failures -------------------------------------------------------
    void fail(const std::string& what);
    // Records a failure (and aborts the script when `fatal`) unless `ok`.
    bool expect(bool ok, const std::string& what, bool fatal = false);
    template <typename Value>
    static const Value& printable(const Value& value) { return value; }
    static const char* printable(const kv::String& text) { return text.c_str(); }
    // Like expect, and says what it got: "<what>: got <got>, wanted <want>".
    template <typename Got, typename Want>
    bool expectEqual(const Got& got, const Want& want, const std::string& what, bool fatal = false) {
        if (got == want) return true;
        std::ostringstream said;
        said << what << ": got " << printable(got) << ", wanted " << printable(want);
        return expect(false, said.str(), fatal);
    }
    std::vector<std::string> failures() const;

    // ---- finding windows ------------------------------------------------
    HWND mainWindow() const;   // unowned top-level dialog of the run
    HWND frame() const;        // top-level dialog with Next (1002) and the side picture (300)
    HWND confirmBox() const;   // modal box with two buttons and three texts
    HWND progressDialog() const;  // has the animation (1024)
    HWND visiblePage() const;  // the frame's visible child dialog
    HWND pageWindow(int index) const;  // the frame's child dialog of that page, shown or not
    static int pageIndexOf(HWND page);
    HWND item(HWND dialog, int id) const { return ::GetDlgItem(dialog, id); }
    HWND focus() const;

    // ---- waiting (each returns false and records a failure on time-out) --
    bool waitUntil(const std::function<bool()>& condition, int milliseconds, const std::string& what);
    // Waits for the frame showing `index` and for the run to be idle again.
    HWND waitForPage(int index, int milliseconds = 10000);
    // Presses Next from the page on screen, page by page, up to `index`
    // (which must not lie past the information page).
    HWND walkTo(int index);
    HWND waitForConfirmBox(int milliseconds = 10000);
    HWND waitForProgressDialog(int milliseconds = 10000);
    // True once the UI thread has handled everything sent before.
    bool settle(HWND window = nullptr);

    // ---- acting ---------------------------------------------------------
    void click(HWND dialog, int id);          // BN_CLICKED as a button sends it
    void next() { click(frame(), 1002); }
    void back() { click(frame(), 1001); }
    void cancel() { click(frame(), 1010); }
    void pressKey(HWND target, WPARAM key);   // posted WM_KEYDOWN
    void setFocus(HWND control);              // WM_NEXTDLGCTL to its dialog
    bool waitForFocus(HWND control, int milliseconds = 5000);
    void closeBox(HWND window);               // WM_SYSCOMMAND SC_CLOSE
    void setText(HWND control, const std::string& text);  // WM_SETTEXT, as a program sets it
    void typeText(HWND edit, const std::string& text);     // replaces the whole text as typing does
    void selectListItem(HWND list, int index);
    void setCheck(HWND button, bool on);

    // ---- reading --------------------------------------------------------
    std::string text(HWND window) const;
    bool isChecked(HWND button) const;
    int listCount(HWND list) const;
    int listSelection(HWND list) const;
    std::vector<std::string> listTexts(HWND list) const;
    static Look look(HWND control);
    // Records every text set on the run's windows from now until the script ends.
    void watchTexts();
    std::vector<TextSet> textsSet() const;

    void stopWatchingTexts();

private:
    static LRESULT CALLBACK textHook(int code, WPARAM wParam, LPARAM lParam);

    DWORD uiThread_;
    mutable std::mutex mutex_;
    std::vector<std::string> failures_;
    HHOOK textHook_ = nullptr;
    std::vector<TextSet> textsSet_;
};

struct RunOutcome {
    int resultCode = -1;
    std::vector<std::string> failures;
    bool scriptFinished = false;
};

using Entry = std::function<int(const char* sourceFolder)>;
using Script = std::function<void(Driver&)>;

// Calls `entry` on this thread while `script` drives it from another. When
// the script ends (or fails) the run must end within `endMilliseconds`;
// otherwise the driver closes it (confirming any exit question).
RunOutcome runScripted(const Entry& entry, const std::string& sourceFolder, const Script& script,
                       int endMilliseconds = 30000);

// DOINSTALL of a library file, loaded for the call and freed afterwards.
Entry libraryEntry(const std::string& libraryPath);

// A text of a language file as the setup reads it ("" when absent).
std::string languageText(const std::string& sourceFolder, const char* code, const char* section,
                         const char* key);

}  // namespace kvdrive
