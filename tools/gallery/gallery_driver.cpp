// The translators' gallery for one language: runs the setup in this process
// (under the system code page of that language), walks every screen a user
// can see with the tests' scripted driver, saves a picture of each, and
// measures every language-file text against its control.
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
        const kvgallery::Fit fit = kvgallery::measureText(control, text);
        std::string shown = text;
        for (char& c : shown)
            if (c == '\t' || c == '\r' || c == '\n') c = ' ';
        fit_ << kvgallery::screenName(screen) << '\t' << ::GetDlgCtrlID(control) << '\t' << key << '\t'
             << (fit.fits ? 1 : 0) << '\t' << fit.needed.cx << '\t' << fit.needed.cy << '\t' << fit.available.cx
             << '\t' << fit.available.cy << '\t' << shown << '\n';
    }

    std::string folder_;
    std::ofstream fit_;
};

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

    std::string shownCode;
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
        }
        d.next();
        HWND progress = d.waitForProgressDialog();
        gallery.shoot(d, kvgallery::kProgress, {});
        gallery.measureProgressTexts(progress);

        page = d.waitForPage(kFinish, 120000);
        gallery.shoot(d, kvgallery::kFinishPage, {page, d.frame()});
        d.setCheck(d.item(page, 1016), false);  // restart later: nothing is restarted
        d.setCheck(d.item(page, 1020), true);
        d.cancel();
    };

    // As the launcher does: the engine takes the driver file from the current folder.
    ::SetCurrentDirectoryA(package.c_str());
    const RunOutcome outcome =
        runScripted([](const char* folder) { return kv::runSetup(folder); }, package, walk, 60000);
    for (const std::string& failure : outcome.failures) std::printf("gallery %s: %s\n", code.c_str(), failure.c_str());
    std::fflush(stdout);
    return outcome.failures.empty() && outcome.scriptFinished ? 0 : 1;
}
