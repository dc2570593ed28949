// Switching the language while the wizard runs, and the backdrop it paints.
#include "core/install_state.h"
#include "core/setup_main_window.h"
#include "wizard_test_support.h"

#include <gtest/gtest.h>

using namespace kvdrive;

namespace {

constexpr int kGerman = 2;
constexpr int kJapanese = 6;

const kv::SetupMainWindow::PaintRecord& lastPaint() { return kv::installState.mainWindow->lastPaint(); }

// Repaints the backdrop and waits until a paint drew the title at `height`.
bool titlePaintedAt(Driver& d, int height) {
    ::InvalidateRect(d.mainWindow(), nullptr, FALSE);
    return d.waitUntil([&] { return lastPaint().titleHeight == height; }, 5000,
                       "title at height " + std::to_string(height));
}

}  // namespace

TEST(WizardLanguage, ChoosingALanguageRelabelsEveryWindowAndLaterPages) {
    auto deu = [](const char* section, const char* key) { return kvtest::packageText("deu", section, key); };
    const RunOutcome outcome = kvtest::runInProcess([&](Driver& d) {
        HWND page = d.waitForPage(kLanguage);
        HWND frame = d.frame();
        HWND list = d.item(page, 1014);
        d.expectEqual(d.listSelection(list), kv::installState.languageIndex, "detected language selected");
        const std::string firstName = d.listText(list, 0);

        d.selectListItem(list, kGerman);
        d.expect(d.waitUntil([&] { return d.text(frame) == deu("MSG", "13"); }, 5000, "German frame caption"),
                 "frame caption in German");
        d.settle();
        d.expectEqual(std::string(kv::installState.languageCode), "deu", "language code");
        d.expect(d.text(d.mainWindow()) == deu("MSG", "10"), "backdrop caption in German");
        d.expect(d.text(d.item(page, 1000)) == deu("MSG", "13"), "heading in German");
        d.expect(d.text(d.item(frame, 1001)) == deu("MSG", "1"), "Back in German");
        d.expect(d.text(d.item(frame, 1002)) == deu("MSG", "2"), "Next in German");
        d.expect(d.text(d.item(frame, 1010)) == deu("MSG", "4"), "Cancel in German");
        d.expect(d.listCount(list) == 10 && d.listSelection(list) == kGerman &&
                     d.listText(list, 0) == firstName,
                 "same ten names, German selected");

        d.next();
        page = d.waitForPage(kWelcome);
        d.expect(d.text(d.item(page, 1000)) == deu("DLG", "P1T"), "welcome page in German");
        d.back();
        page = d.waitForPage(kLanguage);
        d.expect(d.listSelection(d.item(page, 1014)) == kGerman, "choice kept on return");
        d.expect(d.text(d.item(frame, 1002)) == deu("MSG", "2"), "buttons re-applied in German");

        // Japanese paints the title in its own face, larger; others in Times New Roman.
        d.expect(titlePaintedAt(d, 26) && lastPaint().titleFace == "Times New Roman", "Times New Roman title");
        d.expect(lastPaint().gradientFills > 0 && lastPaint().gradientFills <= 256,
                 "a paint fills at most 256 runs");
        d.selectListItem(d.item(page, 1014), kJapanese);
        d.expect(titlePaintedAt(d, 30), "Japanese title height");
        d.expectEqual(lastPaint().titleFace, "\xB2\xD3\xA9\xFA\xC5\xE9", "Japanese title face");
        d.selectListItem(d.item(page, 1014), kGerman);
        d.expect(titlePaintedAt(d, 26) && lastPaint().titleFace == "Times New Roman", "back to Times New Roman");

        // The exit question asks in the chosen language.
        d.next();
        d.waitForPage(kWelcome);
        d.cancel();
        HWND box = d.waitForConfirmBox();
        d.expect(d.text(box) == deu("MSG", "20"), "question caption in German");
        d.expect(d.text(d.item(box, 1000)) == deu("MSG", "23"), "question text in German");
        d.click(box, IDCANCEL);
    });
    kvtest::expectNoScriptFailures(outcome);
    EXPECT_EQ(2, outcome.resultCode);
}
