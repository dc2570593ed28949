#include "install/install_state.h"
#include "common/language_strings.h"
#include "common/language_table.h"
#include "common/multibyte_text.h"
#include "common/text_rules.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

using kv::installState;
using kv::languageStrings;

namespace {

// Points the install state at a source folder and a language.
void useSource(const std::string& folder, int index) {
    kv::copyInto(installState.sourceDir, folder.c_str());
    installState.languageIndex = index;
    installState.languageCode = kv::languageCodeAt(index);
}

int presentTextCount() {
    int count = 0;
    const kv::LanguageKey* keys = kv::languageKeys(count);
    int present = 0;
    for (int i = 0; i < count; ++i)
        if (languageStrings.*(keys[i].text)) ++present;
    return present;
}

// A source folder whose language file for "enu" holds `content`.
std::string sourceWithLanguageFile(const std::string& content) {
    return kvtest::makeSourceFolder("lang", {{"kv-00001\\kvsetlan.enu", content}});
}

}  // namespace

// What a system of each language gets: the language file loaded and the name
// the language page shows selected. Identifiers not listed (English ones,
// other countries) keep the current choice, English in a fresh process.
TEST(LanguageTable, SystemLanguageChoosesTheFileLoadedAndTheNameShown) {
    const struct {
        const char* file;
        const char* name;
        std::vector<unsigned> systemIds;
    } languages[] = {
        {"enu", "English", {}},
        {"cht", "Chinese Taiwan", {0x0404, 0x0C04, 0x1004}},
        {"deu", "German", {0x0407, 0x0807, 0x0C07}},
        {"esn", "Spanish", {0x040A, 0x080A, 0x0C0A}},
        {"fra", "French", {0x040C, 0x080C, 0x0C0C, 0x100C}},
        {"ita", "Italian", {0x0410, 0x0810}},
        {"jpn", "Japanese", {0x0411}},
        {"kor", "Korean", {0x0412, 0x0812}},
        {"nld", "Dutch", {0x0413, 0x0813}},
        {"chs", "China", {0x0804}},
    };
    std::vector<kvtest::FolderFile> files;  // each file names itself as the Next text
    for (const auto& language : languages)
        files.push_back({std::string("kv-00001\\kvsetlan.") + language.file,
                         std::string("[MSG]\r\n2=") + language.file + "\r\n"});
    const std::string folder = kvtest::makeSourceFolder("langid", files);
    const auto expectChosen = [&](int index, const char* file, const char* name) {
        useSource(folder, index);
        kv::loadLanguageStrings(kv::installState.sourceDir, kv::installState.languageCode);
        EXPECT_STREQ(file, languageStrings.nextButtonText.get());
        EXPECT_STREQ(name, kv::languageNameAt(index));
    };

    for (unsigned id : {0x0409u, 0x0809u, 0x1404u, 0x1007u, 0x140Cu, 0u, 0xFFFFu})
        EXPECT_EQ(-1, kv::languageIndexForLangId(id)) << "not listed: " << id;
    expectChosen(0, "enu", "English");
    for (const auto& language : languages) {
        for (unsigned id : language.systemIds) {
            SCOPED_TRACE(id);
            const int index = kv::languageIndexForLangId(id);
            ASSERT_GE(index, 0);
            expectChosen(index, language.file, language.name);
        }
    }
    kv::releaseLanguageStrings();
}

TEST(LanguageTable, DetectionFollowsTheSystemLanguageOrKeepsTheIndex) {
    const int expected = kvtest::argument("expect-language").empty()
                             ? -1
                             : std::stoi(kvtest::argument("expect-language"));
    installState.languageIndex = 5;
    kv::installState.languageIndex = kv::detectDefaultLanguage(kv::installState.languageIndex);
    if (expected < 0)
        EXPECT_EQ(5, installState.languageIndex) << "system language 0x" << std::hex
                                                 << ::GetSystemDefaultLangID();
    else
        EXPECT_EQ(expected, installState.languageIndex);
}

TEST(LanguageStrings, EveryTextOfEverySampleLanguageLoads) {
    int count = 0;
    kv::languageKeys(count);
    EXPECT_EQ(48, count);
    for (int index = 0; index < kv::kLanguageCount; ++index) {
        SCOPED_TRACE(kv::languageCodeAt(index));
        useSource(kvtest::samplePackageDir(), index);
        EXPECT_TRUE(kv::loadLanguageStrings(kv::installState.sourceDir, kv::installState.languageCode));
        EXPECT_EQ(count, presentTextCount());
        ASSERT_TRUE(languageStrings.destinationText);
        EXPECT_EQ(nullptr, std::strstr(languageStrings.destinationText.get(), "%P"));
        EXPECT_NE(nullptr, std::strstr(languageStrings.destinationText.get(), "%s"));
        EXPECT_NE(nullptr, std::strstr(languageStrings.finishText.get(), "%s"));
        EXPECT_NE(nullptr, std::strstr(languageStrings.stoppedText.get(), "%s"));
    }
    kv::releaseLanguageStrings();
    EXPECT_EQ(0, presentTextCount());
}

// The texts are looked up in sections read whole; each must be the very
// text the key reader gives for its key, in every sample language and in
// files that stress the reader's rules.
TEST(LanguageStrings, SectionLookupGivesWhatTheKeyReaderGives) {
    const std::string longText(600, 'y');
    const std::vector<std::string> files = {
        "[MSG]\r\n  2 =  Next  \r\n\t4\t=\tCancel\t\r\n1\r\n1=after a bare name\r\n7=\r\n",
        "[msg]\r\n2=first\r\n2=second\r\n[MSG]\r\n1=later section\r\n[dlg]\r\np1t=lower\r\n",
        "[MSG]\r\n1=\"quoted\"\r\n2='single'\r\n4=\"open\r\n7=\"\"\r\n8=\"\r\n10='mixed\"\r\n"
        "11=in \"the\" middle\r\n;12=comment\r\n=nameless\r\n13=a=b\r\n",
        "[MSG]\r\n1=\"" + std::string(258, 'q') + "\"\r\n2=\"" + std::string(259, 'q') + "\"\r\n4=\"" +
            std::string(260, 'q') + "\"\r\n7=" + longText + "\r\n[DLG]\r\nP51=\"" +
            std::string(518, 'p') + "\"\r\nP5T=\"" + longText + "\"\r\nP1T=" + longText + "\r\n",
        "no section\r\n1=x\r\n[DLG]\r\nP1T=\xe9t\xe9 \x81\x40\r\nP11=%P\r\n",
    };
    std::vector<std::string> folders;
    for (const std::string& content : files) folders.push_back(sourceWithLanguageFile(content));
    for (int index = 0; index < kv::kLanguageCount; ++index) folders.push_back(kvtest::samplePackageDir());
    int count = 0;
    const kv::LanguageKey* keys = kv::languageKeys(count);
    for (std::size_t f = 0; f < folders.size(); ++f) {
        const int index = f < files.size() ? 0 : static_cast<int>(f - files.size());
        SCOPED_TRACE(f);
        useSource(folders[f], index);
        kv::loadLanguageStrings(kv::installState.sourceDir, kv::installState.languageCode);
        char path[MAX_PATH];
        ASSERT_TRUE(kv::languageFilePath(path, sizeof(path), installState.sourceDir, installState.languageCode));
        for (int k = 0; k < count; ++k) {
            SCOPED_TRACE(keys[k].key);
            char buffer[520];
            const DWORD length = ::GetPrivateProfileStringA(keys[k].section, keys[k].key, "", buffer,
                                                            keys[k].bufferSize, path);
            std::string expected(buffer, kv::fittedTextLength(buffer, length, keys[k].bufferSize));
            if (keys[k].namesProduct) {
                const std::size_t mark = expected.find("%P");
                if (mark != std::string::npos) expected[mark + 1] = 's';
            }
            const char* loaded = (languageStrings.*(keys[k].text)).get();
            if (expected.empty()) EXPECT_EQ(nullptr, loaded);
            else EXPECT_EQ(expected, loaded ? loaded : "(absent)");
        }
    }
    kv::releaseLanguageStrings();
}

TEST(LanguageStrings, MissingFileOrKeysLeaveTextsAbsent) {
    useSource(kvtest::makeTempFolder("nolang"), 0);
    EXPECT_TRUE(kv::loadLanguageStrings(kv::installState.sourceDir, kv::installState.languageCode));
    EXPECT_EQ(0, presentTextCount());

    const std::string folder = sourceWithLanguageFile(
        "[msg]\r\n2=Next\r\n1=\r\n[DLG]\r\nP1T=Welcome\r\n");
    useSource(folder, 0);
    EXPECT_TRUE(kv::loadLanguageStrings(kv::installState.sourceDir, kv::installState.languageCode));
    EXPECT_STREQ("Next", languageStrings.nextButtonText.get());  // section case ignored
    EXPECT_EQ(nullptr, languageStrings.backButtonText.get());    // empty value
    EXPECT_STREQ("Welcome", languageStrings.welcomeTitle.get());
    EXPECT_EQ(2, presentTextCount());

    // A load replaces every text, so a text missing from the new file is gone.
    const std::string other = sourceWithLanguageFile("[MSG]\r\n1=Back\r\n");
    useSource(other, 0);
    kv::loadLanguageStrings(kv::installState.sourceDir, kv::installState.languageCode);
    EXPECT_EQ(nullptr, languageStrings.nextButtonText.get());
    EXPECT_STREQ("Back", languageStrings.backButtonText.get());
    kv::releaseLanguageStrings();
}

TEST(LanguageStrings, LongTextsAreCutToTheirBuffers) {
    const std::string longText(700, 'x');
    const std::string folder = sourceWithLanguageFile(
        "[MSG]\r\n1=" + longText + "\r\n[DLG]\r\nP51=" + longText + "\r\n");
    useSource(folder, 0);
    kv::loadLanguageStrings(kv::installState.sourceDir, kv::installState.languageCode);
    ASSERT_TRUE(languageStrings.backButtonText);
    EXPECT_EQ(259u, std::strlen(languageStrings.backButtonText.get()));
    ASSERT_TRUE(languageStrings.informationText);
    EXPECT_EQ(519u, std::strlen(languageStrings.informationText.get()));
    kv::releaseLanguageStrings();
}

TEST(LanguageStrings, BinaryOrEmptyFilesNeverStopTheLoad) {
    std::string binary(4096, '\0');
    for (std::size_t i = 0; i < binary.size(); ++i) binary[i] = static_cast<char>(i * 7 + 3);
    useSource(sourceWithLanguageFile(binary), 0);
    EXPECT_TRUE(kv::loadLanguageStrings(kv::installState.sourceDir, kv::installState.languageCode));
    useSource(sourceWithLanguageFile(""), 0);
    EXPECT_TRUE(kv::loadLanguageStrings(kv::installState.sourceDir, kv::installState.languageCode));
    EXPECT_EQ(0, presentTextCount());
    kv::releaseLanguageStrings();
}

TEST(LanguageStrings, PlaceholderRuleChangesTheFirstMarkOfTwoTextsOnly) {
    const std::string folder = sourceWithLanguageFile(
        "[DLG]\r\nP31=Install %P now\r\nPF1=%P is ready, %P\r\nP32=Keep %P\r\n[MSG]\r\n"
        "12=x\r\n");
    useSource(folder, 0);
    kv::loadLanguageStrings(kv::installState.sourceDir, kv::installState.languageCode);
    EXPECT_STREQ("Install %s now", languageStrings.destinationText.get());
    EXPECT_STREQ("%s is ready, %P", languageStrings.finishText.get());
    EXPECT_STREQ("Keep %P", languageStrings.destinationText2.get());

    useSource(sourceWithLanguageFile("[DLG]\r\nPF1=Done.\r\n"), 0);
    kv::loadLanguageStrings(kv::installState.sourceDir, kv::installState.languageCode);
    EXPECT_STREQ("Done.", languageStrings.finishText.get());
    kv::releaseLanguageStrings();
}

TEST(LanguageStrings, PathsThatDoNotFitReadNothing) {
    std::string deep = kvtest::samplePackageDir();
    while (deep.size() < 250) deep += "\\deeper";
    useSource(deep, 0);
    EXPECT_TRUE(kv::loadLanguageStrings(kv::installState.sourceDir, kv::installState.languageCode));
    EXPECT_EQ(0, presentTextCount());
}

TEST(TextRules, StringPlaceholderIsFilledLiterally) {
    EXPECT_EQ("Setup installs Mouse 2.0.", kv::fillStringPlaceholder("Setup installs %s.", "Mouse 2.0"));
    EXPECT_EQ("100% sure: A", kv::fillStringPlaceholder("100%% sure: %s", "A"));
    EXPECT_EQ("A and %s", kv::fillStringPlaceholder("%s and %s", "A"));
    EXPECT_EQ("%d %n %x A", kv::fillStringPlaceholder("%d %n %x %s", "A"));
    EXPECT_EQ("%s%d", kv::fillStringPlaceholder("%s", "%s%d"));  // the argument is not re-read
    EXPECT_EQ("no mark", kv::fillStringPlaceholder("no mark", "A"));
    EXPECT_EQ("trailing %", kv::fillStringPlaceholder("trailing %", "A"));
    EXPECT_EQ("", kv::fillStringPlaceholder(nullptr, "A"));
}
