// The package checker over the staged sample package, which must check
// clean, and over one broken copy of it per rule: each copy must bring the
// finding of its rule, on the right line, with the right exit code.
#include "base/win.h"
#include "package_check.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <iterator>
#include <sstream>

namespace {

using kvcheck::Level;

std::string readText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Replaces the first `from` in a file of the package by `to`.
std::function<void(const std::string&)> edit(const std::string& file, const std::string& from,
                                             const std::string& to) {
    return [=](const std::string& package) {
        const std::string path = package + "\\" + file;
        std::string text = readText(path);
        const std::size_t at = text.find(from);
        ASSERT_NE(at, std::string::npos) << file << " has no " << from;
        text.replace(at, from.size(), to);
        ASSERT_TRUE(kvtest::writeFile(path, text));
    };
}

std::function<void(const std::string&)> remove(const std::string& file) {
    return [=](const std::string& package) {
        const std::string path = package + "\\" + file;
        kvtest::removeTree(path);  // a folder
        ::DeleteFileA(path.c_str());  // a file
        ASSERT_EQ(::GetFileAttributesA(path.c_str()), INVALID_FILE_ATTRIBUTES) << path;
    };
}

// The line of a file (1-based) that holds `marker`; 0 for an empty marker.
int lineOf(const std::string& path, const std::string& marker) {
    if (marker.empty()) return 0;
    std::istringstream lines(readText(path));
    std::string line;
    for (int number = 1; std::getline(lines, line); ++number)
        if (line.find(marker) != std::string::npos) return number;
    return -1;
}

struct BrokenPackage {
    const char* rule;
    std::function<void(const std::string&)> breakIt;
    Level level;
    const char* file;        // as the finding names it
    std::string lineMarker;  // text of the line the finding must name ("" for the whole file)
    const char* what;        // part of the finding's text
    int exitCode;
};

const std::string kLong(300, 'x');
const std::string kIni = "kvsetup.ini";
const std::string kEnu = "kv-00001\\kvsetlan.enu";
const std::string kRem = "kv-00001\\kvrem.enu";

const BrokenPackage kBroken[] = {
    // kvsetup.ini
    {"configuration missing", remove(kIni), Level::kError, "kvsetup.ini", "", "missing", 1},
    {"required value empty", edit(kIni, "Dir=TarnWeld Mouse", "Dir="), Level::kError, "kvsetup.ini", "Dir=",
     "[Target] Dir is empty", 1},
    {"other value missing", edit(kIni, "Manufacture=TarnWeld Peripherals Ltd.\r\n", ""), Level::kWarning,
     "kvsetup.ini", "", "[Manufacture] Manufacture is missing", 0},
    {"value longer than its buffer", edit(kIni, "Name=TarnWeld Wheel Mouse 2.10", "Name=" + kLong), Level::kError,
     "kvsetup.ini", "Name=xxx", "has 300 characters; the engine reads only the first 259", 1},
    {"destination does not fit", edit(kIni, "Dir=TarnWeld Mouse", "Dir=" + std::string(250, 'd')), Level::kError,
     "kvsetup.ini", "Dir=ddd", "does not fit 259 characters", 1},
    {"installed paths do not fit", edit(kIni, "Dir=TarnWeld Mouse", "Dir=" + std::string(235, 'd')), Level::kError,
     "kvsetup.ini", "Dir=ddd", "the default destination folder is too long for", 1},
    {"section never read", edit(kIni, "[Uninstall]", "[Aplications]\r\nMain=x\r\n\r\n[Uninstall]"), Level::kWarning,
     "kvsetup.ini", "[Aplications]", "section [Aplications] is never read (did you mean Applications?)", 0},
    {"key never read", edit(kIni, "[Target]\r\n", "[Target]\r\nFloder=Other\r\n"), Level::kWarning, "kvsetup.ini",
     "Floder=", "key [Target] Floder is never read (did you mean Folder?)", 0},
    {"key repeated", edit(kIni, "Folder=TarnWeld Wheel Mouse\r\n", "Folder=TarnWeld Wheel Mouse\r\nFolder=Other\r\n"),
     Level::kWarning, "kvsetup.ini", "Folder=Other", "repeats line", 0},
    {"section repeated", edit(kIni, "[Uninstall]", "[target]\r\nDir=Other\r\n\r\n[Uninstall]"), Level::kWarning,
     "kvsetup.ini", "[target]", "the reader only looks in the first one", 0},
    {"text before the first section", edit(kIni, "[Product]", "Product=x\r\n[Product]"), Level::kWarning,
     "kvsetup.ini", "Product=x", "before the first section", 0},
    {"program started at log-on not installed", edit(kIni, "Key=kvtray32.exe", "Key=kvtray.exe"), Level::kWarning,
     "kvsetup.ini", "Key=kvtray.exe", "is no file the run installs", 0},
    // language files
    {"language file missing", remove("kv-00001\\kvsetlan.kor"), Level::kError, "kv-00001\\kvsetlan.kor", "",
     "missing", 1},
    {"text missing", edit(kEnu, "P33=Space Required:\r\n", ""), Level::kError, "kv-00001\\kvsetlan.enu", "[DLG]",
     "[DLG] P33 is missing", 1},
    {"text empty", edit(kEnu, "2=Next >", "2="), Level::kError, "kv-00001\\kvsetlan.enu", "2=",
     "[MSG] 2 is empty", 1},
    {"text longer than its buffer", edit(kEnu, "P16=Click Next to continue.", "P16=" + kLong), Level::kError,
     "kv-00001\\kvsetlan.enu", "P16=", "has 300 bytes; the engine reads only the first 259", 1},
    {"long text longer than its buffer", edit(kEnu, "P51=", "P51=" + std::string(600, 'y')), Level::kError,
     "kv-00001\\kvsetlan.enu", "P51=", "bytes; the engine reads only the first 519", 1},
    {"lead byte without trail byte", edit("kv-00001\\kvsetlan.jpn", "P16=", "P16=\x82\r\nP16x="), Level::kError,
     "kv-00001\\kvsetlan.jpn", "P16=\x82", "lead byte 0x82 ends the text without a trail byte in code page 932", 1},
    {"trail byte out of range", edit("kv-00001\\kvsetlan.cht", "P16=", "P16=\xA4\x30"), Level::kError,
     "kv-00001\\kvsetlan.cht", "P16=\xA4", "lead byte 0xA4 followed by 0x30, not a trail byte in code page 950", 1},
    {"byte without a character", edit(kEnu, "P16=", "P16=\x81"), Level::kError, "kv-00001\\kvsetlan.enu", "P16=",
     "byte 0x81 is no character in code page 1252", 1},
    {"text saved as UTF-8", edit("kv-00001\\kvsetlan.deu", "P16=", "P16=Gr\xC3\xBC\xC3\x9F "), Level::kWarning,
     "kv-00001\\kvsetlan.deu", "P16=", "looks like UTF-8", 0},
    {"display name placeholder missing", edit(kEnu, "install %P in", "install it in"), Level::kWarning,
     "kv-00001\\kvsetlan.enu", "P31=", "[DLG] P31 has no %P", 0},
    {"printf sequence shown literally", edit(kEnu, "P15=", "P15=%d files "), Level::kWarning,
     "kv-00001\\kvsetlan.enu", "P15=", "holds \"%d\", which is shown literally", 0},
    {"second placeholder shown literally", edit(kEnu, "installing %P", "installing %P (%P)"), Level::kWarning,
     "kv-00001\\kvsetlan.enu", "PF1=", "holds \"%P\", which is shown literally", 0},
    // the uninstaller's texts
    {"uninstaller text missing", edit(kRem, "3=Removing files...\r\n", ""), Level::kError, "kv-00001\\kvrem.enu",
     "[MSG]", "[MSG] 3 is missing: the uninstaller shows its built-in English text", 1},
    {"uninstaller text longer than it reads", edit(kRem, "7=", "7=" + std::string(600, 'y')), Level::kError,
     "kv-00001\\kvrem.enu", "7=", "bytes; the uninstaller reads only the first 519", 1},
    {"uninstaller text with a lead byte alone", edit("kv-00001\\kvrem.jpn", "4=", "4=\x82\r\n4x="), Level::kError,
     "kv-00001\\kvrem.jpn", "4=\x82", "lead byte 0x82 ends the text without a trail byte in code page 932", 1},
    {"uninstaller text saved as UTF-8", edit("kv-00001\\kvrem.deu", "7=", "7=Gr\xC3\xBC\xC3\x9F "), Level::kWarning,
     "kv-00001\\kvrem.deu", "7=", "[MSG] 7 looks like UTF-8", 0},
    {"uninstaller text with a printf sequence", edit("kv-00001\\kvrem.fra", "2=", "2=%s "), Level::kWarning,
     "kv-00001\\kvrem.fra", "2=", "[MSG] 2 holds \"%s\", which is shown literally", 0},
    {"uninstaller key never read", edit(kRem, "[MSG]\r\n", "[MSG]\r\n01=x\r\n"), Level::kWarning,
     "kv-00001\\kvrem.enu", "01=", "key [MSG] 01 is never read", 0},
    // payload
    {"program file missing", remove("kvhook.dll"), Level::kError, "kvhook.dll", "", "missing", 1},
    {"variant file missing", remove("4D\\res\\kvtray.ico"), Level::kError, "4D\\res\\kvtray.ico", "",
     "mouse type 4D", 1},
    {"language payload missing", remove("ita\\kvconf.ini"), Level::kError, "ita\\kvconf.ini", "", "Italian", 1},
    {"uninstaller texts missing", remove("kv-00001\\kvrem.fra"), Level::kError, "kv-00001\\kvrem.fra", "", "French", 1},
    {"uninstaller missing", remove("kvrem00.exe"), Level::kError, "kvrem00.exe", "", "the uninstaller", 1},
    {"filter driver missing", remove("KVFLTSYS.SYS"), Level::kError, "KVFLTSYS.SYS", "", "the filter driver", 1},
    {"setup program missing", remove("SETUP16.EXE"), Level::kError, "SETUP16.EXE", "", "Windows 95, 98 and ME", 1},
    {"setup library no library", edit("SETUP32.DLL", "MZ", "ZM"), Level::kError, "SETUP32.DLL", "",
     "cannot be loaded", 1},
    {"setup library folder missing", remove("winnt"), Level::kWarning, "winnt", "", "missing folder", 0},
    // [Icons]
    {"icons entry without comma", edit(kIni, "3=kvconf.lrd,Mouse Settings,res\\kvtray.ico", "3=kvconf.lrd"),
     Level::kError, "kvsetup.ini", "3=kvconf.lrd", "has no comma: it makes no shortcut", 1},
    {"icons target not installed", edit(kIni, "1=kvtray32.exe,", "1=kvtray.exe,"), Level::kError, "kvsetup.ini",
     "1=kvtray.exe", "target \"kvtray.exe\" is no file the run installs", 1},
    {"icons icon with a blank", edit(kIni, ",res\\kvtray.ico", ", res\\kvtray.ico"), Level::kWarning, "kvsetup.ini",
     "3=", "blanks around the commas are kept", 0},
    {"icons name not a file name", edit(kIni, "TarnWeld Mouse Tray", "Tray: Mouse"), Level::kError, "kvsetup.ini",
     "1=", "not allowed in file names", 1},
    {"icons name with another sequence", edit(kIni, "Uninstall %s", "Uninstall %s %d"), Level::kWarning,
     "kvsetup.ini", "2=", "holds \"%d\", which stays as written", 0},
    {"icons entry after a gap", edit(kIni, "3=kvconf.lrd", "5=kvconf.lrd"), Level::kWarning, "kvsetup.ini", "5=",
     "[Icons] 5 is never read: the list ends at key 3", 0},
    {"icons key not a number", edit(kIni, "[Icons]\r\n", "[Icons]\r\nA=kvhook.dll,Hook\r\n"), Level::kWarning,
     "kvsetup.ini", "A=", "key \"A\" is never read", 0},
};

std::string listing(const kvcheck::Findings& findings) {
    std::string text;
    for (const kvcheck::Finding& f : findings.list())
        if (f.level != Level::kInfo) text += kvcheck::formatFinding(f) + "\n";
    return text;
}

TEST(PackageChecker, SamplePackageChecksClean) {
    kvcheck::Findings findings;
    ASSERT_TRUE(kvcheck::checkPackage(kvtest::stagedPackageDir(), findings));
    EXPECT_EQ(listing(findings), "");
    EXPECT_EQ(findings.exitCode(), 0);
    // The values a run would use are listed.
    bool sawDestination = false;
    for (const kvcheck::Finding& f : findings.list())
        sawDestination = sawDestination || f.what.find("default destination folder on this system: \"") == 0;
    EXPECT_TRUE(sawDestination);
}

TEST(PackageChecker, EachBrokenPackageBringsItsFinding) {
    const std::string base = kvtest::makeTempFolder("kvcheck");
    int number = 0;
    for (const BrokenPackage& c : kBroken) {
        SCOPED_TRACE(c.rule);
        const std::string package = base + "\\" + std::to_string(++number);
        ASSERT_TRUE(kvtest::copyTree(kvtest::stagedPackageDir(), package));
        c.breakIt(package);
        kvcheck::Findings findings;
        ASSERT_TRUE(kvcheck::checkPackage(package, findings));
        const int line = lineOf(package + "\\" + c.file, c.lineMarker);
        bool found = false;
        for (const kvcheck::Finding& f : findings.list())
            found = found || (f.level == c.level && f.file == c.file && f.line == line &&
                              f.what.find(c.what) != std::string::npos);
        EXPECT_TRUE(found) << "expected at line " << line << ": " << c.what << "\ngot:\n" << listing(findings);
        EXPECT_EQ(findings.exitCode(), c.exitCode) << listing(findings);
        kvtest::removeTree(package);
    }
    kvtest::removeTree(base);
}

TEST(PackageChecker, MissingFolderCannotBeChecked) {
    kvcheck::Findings findings;
    EXPECT_FALSE(kvcheck::checkPackage(kvtest::stagedPackageDir() + "\\no-such-folder", findings));
    EXPECT_EQ(findings.exitCode(), 1);
}

}  // namespace
