// Shortcut creation from a temporary kvsetup.ini into the Start-menu
// Programs folder of the Wine prefix; every saved link is loaded back
// through the shell-link object.
#include "base/com_initialization.h"
#include "install/install_state.h"
#include "common/language_strings.h"
#include "common/setup_config.h"
#include "install/install_steps.h"
#include "engine_test_support.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <shlobj.h>

#include <cstdlib>

using kv::installState;
using kv::LogRecord;

namespace {

struct LoadedLink {
    std::string target, workingFolder, iconPath, description, arguments;
    int iconIndex = -1;
};

// The show command as saved in the link file's header. (Loading maps every
// value other than 1, 3 and 7 to 1, as the link format says.)
int savedShowCommand(const std::string& path) {
    std::vector<std::uint8_t> bytes;
    if (!kvtest::readFileBytes(path, bytes) || bytes.size() < 0x40) return -1;
    return bytes[0x3C] | bytes[0x3D] << 8 | bytes[0x3E] << 16 | bytes[0x3F] << 24;
}

bool loadLink(const std::string& path, LoadedLink& link) {
    IShellLinkA* shellLink = nullptr;
    if (FAILED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                  reinterpret_cast<void**>(&shellLink))))
        return false;
    kv::ComPtr<IShellLinkA> owner(shellLink);
    IPersistFile* persist = nullptr;
    if (FAILED(shellLink->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&persist))))
        return false;
    kv::ComPtr<IPersistFile> persistOwner(persist);
    WCHAR wide[MAX_PATH];
    ::MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide, MAX_PATH);
    if (FAILED(persist->Load(wide, STGM_READ))) return false;
    char text[MAX_PATH];
    text[0] = '\0';
    shellLink->GetPath(text, MAX_PATH, nullptr, SLGP_RAWPATH);
    link.target = text;
    text[0] = '\0';
    shellLink->GetWorkingDirectory(text, MAX_PATH);
    link.workingFolder = text;
    text[0] = '\0';
    shellLink->GetIconLocation(text, MAX_PATH, &link.iconIndex);
    link.iconPath = text;
    text[0] = '\0';
    shellLink->GetDescription(text, MAX_PATH);
    link.description = text;
    text[0] = '\0';
    shellLink->GetArguments(text, MAX_PATH);
    link.arguments = text;
    return true;
}

class ShortcutCreationTest : public ::testing::Test {
protected:
    void SetUp() override {
        kvtest::resetEngineState();
        temp_ = kvtest::makeTempFolder("shortcuts");
        source_ = temp_ + "\\source";
        destination_ = temp_ + "\\Install Dir";
        ASSERT_TRUE(kvtest::fillFolder(source_, {}));
        ASSERT_TRUE(kvtest::fillFolder(destination_, {{"a.exe", "x"}, {"b.exe", "x"}, {"kvtray32.exe", "x"},
                                                      {"kvconf.lrd", "x"}, {"sub\\tool.exe", "x"}}));
        kv::copyInto(installState.sourceDir, source_.c_str());
        kv::copyInto(installState.destinationDir, destination_.c_str());
        logPath_ = temp_ + "\\kvrem00.log";
        ASSERT_TRUE(installState.uninstallLog.create(logPath_.c_str()));

        const std::string folderName = "KvTest Shortcuts " + std::to_string(::GetCurrentProcessId());
        kv::setupConfig.programFolder = kv::makeOwnedText(folderName.c_str());
        kv::languageStrings.shortcutNameArgument = kv::makeOwnedText("Wheel Mouse");
        const std::string programs = kvtest::programsFolder();
        ASSERT_FALSE(programs.empty());
        folder_ = programs + "\\" + folderName;
    }
    void TearDown() override {
        installState.uninstallLog.close();
        kvtest::removeTree(folder_);
        kvtest::removeTree(temp_);
        kvtest::resetEngineState();
    }

    void writeIcons(const std::string& lines) {
        ASSERT_TRUE(kvtest::writeFile(source_ + "\\kvsetup.ini", "[Product]\r\nKey=x\r\n\r\n[Icons]\r\n" + lines));
    }
    std::string link(const std::string& name) const { return folder_ + "\\" + name + ".lnk"; }
    std::vector<LogRecord> records() { return kvtest::readLogRecords(logPath_); }

    const kv::ComInitialization com_;  // the tests read the links back through COM
    std::string temp_, source_, destination_, logPath_, folder_;
};

TEST_F(ShortcutCreationTest, EachEntryBecomesALinkWithItsPropertiesAndTheFolderIsLoggedLast) {
    writeIcons("1=kvtray32.exe,Tray Program\r\n"
               "2=sub\\tool.exe,Uninstall %s,res\\kvtray.ico\r\n"
               "3=kvconf.lrd,Settings,icons\\a.ico,2\r\n");
    kv::runShortcutCreation();

    const std::string d = destination_;
    LoadedLink tray;
    ASSERT_TRUE(loadLink(link("Tray Program"), tray));
    EXPECT_EQ(d + "\\kvtray32.exe", tray.target);
    EXPECT_EQ(d, tray.workingFolder);
    EXPECT_EQ(d + "\\kvtray32.exe", tray.iconPath);  // no icon field: the target itself
    EXPECT_EQ(0, tray.iconIndex);
    EXPECT_EQ("Tray Program", tray.description);
    EXPECT_EQ("", tray.arguments);
    EXPECT_EQ(SW_SHOW, savedShowCommand(link("Tray Program")));

    LoadedLink uninstall;
    ASSERT_TRUE(loadLink(link("Uninstall Wheel Mouse"), uninstall));
    EXPECT_EQ(d + "\\sub\\tool.exe", uninstall.target);
    EXPECT_EQ(d + "\\res\\kvtray.ico", uninstall.iconPath);
    EXPECT_EQ(0, uninstall.iconIndex);
    EXPECT_EQ("Uninstall Wheel Mouse", uninstall.description);

    LoadedLink settings;  // four comma-separated parts: the icon keeps the last comma
    ASSERT_TRUE(loadLink(link("Settings"), settings));
    EXPECT_EQ(d + "\\icons\\a.ico,2", settings.iconPath);
    EXPECT_EQ(0, settings.iconIndex);

    const std::vector<LogRecord> expected = {{0xFB, link("Tray Program")},
                                             {0xFB, link("Uninstall Wheel Mouse")},
                                             {0xFB, link("Settings")},
                                             {0xFC, folder_}};
    EXPECT_EQ(expected, records());
}

TEST_F(ShortcutCreationTest, TheListEndsAtAGapSkipsEntriesWithoutACommaOrLeavingTheFolderAndLogsDuplicates) {
    // A name, as written or as filled in, that would put the link outside
    // the program folder makes no shortcut and no record.
    kv::languageStrings.shortcutNameArgument = kv::makeOwnedText("..\\Filled");
    // A link of that name planted beforehand as a second name of another file.
    ASSERT_EQ(1, ::CreateDirectoryA(folder_.c_str(), nullptr));
    const std::string victim = temp_ + "\\victim.txt";
    const bool planted = kvtest::plantHardLink(link("Same"), victim, "not a shortcut");
    writeIcons("1=a.exe,Same\r\n2=no comma here\r\n3=b.exe,Same\r\n4=a.exe,..\\Climbed\r\n"
               "5=a.exe,sub/Climbed\r\n6=a.exe,%s\r\n8=b.exe,Eighth\r\n");
    kv::runShortcutCreation();
    LoadedLink same;  // the second entry of the name replaced the first
    ASSERT_TRUE(loadLink(link("Same"), same));
    EXPECT_EQ(destination_ + "\\b.exe", same.target);
    EXPECT_FALSE(kvtest::fileExists(link("Eighth")));
    for (const char* outside : {"\\Climbed.lnk", "\\Filled.lnk"})
        EXPECT_FALSE(kvtest::fileExists(kvtest::programsFolder() + outside)) << outside;
    std::vector<std::uint8_t> bytes;
    EXPECT_TRUE(!planted || (kvtest::readFileBytes(victim, bytes) &&
                             std::string(bytes.begin(), bytes.end()) == "not a shortcut"));
    const std::vector<LogRecord> expected = {
        {0xFB, link("Same")}, {0xFB, link("Same")}, {0xFC, folder_}};
    EXPECT_EQ(expected, records());
}

TEST_F(ShortcutCreationTest, WithoutEntriesTheFolderIsStillMadeAndLogged) {
    writeIcons("");
    kv::runShortcutCreation();
    const DWORD attributes = ::GetFileAttributesA(folder_.c_str());
    EXPECT_TRUE(attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY));
    const std::vector<LogRecord> expected = {{0xFC, folder_}};
    EXPECT_EQ(expected, records());
}

TEST_F(ShortcutCreationTest, ANameIsFilledInLiterallyAndNeverUsedAsAFormat) {
    // Only the first "%s" takes the text and "%%" is one "%"; anything else,
    // conversions that would read or write memory included, stays as written.
    kv::languageStrings.shortcutNameArgument = kv::makeOwnedText("50% %s off");
    writeIcons("1=a.exe,100%% %d %n %s %s %x\r\n");
    kv::runShortcutCreation();
    const std::string name = "100% %d %n 50% %s off %s %x";
    LoadedLink filled;
    ASSERT_TRUE(loadLink(link(name), filled));
    EXPECT_EQ(name, filled.description);
    EXPECT_EQ(destination_ + "\\a.exe", filled.target);
}

TEST_F(ShortcutCreationTest, ALinkPathTooLongForTheShellIsNotSavedButRecordedAndTheWalkGoesOn) {
    // Past 260 wide characters the shell cannot save the link; the record
    // stays, as for any failed save.
    const std::string longName = "Long " + std::string(250, 'w');
    kv::languageStrings.shortcutNameArgument = kv::makeOwnedText(std::string(250, 'w').c_str());
    writeIcons("1=a.exe,Long %s,res\\kvtray.ico\r\n2=b.exe,Short\r\n");
    kv::runShortcutCreation();
    const std::vector<LogRecord> expected = {
        {0xFB, link(longName)}, {0xFB, link("Short")}, {0xFC, folder_}};
    EXPECT_EQ(expected, records());
    EXPECT_FALSE(kvtest::fileExists(link(longName)));
    EXPECT_TRUE(kvtest::fileExists(link("Short")));
}

// Run under code page 932 (the Japanese test run): the shell's limit is 260
// wide characters, so a link path of about 400 bytes but 240 characters is
// saved. Half of its characters have a trail byte equal to "\".
TEST_F(ShortcutCreationTest, AJapaneseLinkPathPast260BytesButWithin260CharactersIsSaved) {
    if (::GetACP() != 932) GTEST_SKIP() << "needs code page 932 (the Japanese run)";
    const char* locales = std::getenv("LOCPATH");
    if (locales == nullptr || !kvtest::fileExists(kvtest::windowsPathOf(locales) + "\\ja_JP.UTF-8\\LC_CTYPE"))
        GTEST_SKIP() << "no ja_JP.UTF-8 locale for file names";
    std::string kana;
    for (int i = 0; i < 40; ++i) kana += "\x83\x5C\x83\x65";  // two characters, four bytes
    const std::string nested = kv::textOrEmpty(kv::setupConfig.programFolder) + std::string("\\") + kana;
    kv::setupConfig.programFolder = kv::makeOwnedText(nested.c_str());
    kv::languageStrings.shortcutNameArgument = kv::makeOwnedText(kana.c_str());
    writeIcons("1=a.exe,%s\r\n");
    kv::runShortcutCreation();

    const std::string linkPath = folder_ + "\\" + kana + "\\" + kana + ".lnk";
    ASSERT_GT(linkPath.size(), 260u);
    EXPECT_LT(::MultiByteToWideChar(CP_ACP, 0, linkPath.c_str(), -1, nullptr, 0), 260);
    const std::vector<LogRecord> expected = {{0xFB, linkPath}, {0xFC, folder_ + "\\" + kana}};
    EXPECT_EQ(expected, records());
    LoadedLink saved;
    ASSERT_TRUE(loadLink(linkPath, saved));
    EXPECT_EQ(kana, saved.description);
    EXPECT_EQ(destination_ + "\\a.exe", saved.target);
}

}  // namespace
