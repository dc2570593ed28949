// The translators' gallery for one language: runs the setup in this process
// (under the system code page of that language), walks every screen a user
// can see with the tests' scripted driver, saves a picture of each, and
// measures every language-file text against its control. Then it removes
// that installation with its own kvrem00.exe, driven from outside, and does
// the same for the uninstaller's screens and texts.
//   kvgallery.exe <package folder> <output folder> <language code>
// Writes <screen>.bmp and fit.tsv (one line per measured text: screen,
// control id, key, 1 or 0 for fits, needed w h, available w h, the text).
#include "base/win.h"
#include "control_fit.h"
#include "install/install_state.h"
#include "common/language_strings.h"
#include "setup/setup_run.h"
#include "screen_texts.h"
#include "scripted/setup_driver.h"
#include "scripted/screenshot.h"
#include "scripted/uninstall_driver.h"

#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>

using namespace kvdrive;
using kvgallery::Screen;

namespace {

class Gallery {
public:
    Gallery(std::string folder) : folder_(std::move(folder)), fit_(folder_ + "\\fit.tsv", std::ios::binary) {}

    // A picture of the whole screen, then every text of `screen` in `windows`.
    void shoot(Driver& d, Screen screen, std::initializer_list<HWND> windows) {
        d.settle();
        ::Sleep(300);  // let the backdrop and the page finish painting
        const std::string path = folder_ + "\\" + kvgallery::screenName(screen) + ".bmp";
        d.expect(kvtest::saveBmp(kvtest::captureWindow(d.mainWindow()), path), "could not save " + path);
        for (HWND window : windows) measureChildren(d, screen, window, window == d.frame());
    }

    // The status texts of the progress dialog, each as its label would show it.
    void measureProgressTexts(HWND dialog) {
        HWND label = ::GetDlgItem(dialog, 1000);
        const struct {
            const char* key;
            const kv::OwnedText& text;
        } texts[] = {{"[MSG] 302", kv::languageStrings.progressRegistryText},
                     {"[MSG] 304", kv::languageStrings.progressShortcutText},
                     {"[MSG] 306", kv::languageStrings.progressUninstallText}};
        for (const auto& t : texts) record(kvgallery::kProgress, label, t.key, kv::textOrEmpty(t.text));
    }

    bool ok() const { return static_cast<bool>(fit_); }

    // A picture of one of the uninstaller's windows alone.
    bool shootWindow(Screen screen, HWND window) {
        return kvtest::saveBmp(kvtest::captureWindow(window),
                               folder_ + "\\" + kvgallery::screenName(screen) + ".bmp");
    }

    void recordFit(Screen screen, int id, const std::string& key, const kvgallery::Fit& fit, const std::string& text) {
        std::string shown = text;
        for (char& c : shown)
            if (c == '\t' || c == '\r' || c == '\n') c = ' ';
        fit_ << kvgallery::screenName(screen) << '\t' << id << '\t' << key << '\t' << (fit.fits ? 1 : 0) << '\t'
             << fit.needed.cx << '\t' << fit.needed.cy << '\t' << fit.available.cx << '\t' << fit.available.cy
             << '\t' << shown << '\n';
    }

private:
    void measureChildren(Driver& d, Screen screen, HWND window, bool isFrame) {
        for (HWND child = ::GetWindow(window, GW_CHILD); child != nullptr; child = ::GetWindow(child, GW_HWNDNEXT)) {
            const int id = ::GetDlgCtrlID(child);
            const char* key = isFrame ? kvgallery::frameTextKeyOf(screen, id) : kvgallery::textKeyOf(screen, id);
            if (key == nullptr || !::IsWindowVisible(child)) continue;
            record(screen, child, key, d.text(child));
        }
    }

    void record(Screen screen, HWND control, const char* key, const std::string& text) {
        recordFit(screen, ::GetDlgCtrlID(control), key, kvgallery::measureText(control, text), text);
    }

    std::string folder_;
    std::ofstream fit_;
};

// The font the uninstaller gives its status line (a stock font: the same
// handle in every process). Its own answer to WM_GETFONT does not come
// across processes under Wine, so it is named here.
constexpr int kStatusLineFont = DEFAULT_GUI_FONT;

constexpr int kMessageTextId = 0xFFFF;  // a message box's text
constexpr int kCaptionId = -1;          // a window's title bar, in fit.tsv

std::string remKey(int key) { return "kvrem [MSG] " + std::to_string(key); }

// The uninstaller's screens: its question (yes), its progress window, and
// its last message (no to a restart). Returns false when a screen was missed.
bool uninstallScreens(Gallery& gallery, const std::string& destination, const std::string& code) {
    std::string texts[11];
    for (int key = 1; key <= 10; ++key) texts[key] = uninstallerText(destination, key);
    bool ok = true;
    auto note = [&](const std::string& what) {
        std::printf("gallery %s: %s\n", code.c_str(), what.c_str());
        ok = false;
    };
    // Which texts a message box shows: the one it begins with, and the
    // restart question after "removed, restart".
    auto keysOf = [&](const std::string& message) {
        for (int key : {5, 6, 7, 9, 10})
            if (!texts[key].empty() && message.compare(0, texts[key].size(), texts[key]) == 0)
                return key == 5 ? remKey(5) + ", 8" : remKey(key);
        return std::string("kvrem [MSG] ?");
    };
    // A message box sizes itself and its text control to the text (with a
    // font of its own, which cannot be read from here): what can go wrong is
    // a box larger than the screen, or a caption wider than the box.
    auto measureBox = [&](Screen screen, HWND box, const std::string& key) {
        HWND text = ::GetDlgItem(box, kMessageTextId);
        char shown[4096] = {};
        ::GetWindowTextA(text, shown, sizeof(shown));
        RECT boxRect{}, screenRect{};
        ::GetWindowRect(box, &boxRect);
        ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &screenRect, 0);
        kvgallery::Fit fit;
        fit.needed = {boxRect.right - boxRect.left, boxRect.bottom - boxRect.top};
        fit.available = {screenRect.right - screenRect.left, screenRect.bottom - screenRect.top};
        fit.fits = boxRect.left >= screenRect.left && boxRect.top >= screenRect.top &&
                   boxRect.right <= screenRect.right && boxRect.bottom <= screenRect.bottom;
        gallery.recordFit(screen, kMessageTextId, key, fit, shown);
        gallery.recordFit(screen, kCaptionId, remKey(1), kvgallery::measureCaption(box, texts[1]), texts[1]);
    };

    const std::string command = "\"" + destination + "\\kvrem00.exe\"";
    const UninstallRun run = runUninstaller(command, texts[1], [&](UninstallScreen screen, HWND window) {
        if (screen == UninstallScreen::Progress) {
            if (!gallery.shootWindow(kvgallery::kUninstallProgress, window)) note("could not save the progress window");
            gallery.recordFit(kvgallery::kUninstallProgress, kCaptionId, remKey(1),
                              kvgallery::measureCaption(window, texts[1]), texts[1]);
            HWND status = ::FindWindowExA(window, nullptr, "Static", nullptr);
            if (status == nullptr) {
                note("the progress window has no status line");
                return 0;
            }
            const HFONT font = static_cast<HFONT>(::GetStockObject(kStatusLineFont));
            // Both removal texts, each as the status line would show it.
            for (int key : {3, 4})
                gallery.recordFit(kvgallery::kUninstallProgress, ::GetDlgCtrlID(status), remKey(key),
                                  kvgallery::measureForeignText(status, texts[key], font), texts[key]);
            return 0;
        }
        ::Sleep(300);  // let the box finish painting
        const Screen shown = screen == UninstallScreen::Question ? kvgallery::kUninstallQuestion
                                                                 : kvgallery::kUninstallMessage;
        if (!gallery.shootWindow(shown, window)) note("could not save a message box");
        char text[4096] = {};
        ::GetDlgItemTextA(window, kMessageTextId, text, sizeof(text));
        measureBox(shown, window, screen == UninstallScreen::Question ? remKey(2) : keysOf(text));
        if (screen == UninstallScreen::Question) return IDYES;
        return ::GetDlgItem(window, IDNO) != nullptr ? IDNO : IDOK;  // never restarts
    });
    for (const std::string& failure : run.failures) note("uninstall: " + failure);
    if (!run.sawProgress) note("the uninstaller's progress window went by before it could be pictured");
    if (run.exitCode != 0 && run.exitCode != 3010)
        note("the uninstaller ended with " + std::to_string(run.exitCode));
    return ok;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: kvgallery <package folder> <output folder> <language code>\n");
        return 2;
    }
    const std::string package = argv[1];
    const std::string code = argv[3];
    ::CreateDirectoryA(argv[2], nullptr);
    Gallery gallery(argv[2]);
    if (!gallery.ok()) {
        std::fprintf(stderr, "cannot write into %s\n", argv[2]);
        return 2;
    }

    std::string shownCode, destination;
    const Script walk = [&](Driver& d) {
        // After earlier runs in the same prefix (shortcuts made, the shell busy
        // with them) Wine can take well over ten seconds to show the first page.
        HWND page = d.waitForPage(kLanguage, 60000);
        shownCode = kv::installState.languageCode ? kv::installState.languageCode : "";
        d.expect(shownCode == code, "the system language chose \"" + shownCode + "\", not \"" + code + "\"", true);
        gallery.shoot(d, kvgallery::kLanguagePage, {page, d.frame()});
        d.next();
        page = d.waitForPage(kWelcome);
        gallery.shoot(d, kvgallery::kWelcomePage, {page, d.frame()});

        d.cancel();  // the exit confirmation, then back to the wizard
        HWND box = d.waitForConfirmBox();
        gallery.shoot(d, kvgallery::kExitConfirm, {box});
        d.click(box, IDOK);
        d.waitUntil([&] { return d.confirmBox() == nullptr; }, 10000, "the exit confirmation to close");

        for (int index = kSetupType; index <= kInformation; ++index) {
            d.next();
            page = d.waitForPage(index);
            gallery.shoot(d, static_cast<Screen>(index), {page, d.frame()});
            if (index == kDestination) destination = d.text(d.item(page, 1018));
        }
        d.next();
        HWND progress = d.waitForProgressDialog();
        gallery.shoot(d, kvgallery::kProgress, {});
        gallery.measureProgressTexts(progress);

        page = d.waitForPage(kFinish, 120000);
        gallery.shoot(d, kvgallery::kFinishPage, {page, d.frame()});
        // The same page as an install that stopped (and was taken back) shows
        // it: the page reads the install's outcome each time it is shown.
        kv::installState.installStopped = true;
        ::ShowWindow(page, SW_HIDE);
        ::ShowWindow(page, SW_SHOW);
        gallery.shoot(d, kvgallery::kFinishStoppedPage, {page, d.frame()});
        kv::installState.installStopped = false;
        ::ShowWindow(page, SW_HIDE);
        ::ShowWindow(page, SW_SHOW);
        d.setCheck(d.item(page, 1016), false);  // restart later: nothing is restarted
        d.setCheck(d.item(page, 1020), true);
        d.cancel();
    };

    // As the launcher does: the engine takes the driver file from the current folder.
    ::SetCurrentDirectoryA(package.c_str());
    const RunOutcome outcome =
        runScripted([](const char* folder) { return kv::runSetup(folder); }, package, walk, 60000);
    for (const std::string& failure : outcome.failures) std::printf("gallery %s: %s\n", code.c_str(), failure.c_str());
    const bool installed = outcome.failures.empty() && outcome.scriptFinished;
    // Removing it also leaves the next language a clean system.
    const bool uninstalled = installed && uninstallScreens(gallery, destination, code);
    std::fflush(stdout);
    return installed && uninstalled ? 0 : 1;
}
