// What every screen of a run shows, read off the real windows by the driver:
// each text against the language file or the setting it comes from, the look
// of every label from the font it reports and the colour it paints, and the
// program-folder page's list against a Programs folder made for the test.
// Run once in English and once in Japanese under its own code page.
#include "install/install_state.h"
#include "common/setup_config.h"
#include "setup/setup_main_window.h"
#include "common/registry_key.h"
#include "support/test_registry.h"
#include "support/test_support.h"
#include "wizard_test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

using namespace kvdrive;

namespace {

constexpr int kConfirm = 7;    // the exit confirmation
constexpr int kProgress = 8;   // the progress dialog
constexpr int kAnyPage = -1;   // every page before the installation

enum Where { kOnPage, kOnFrame, kOnBox, kOnBackdrop };  // kOnBox: the confirmation or progress dialog itself
enum Source { kLang, kLangNamed, kIni, kLiteral, kDefaultDestination };

// Control id (0: the caption) -> where its text comes from. Within a page the
// rows follow the reading order, top to bottom.
struct Shown {
    int screen, where, id, source;
    const char *section, *key, *prefix = "";  // kLiteral: the text is `section`
};

const Shown kScreens[] = {
    {kAnyPage, kOnFrame, 1001, kLang, "MSG", "1"}, {kAnyPage, kOnFrame, 1002, kLang, "MSG", "2"},
    {kAnyPage, kOnFrame, 1010, kLang, "MSG", "4"}, {kAnyPage, kOnBackdrop, 0, kLang, "MSG", "10"},
    {kLanguage, kOnFrame, 0, kLang, "MSG", "13"}, {kLanguage, kOnPage, 1000, kLang, "MSG", "13"},
    {kWelcome, kOnFrame, 0, kLang, "DLG", "P1T"}, {kWelcome, kOnPage, 1000, kLang, "DLG", "P1T"},
    {kWelcome, kOnPage, 1003, kLang, "DLG", "P11"}, {kWelcome, kOnPage, 1004, kIni, "Product", "Product", "         "},
    {kWelcome, kOnPage, 1005, kLang, "DLG", "P12"}, {kWelcome, kOnPage, 1006, kLang, "DLG", "P13"},
    {kWelcome, kOnPage, 1007, kLang, "DLG", "P14"}, {kWelcome, kOnPage, 1008, kLang, "DLG", "P15"},
    {kWelcome, kOnPage, 1009, kLang, "DLG", "P16"},
    {kConfirm, kOnBox, 0, kLang, "MSG", "20"}, {kConfirm, kOnBox, 1000, kLang, "MSG", "23"},
    {kConfirm, kOnBox, 1001, kLang, "MSG", "24"}, {kConfirm, kOnBox, 1002, kLang, "MSG", "25"},
    {kConfirm, kOnBox, IDOK, kLang, "MSG", "21"}, {kConfirm, kOnBox, IDCANCEL, kLang, "MSG", "22"},
    {kSetupType, kOnFrame, 0, kLang, "DLG", "P7T"}, {kSetupType, kOnPage, 1000, kLang, "DLG", "P7T"},
    {kSetupType, kOnPage, 1003, kLang, "DLG", "P71"}, {kSetupType, kOnPage, 1001, kLiteral, "", nullptr},
    {kSetupType, kOnPage, 1004, kLang, "DLG", "ROLLER3"}, {kSetupType, kOnPage, 1002, kLiteral, "", nullptr},
    {kSetupType, kOnPage, 1005, kLang, "DLG", "ROLLER5"},
    {kDestination, kOnFrame, 0, kLang, "DLG", "P3T"}, {kDestination, kOnPage, 1000, kLang, "DLG", "P3T"},
    {kDestination, kOnPage, 1003, kLangNamed, "DLG", "P31"}, {kDestination, kOnPage, 1005, kLang, "DLG", "P32"},
    {kDestination, kOnPage, 1018, kDefaultDestination, nullptr, nullptr},
    {kDestination, kOnPage, 1019, kLang, "MSG", "8"}, {kDestination, kOnPage, 1008, kLang, "DLG", "P33"},
    {kDestination, kOnPage, 1009, kLiteral, "2.00 MB.", nullptr},
    {kProgramFolder, kOnFrame, 0, kLang, "DLG", "P4T"}, {kProgramFolder, kOnPage, 1000, kLang, "DLG", "P4T"},
    {kProgramFolder, kOnPage, 1003, kLang, "DLG", "P41"}, {kProgramFolder, kOnPage, 1005, kLang, "DLG", "P42"},
    {kProgramFolder, kOnPage, 1018, kIni, "Target", "Folder"}, {kProgramFolder, kOnPage, 1006, kLang, "DLG", "P43"},
    {kInformation, kOnFrame, 0, kLang, "DLG", "P5T"}, {kInformation, kOnPage, 1000, kLang, "DLG", "P5T"},
    {kInformation, kOnPage, 1003, kLang, "DLG", "P51"},
    // Texts set on the progress dialog, in the order they are set.
    {kProgress, kOnBox, 0, kLang, "MSG", "301"}, {kProgress, kOnBox, 0, kLang, "MSG", "302"},
    {kProgress, kOnBox, 1000, kLang, "MSG", "302"}, {kProgress, kOnBox, 0, kLang, "MSG", "304"},
    {kProgress, kOnBox, 1000, kLang, "MSG", "304"}, {kProgress, kOnBox, 0, kLang, "MSG", "306"},
    {kProgress, kOnBox, 1000, kLang, "MSG", "306"},
    {kFinish, kOnFrame, 0, kLang, "DLG", "PFT"}, {kFinish, kOnFrame, 1010, kLang, "MSG", "7"},
    {kFinish, kOnPage, 1000, kLang, "DLG", "PFT"}, {kFinish, kOnPage, 1003, kLangNamed, "DLG", "PF1"},
    {kFinish, kOnPage, 1006, kLang, "DLG", "PF2"}, {kFinish, kOnPage, 1016, kLang, "DLG", "PF4"},
    {kFinish, kOnPage, 1020, kLang, "DLG", "PF5"},
};

constexpr COLORREF kBlue = 0x00FF0000, kRed = 0x000000FF, kSystemText = CLR_INVALID;

// Label id -> how it looks on its screen.
struct LabelLook {
    int screen, id, points;
    bool bold, italic;
    COLORREF colour;
};

const LabelLook kLooks[] = {
    {kLanguage, 1000, 16, true, true, kBlue},        {kWelcome, 1000, 15, true, true, kBlue},
    {kWelcome, 1003, 9, false, false, kSystemText},  {kWelcome, 1004, 9, true, false, kBlue},
    {kWelcome, 1005, 9, false, false, kSystemText},  {kWelcome, 1006, 9, false, false, kSystemText},
    {kWelcome, 1007, 9, false, false, kSystemText},  {kWelcome, 1008, 10, true, false, kRed},
    {kWelcome, 1009, 9, false, false, kSystemText},  {kSetupType, 1000, 15, true, true, kBlue},
    {kSetupType, 1003, 9, false, false, kSystemText}, {kSetupType, 1004, 9, true, false, kBlue},
    {kSetupType, 1005, 9, true, false, kBlue},        {kDestination, 1000, 15, true, true, kBlue},
    {kDestination, 1009, 9, true, false, kBlue},      {kProgramFolder, 1000, 15, true, true, kBlue},
    {kProgramFolder, 1003, 8, false, false, kSystemText},  // keeps the dialog's font
    {kInformation, 1000, 15, true, true, kBlue},      {kInformation, 1003, 9, false, false, kSystemText},
    {kProgress, 1000, 13, true, false, kBlue},        {kFinish, 1000, 15, true, true, kBlue},
    {kFinish, 1003, 9, false, false, kSystemText},
};

std::string language() {
    const std::string code = kvtest::argument("language");
    return code.empty() ? "enu" : code;
}

std::string setting(const char* section, const char* key) {
    char value[1024] = {};
    ::GetPrivateProfileStringA(section, key, "", value, sizeof(value),
                               (kvtest::stagedPackageDir() + "\\kvsetup.ini").c_str());
    return value;
}

std::string expectedText(const Shown& row, const std::string& code) {
    switch (row.source) {
    case kLang:
        return kvtest::packageText(code.c_str(), row.section, row.key);
    case kLangNamed: {
        std::string text = kvtest::packageText(code.c_str(), row.section, row.key);
        const std::size_t at = text.find("%P");
        if (at != std::string::npos) text.replace(at, 2, setting("Display Name", "Name"));
        return text;
    }
    case kIni:
        return row.prefix + setting(row.section, row.key);
    case kLiteral:
        return row.section;
    case kDefaultDestination: {
        kv::RegistryKey key;
        key.SetRoot(HKEY_LOCAL_MACHINE);
        key.Open("Software\\Microsoft\\Windows\\CurrentVersion", false);
        return std::string(key.ReadString("ProgramFilesDir", "").c_str()) + "\\" + setting("Target", "Dir");
    }
    }
    return {};
}

std::string describe(const Shown& row) {
    std::string what = "screen " + std::to_string(row.screen) + " control " + std::to_string(row.id);
    if (row.key != nullptr) what += std::string(" (") + row.section + ":" + row.key + ")";
    return what;
}

// The texts of a screen in a language against the table, and the page's reading order.
void expectScreenTexts(Driver& d, int screen, HWND page, HWND box = nullptr, const std::string& code = language()) {
    int lastTop = -1000;
    for (const Shown& row : kScreens) {
        if (row.screen != screen && !(row.screen == kAnyPage && screen <= kInformation)) continue;
        const HWND owners[] = {page, d.frame(), box, d.mainWindow()};
        HWND owner = owners[row.where];
        HWND window = row.id == 0 ? owner : d.item(owner, row.id);
        const std::string shown = d.text(window), wanted = expectedText(row, code);
        d.expect(!wanted.empty() || row.source == kLiteral, describe(row) + ": the package has this text");
        d.expect(shown == wanted, describe(row) + " shows \"" + shown + "\", expected \"" + wanted + "\"");
        if (row.where != kOnPage) continue;
        d.expect(::IsWindowVisible(window) != FALSE, describe(row) + " is visible");
        RECT area{};
        ::GetWindowRect(window, &area);
        d.expect(area.top + 4 >= lastTop, describe(row) + " is read before the text above it");
        lastTop = area.top;
    }
}

std::string describe(int points, bool bold, bool italic, COLORREF colour) {
    char text[64];
    std::snprintf(text, sizeof(text), "%d pt%s%s colour %06lX", points, bold ? " bold" : "",
                  italic ? " italic" : "", static_cast<unsigned long>(colour));
    return text;
}

void expectLook(Driver& d, const LabelLook& want, const Look& have) {
    const COLORREF colour = want.colour == kSystemText ? ::GetSysColor(COLOR_WINDOWTEXT) : want.colour;
    int apart = 0;  // smoothed edges aside, the ink is the colour asked for
    for (int shift : {0, 8, 16})
        apart = std::max(apart, std::abs(int(have.ink >> shift & 0xFF) - int(colour >> shift & 0xFF)));
    d.expect(have.points == want.points && have.bold == want.bold && have.italic == want.italic && apart <= 48,
             "screen " + std::to_string(want.screen) + " label " + std::to_string(want.id) + " looks " +
                 describe(have.points, have.bold, have.italic, have.ink) + ", expected " +
                 describe(want.points, want.bold, want.italic, colour));
}

void expectScreen(Driver& d, int screen, HWND page) {
    expectScreenTexts(d, screen, page);
    for (const LabelLook& want : kLooks)
        if (want.screen == screen) expectLook(d, want, Driver::look(d.item(page, want.id)));
}

// The texts set on the progress dialog, in order, and its label's look.
void expectProgress(Driver& d) {
    std::vector<const Shown*> wanted;
    for (const Shown& row : kScreens)
        if (row.screen == kProgress) wanted.push_back(&row);
    std::size_t next = 0;
    int looks = 0;
    for (const TextSet& set : d.textsSet()) {
        if (!set.progress) continue;
        if (set.hasStatusLook) {
            for (const LabelLook& want : kLooks)
                if (want.screen == kProgress) expectLook(d, want, set.statusLook), ++looks;
        }
        const bool expected = next < wanted.size() && set.id == wanted[next]->id &&
                              set.text == expectedText(*wanted[next], language());
        d.expect(expected, "progress dialog set \"" + set.text + "\" on control " + std::to_string(set.id) +
                               (next < wanted.size() ? ", expected " + describe(*wanted[next]) : ""));
        next += expected ? 1 : 0;
    }
    d.expect(next == wanted.size(), "progress dialog showed " + std::to_string(next) + " of its texts");
    d.expect(looks > 0, "the progress dialog's status label was seen");
}

}  // namespace

TEST(WizardScreens, EveryScreenShowsItsTextsInItsLook) {
    const std::string destination = kvtest::makeTempFolder("screens");
    const RunOutcome outcome = kvtest::runInProcess([&](Driver& d) {
        HWND page = d.waitForPage(kLanguage);
        d.expectEqual(language(), kv::installState.languageCode, "the system's language is detected", true);
        expectScreen(d, kLanguage, page);
        for (int screen = kWelcome; screen <= kInformation; ++screen) {
            d.next();
            page = d.waitForPage(screen);
            expectScreen(d, screen, page);
            if (screen == kWelcome) {
                d.cancel();
                HWND box = d.waitForConfirmBox();
                expectScreenTexts(d, kConfirm, nullptr, box);
                d.click(box, IDOK);
                d.waitForPage(kWelcome);
            }
            if (screen == kDestination) d.setText(d.item(page, 1018), destination);
        }
        d.watchTexts();
        d.next();
        page = d.waitForPage(kFinish, 60000);
        expectProgress(d);
        expectScreen(d, kFinish, page);
        kvtest::finish(d, page, false);
    });
    kvtest::expectNoScriptFailures(outcome);
    EXPECT_EQ(12, outcome.resultCode);
    kvtest::removeTree(destination);
}

namespace {

enum Kind { kFolder, kHiddenFolder, kFile };
struct ProgramsEntry { const char* path; Kind kind; };

// The Start menu's Programs folder for the test, and what the list shows of it.
const ProgramsEntry kProgramsContent[] = {
    {"Zeta Tools", kFolder},       {"alpha", kFolder},   {"Mid Folder", kHiddenFolder},
    {"readme.txt", kFile},         {"Beta.lnk", kFile},  {"Zeta Tools\\Nested", kFolder},
};
const std::vector<std::string> kListed = {"alpha", "Mid Folder", "Zeta Tools"};
const std::vector<std::string> kListedLater = {"alpha", "Beta New", "Mid Folder", "Zeta Tools"};


}  // namespace

TEST(ProgramFolderPage, ListsTheFoldersOfProgramsSortedAndRebuiltAndPickingFillsTheEdit) {
    const std::string programs = kvtest::makeTempFolder("programs");
    for (const ProgramsEntry& entry : kProgramsContent) {
        const std::string path = programs + "\\" + entry.path;
        ASSERT_TRUE(entry.kind == kFile ? kvtest::writeFile(path, "x") : ::CreateDirectoryA(path.c_str(), nullptr));
        if (entry.kind == kHiddenFolder) ::SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_HIDDEN);
    }
    const kvtest::SavedRegistryValue saved(HKEY_CURRENT_USER, kvtest::kShellFoldersKey, "Programs");
    ASSERT_TRUE(kvtest::writeRegistryValue(HKEY_CURRENT_USER, kvtest::kShellFoldersKey, "Programs",
                                           kvtest::stringValue(programs)));

    const RunOutcome outcome = kvtest::runInProcess([&](Driver& d) {
        d.waitForPage(kLanguage);
        HWND page = d.walkTo(kProgramFolder);
        HWND list = d.item(page, 1014);
        d.expect(d.listTexts(list) == kListed, "the folders of Programs, sorted, nothing else");
        // A folder made while the page is away shows on the next visit.
        d.back();
        d.waitForPage(kDestination);
        ::CreateDirectoryA((programs + "\\Beta New").c_str(), nullptr);
        d.next();
        page = d.waitForPage(kProgramFolder);
        d.expect(d.listTexts(list) == kListedLater, "the list is rebuilt when the page shows again");
        d.selectListItem(list, 2);
        d.settle();
        d.expect(d.text(d.item(page, 1018)) == "Mid Folder", "picking a folder fills the edit");
        d.next();
        d.waitForPage(kInformation);
        d.expectEqual(std::string(kv::setupConfig.programFolder.get()), "Mid Folder", "the picked folder is taken");
        kvtest::leaveSetup(d);
    });
    kvtest::expectNoScriptFailures(outcome);
    EXPECT_EQ(2, outcome.resultCode);
    kvtest::removeTree(programs);
}

namespace {

constexpr int kGerman = 2, kJapanese = 6;

const kv::SetupMainWindow::PaintRecord& lastPaint() {
    return static_cast<kv::SetupMainWindow*>(kv::installState.mainWindow)->lastPaint();
}

// Repaints the backdrop and waits until a paint drew the title in `face` at `height`.
bool titlePainted(Driver& d, const std::string& face, int height) {
    ::InvalidateRect(d.mainWindow(), nullptr, FALSE);
    return d.waitUntil([&] { return lastPaint().titleFace == face && lastPaint().titleHeight == height; }, 5000,
                       "title in " + face + " at height " + std::to_string(height));
}

}  // namespace

// Choosing a language relabels every window shown and the pages after it;
// the backdrop paints its title in the language's face.
TEST(WizardLanguage, ChoosingALanguageRelabelsEveryWindowAndLaterPages) {
    const RunOutcome outcome = kvtest::runInProcess([](Driver& d) {
        HWND page = d.waitForPage(kLanguage);
        HWND list = d.item(page, 1014);
        d.expectEqual(d.listSelection(list), kv::installState.languageIndex, "detected language selected");
        const std::vector<std::string> names = d.listTexts(list);
        d.selectListItem(list, kGerman);
        d.settle();
        d.expectEqual(std::string(kv::installState.languageCode), "deu", "language code");
        expectScreenTexts(d, kLanguage, page, nullptr, "deu");
        d.expect(d.listTexts(list) == names && d.listSelection(list) == kGerman, "same ten names, German selected");
        d.next();
        expectScreenTexts(d, kWelcome, d.waitForPage(kWelcome), nullptr, "deu");
        d.back();
        page = d.waitForPage(kLanguage);
        d.expectEqual(d.listSelection(d.item(page, 1014)), kGerman, "choice kept on return");
        expectScreenTexts(d, kLanguage, page, nullptr, "deu");

        // Japanese paints the title in its own face, larger; others in Times New Roman.
        d.expect(titlePainted(d, "Times New Roman", 26), "Times New Roman title");
        d.expect(lastPaint().gradientFills > 0 && lastPaint().gradientFills <= 256, "a paint fills at most 256 runs");
        d.selectListItem(d.item(page, 1014), kJapanese);
        d.expect(titlePainted(d, "\xB2\xD3\xA9\xFA\xC5\xE9", 30), "Japanese title");
        d.selectListItem(d.item(page, 1014), kGerman);
        d.expect(titlePainted(d, "Times New Roman", 26), "back to Times New Roman");

        d.next();
        d.waitForPage(kWelcome);
        d.cancel();
        HWND box = d.waitForConfirmBox();
        expectScreenTexts(d, kConfirm, nullptr, box, "deu");
        d.click(box, IDCANCEL);
    });
    kvtest::expectNoScriptFailures(outcome);
    EXPECT_EQ(2, outcome.resultCode);
}
