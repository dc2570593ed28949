// Texts that reach the wizard's pages from outside: folders typed into the
// two folder edits, and the package's language file.
#include "core/install_state.h"
#include "core/setup_config.h"
#include "core/setup_run.h"
#include "scripted/setup_driver.h"
#include "support/test_support.h"
#include "wizard_test_support.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace kvdrive;

namespace {

constexpr std::size_t kFolderLimit = 259;

// A folder path of `length` characters: a drive, then name characters that
// change along the way, so a cut at the wrong place shows.
std::string longFolder(std::size_t length) {
    std::string folder = "C:\\";
    for (std::size_t i = folder.size(); i < length; ++i) folder += static_cast<char>('a' + i % 26);
    return folder;
}

// Replaces the whole text of an edit as typing or pasting does.
void replaceAllTyped(Driver& d, HWND edit, const std::string& text) {
    DWORD_PTR ignored = 0;
    d.expect(::SendMessageTimeoutA(edit, EM_SETSEL, 0, -1, SMTO_NORMAL, 5000, &ignored) != 0 &&
                 ::SendMessageTimeoutA(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()),
                                       SMTO_NORMAL, 5000, &ignored) != 0,
             "replace the edit's text", true);
}

// Next with a page's folder refused leaves the wizard on that page.
void expectRefused(Driver& d, int index, const std::string& what) {
    d.next();
    d.settle();
    d.expect(Driver::pageIndexOf(d.visiblePage()) == index, what + " keeps the wizard on its page");
}

}  // namespace

// A folder set straight into an edit by a program is not held to its limit:
// Next refuses it whole rather than cutting it into some other folder.
// Typed text stops at the limit in the edit itself.
TEST(WizardFolderEdits, RefuseOverlongSetTextAndStopTypingAt259) {
    const std::string tooLong = longFolder(300);
    const std::string kept = tooLong.substr(0, kFolderLimit);

    const RunOutcome outcome = kvtest::runInProcess([&](Driver& d) {
        d.waitForPage(kLanguage);
        const int languageIndex = kv::installState.languageIndex;
        HWND page = d.walkTo(kDestination);
        HWND edit = d.item(page, 1018);
        const std::string defaultFolder = kv::installState.destinationDir;
        d.setText(edit, tooLong);
        d.expect(d.text(edit).size() == 300, "the edit holds the whole set text");
        expectRefused(d, kDestination, "a 300-character destination");
        d.expectEqual(defaultFolder, kv::installState.destinationDir, "the destination is not cut");

        replaceAllTyped(d, edit, "D" + tooLong.substr(1));
        d.expectEqual(d.text(edit), "D" + kept.substr(1), "typing stops at 259 characters");
        d.next();
        page = d.waitForPage(kProgramFolder);
        d.expectEqual(std::string(kv::installState.destinationDir), "D" + kept.substr(1), "typed destination taken");

        // Program folder: a set text past the limit, then a typed one that
        // stops at it but is no name below "Programs", then one that is.
        const std::string configured = kv::setupConfig.programFolder.get();
        edit = d.item(page, 1018);
        d.setText(edit, tooLong);
        expectRefused(d, kProgramFolder, "a 300-character program folder");
        replaceAllTyped(d, edit, "P" + tooLong.substr(1));
        d.expectEqual(d.text(edit), "P" + kept.substr(1), "typing stops at 259 characters");
        expectRefused(d, kProgramFolder, "a program folder with a drive");
        d.expectEqual(configured, kv::setupConfig.programFolder.get(), "the program folder is not cut");
        replaceAllTyped(d, edit, "Typed Folder");
        d.next();
        d.waitForPage(kInformation);
        d.expectEqual(std::string(kv::setupConfig.programFolder.get()), "Typed Folder", "typed program folder taken");
        d.expectEqual(kv::installState.languageIndex, languageIndex, "language unchanged at the end");
        kvtest::leaveSetup(d);
    });
    kvtest::expectNoScriptFailures(outcome);
    EXPECT_EQ(2, outcome.resultCode);
}

// The destination and finish texts are the language file's, never formats:
// only the placeholder takes the display name, "%%" shows as one "%", and
// any other "%" sequence stays as written.
TEST(WizardLanguageFileTexts, PlaceholderFilledOnceAndOtherPercentSignsShownAsWritten) {
    const std::string package = kvtest::makeTempFolder("pct-package");
    ASSERT_TRUE(kvtest::copyTree(kvtest::stagedPackageDir(), package));
    const std::string languageFile = package + "\\kv-00001\\kvsetlan.enu";
    ASSERT_TRUE(::WritePrivateProfileStringA("DLG", "P31", "Put %P here %s %d %n %x 100%% done",
                                             languageFile.c_str()));
    ASSERT_TRUE(::WritePrivateProfileStringA("DLG", "PF1", "%P done %s %p %%s %c %S %", languageFile.c_str()));
    const std::string destination = kvtest::makeTempFolder("pct-dest");
    std::string displayName;

    const RunOutcome outcome = runScripted(
        [](const char* folder) { return kv::runSetup(folder); }, package, [&](Driver& d) {
            HWND page = d.waitForPage(kLanguage);
            d.selectListItem(d.item(page, 1014), 0);  // English
            d.settle();
            displayName = kv::setupConfig.displayName.get();
            d.expect(!displayName.empty() && displayName.find('%') == std::string::npos,
                     "the package names the product", true);
            page = d.walkTo(kDestination);
            d.expect(d.text(d.item(page, 1003)) == "Put " + displayName + " here %s %d %n %x 100% done",
                     "destination text: " + d.text(d.item(page, 1003)));
            page = kvtest::installToFinish(d, destination);
            d.expect(d.text(d.item(page, 1003)) == displayName + " done %s %p %s %c %S %",
                     "finish text: " + d.text(d.item(page, 1003)));
            kvtest::finish(d, page, false);
        });
    kvtest::expectNoScriptFailures(outcome);
    EXPECT_EQ(12, outcome.resultCode);
    kvtest::removeTree(package);
}
