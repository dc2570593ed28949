// The removal's pure rules: which log records may be acted on, in which
// order, and the two text edits (a device's filter list, WININIT.INI).
#include "common/log_codec.h"
#include "removal/filter_list.h"
#include "removal/removal_plan.h"
#include "removal/wininit_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

bool noLead(unsigned char) { return false; }
bool shiftJisLead(unsigned char b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }

kv::RemovalFolders systemFolders() {
    kv::RemovalFolders f;
    f.installation = "C:\\Program Files\\TarnWeld";
    f.windows = "C:\\WINDOWS";
    f.system = "C:\\WINDOWS\\SYSTEM32";
    f.programFiles = "C:\\Program Files";
    f.startMenuPrograms = "C:\\WINDOWS\\Start Menu\\Programs";
    f.driverFile = "C:\\WINDOWS\\system32\\Drivers\\KVFLTSYS.SYS";
    return f;
}

std::vector<std::uint8_t> logOf(const std::vector<std::pair<std::uint8_t, std::string>>& records) {
    std::vector<std::uint8_t> bytes;
    for (const auto& r : records) {
        std::vector<std::uint8_t> one(r.second.size() + 2);
        EXPECT_NE(0u, kv::encodeLogRecord(r.first, r.second.data(), r.second.size(), one.data(), one.size()));
        bytes.insert(bytes.end(), one.begin(), one.end());
    }
    return bytes;
}

}  // namespace

TEST(RemovalRules, JudgesEachRecordByKindAndPlace) {
    const kv::RemovalFolders f = systemFolders();
    const char* programFolder = "C:\\WINDOWS\\Start Menu\\Programs\\TarnWeld Mouse";
    using V = kv::Verdict;
    struct Case {
        std::uint8_t type;
        const char* text;
        V expected;
    } cases[] = {
        {kv::kLogFile, "C:\\Program Files\\TarnWeld\\kvhook.dll", V::Act},
        {kv::kLogFile, "c:\\program files\\tarnweld\\\\RES\\kvtray.ico", V::Act},  // case, doubled "\"
        {kv::kLogFile, "C:\\WINDOWS\\system32\\Drivers\\kvfltsys.sys", V::Act},
        {kv::kLogFile, "C:\\WINDOWS\\system32\\Drivers\\other.sys", V::OutsideInstallation},
        {kv::kLogFile, "C:\\WINDOWS\\SYSTEM32\\kernel32.dll", V::OutsideInstallation},
        {kv::kLogFile, "C:\\Program Files\\TarnWeld2\\a.dll", V::OutsideInstallation},  // a prefix, not a folder
        {kv::kLogFile, "C:\\Program Files\\TarnWeld\\..\\..\\WINDOWS\\win.ini", V::UnsafePath},
        {kv::kLogFile, "C:\\Program Files\\TarnWeld\\.\\a", V::UnsafePath},
        {kv::kLogFile, "C:\\Program Files\\TarnWeld/a", V::UnsafePath},
        {kv::kLogFile, "C:\\Program Files\\TarnWeld\\*.*", V::UnsafePath},
        {kv::kLogFile, "kvhook.dll", V::UnsafePath},
        {kv::kLogFile, "\\\\server\\share\\x", V::UnsafePath},
        {kv::kLogFolder, "C:\\", V::ProtectedFolder},
        {kv::kLogFolder, "D:", V::UnsafePath},
        {kv::kLogFolder, "C:\\windows\\", V::ProtectedFolder},
        {kv::kLogFolder, "C:\\Program Files", V::ProtectedFolder},
        {kv::kLogFolder, "C:\\Program Files\\TarnWeld", V::Act},
        {kv::kLogFolder, "C:\\Program Files\\TarnWeld\\RES", V::Act},
        {kv::kLogFolder, "C:\\Program Files\\Other", V::OutsideInstallation},
        {kv::kLogProgramFolder, "C:\\WINDOWS\\Start Menu\\Programs", V::ProtectedFolder},
        {kv::kLogProgramFolder, "C:\\WINDOWS\\Start Menu\\Programs\\TarnWeld Mouse", V::Act},
        {kv::kLogProgramFolder, "C:\\WINDOWS\\Start Menu", V::OutsideInstallation},
        {kv::kLogShortcut, "C:\\WINDOWS\\Start Menu\\Programs\\TarnWeld Mouse\\Tray.lnk", V::Act},
        {kv::kLogShortcut, "C:\\WINDOWS\\Start Menu\\Programs\\Other\\Tray.lnk", V::OutsideInstallation},
        {kv::kLogAutoStartValue, "QRXTARNWELDMOUSE", V::Act},
        {kv::kLogAutoStartValue, "OtherProgram", V::NotOurValue},
        {kv::kLogUninstallKey, "Software\\Microsoft\\windows\\CurrentVersion\\Uninstall\\TarnWeld Mouse", V::Act},
        {kv::kLogUninstallKey, "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\", V::OutsideUninstallKeys},
        {kv::kLogUninstallKey, "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\A\\B", V::OutsideUninstallKeys},
        {kv::kLogUninstallKey, "Software\\Microsoft\\Windows\\CurrentVersion\\Run", V::OutsideUninstallKeys},
    };
    for (const Case& c : cases) {
        const std::string text = c.text;
        EXPECT_EQ(c.expected, kv::judgeRecord(f, programFolder, c.type, text.data(), text.size(), noLead)) << c.text;
    }
    const std::string tooLong = "C:\\Program Files\\TarnWeld\\" + std::string(240, 'a');
    EXPECT_EQ(V::UnsafePath, kv::judgeRecord(f, programFolder, kv::kLogFile, tooLong.data(), tooLong.size(), noLead));
    // No program folder in the log: no shortcut is ours.
    const std::string link = "C:\\WINDOWS\\Start Menu\\Programs\\TarnWeld Mouse\\Tray.lnk";
    EXPECT_EQ(V::OutsideInstallation, kv::judgeRecord(f, "", kv::kLogShortcut, link.data(), link.size(), noLead));
}

TEST(RemovalRules, TrailBytesAreNeitherSeparatorsNorLetters) {
    kv::RemovalFolders f = systemFolders();
    // 0x95 0x5C is one Shift-JIS character whose trail byte is "\".
    f.installation = "C:\\\x95\x5C";
    const std::string inside = "C:\\\x95\x5C\\a.dll";
    EXPECT_EQ(kv::Verdict::Act, kv::judgeRecord(f, "", kv::kLogFile, inside.data(), inside.size(), shiftJisLead));
    // 0x83 0x41 and 0x83 0x61 are different characters, not "A" and "a".
    f.installation = "C:\\\x83\x41";
    const std::string other = "C:\\\x83\x61\\a.dll";
    EXPECT_EQ(kv::Verdict::OutsideInstallation,
              kv::judgeRecord(f, "", kv::kLogFile, other.data(), other.size(), shiftJisLead));
}

TEST(RemovalRules, RefusesLogsInRootsAndSystemFolders) {
    kv::RemovalFolders f = systemFolders();
    EXPECT_FALSE(kv::installationFolderRefused(f, noLead));
    for (const char* folder : {"C:\\", "C:", "c:\\windows", "C:\\WINDOWS\\system32\\", "relative\\folder", ""}) {
        f.installation = folder;
        EXPECT_TRUE(kv::installationFolderRefused(f, noLead)) << folder;
    }
}

TEST(RemovalRules, DamagedLogsAreRefusedWhole) {
    using C = kv::LogCheck;
    const std::vector<std::uint8_t> sound = logOf({{kv::kLogFile, "C:\\a"}, {kv::kLogFolder, "C:\\b"}});
    EXPECT_EQ(C::Sound, kv::checkRemovalLog(sound.data(), sound.size()));
    EXPECT_EQ(C::Empty, kv::checkRemovalLog(sound.data(), 0));
    EXPECT_EQ(C::CutRecord, kv::checkRemovalLog(sound.data(), sound.size() - 1));
    std::vector<std::uint8_t> unknown = sound;
    unknown[0] = 0x41;
    EXPECT_EQ(C::UnknownType, kv::checkRemovalLog(unknown.data(), unknown.size()));
    const std::vector<std::uint8_t> empty = {0xFF, 0x00, 0xFE, 'C', 0x00};
    EXPECT_EQ(C::EmptyText, kv::checkRemovalLog(empty.data(), empty.size()));
}

TEST(RemovalRules, PlansKindsInRemovalOrderAndFoldersDeepestFirst) {
    const kv::RemovalFolders f = systemFolders();
    // A reinstall's log: the earlier install's records first, carried.
    const std::vector<std::uint8_t> log = logOf({
        {kv::kLogShortcut, "C:\\WINDOWS\\Start Menu\\Programs\\Old\\1.lnk"},
        {kv::kLogProgramFolder, "C:\\WINDOWS\\Start Menu\\Programs\\Old"},
        {kv::kLogFile, "C:\\Program Files\\TarnWeld\\B.DLL"},
        {kv::kLogFile, "C:\\Program Files\\TarnWeld\\a.dll"},
        {kv::kLogFile, "C:\\Program Files\\TarnWeld\\b.dll"},
        {kv::kLogFolder, "C:\\Program Files\\TarnWeld\\RES"},
        {kv::kLogFolder, "C:\\Program Files\\TarnWeld"},
        {kv::kLogFolder, "C:\\Program Files\\TarnWeld\\RES\\Deeper"},
        {kv::kLogAutoStartValue, "QRXTARNWELDMOUSE"},
        {kv::kLogShortcut, "C:\\WINDOWS\\Start Menu\\Programs\\TW\\1.lnk"},
        {kv::kLogShortcut, "C:\\WINDOWS\\Start Menu\\Programs\\TW\\2.lnk"},
        {kv::kLogProgramFolder, "C:\\WINDOWS\\Start Menu\\Programs\\TW"},
        {kv::kLogUninstallKey, "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\TW"},
    });
    kv::Vector<kv::PlannedRecord> plan;
    ASSERT_TRUE(kv::planRemoval(log.data(), log.size(), f, noLead, plan));
    std::vector<std::string> order;
    for (const kv::PlannedRecord& r : plan) {
        EXPECT_EQ(kv::Verdict::Act, r.verdict);
        order.push_back(std::string(reinterpret_cast<const char*>(log.data() + r.offset), r.length));
    }
    const std::vector<std::string> expected = {
        "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\TW",
        "C:\\WINDOWS\\Start Menu\\Programs\\TW\\2.lnk",
        "C:\\WINDOWS\\Start Menu\\Programs\\TW\\1.lnk",
        "C:\\WINDOWS\\Start Menu\\Programs\\Old\\1.lnk",
        "C:\\WINDOWS\\Start Menu\\Programs\\TW",
        "C:\\WINDOWS\\Start Menu\\Programs\\Old",
        "QRXTARNWELDMOUSE",
        "C:\\Program Files\\TarnWeld\\b.dll",
        "C:\\Program Files\\TarnWeld\\a.dll",
        "C:\\Program Files\\TarnWeld\\RES\\Deeper",
        "C:\\Program Files\\TarnWeld\\RES",
        "C:\\Program Files\\TarnWeld",
    };
    EXPECT_EQ(expected, order);
}

TEST(RemovalRules, FilterListKeepsOtherFiltersInOrder) {
    struct Case {
        std::string list;
        kv::FilterEdit edit;
        std::string kept;
    } cases[] = {
        {std::string("KVFLTSYS.SYS\0\0", 14), kv::FilterEdit::Emptied, ""},
        {std::string("kvfltsys\0\0", 10), kv::FilterEdit::Emptied, ""},  // the service name
        {std::string("a\0kvfltsys.sys\0b\0\0", 19), kv::FilterEdit::Edited, std::string("a\0b\0\0", 5)},
        {std::string("kvfltsys.sys\0a\0", 15), kv::FilterEdit::Edited, std::string("a\0\0", 3)},  // no last 0x00
        {std::string("a\0kvfltsys.sysx\0\0", 18), kv::FilterEdit::Unchanged, ""},
        {std::string("\0\0", 2), kv::FilterEdit::Unchanged, ""},
    };
    for (const Case& c : cases) {
        char out[64];
        std::size_t size = 0;
        EXPECT_EQ(c.edit, kv::removeFilterDriver(c.list.data(), c.list.size(), out, sizeof(out), &size));
        EXPECT_EQ(c.kept, std::string(out, size));
    }
    // No room for the other filters: said so, unless the driver is not named.
    char tiny[3];
    std::size_t size = 0;
    const std::string named("long\0kvfltsys\0\0", 15), other("long\0short\0\0", 12);
    EXPECT_EQ(kv::FilterEdit::NoRoom, kv::removeFilterDriver(named.data(), named.size(), tiny, sizeof(tiny), &size));
    EXPECT_EQ(kv::FilterEdit::Unchanged, kv::removeFilterDriver(other.data(), other.size(), tiny, sizeof(tiny), &size));
}

TEST(RemovalRules, WininitLinesAddedWithoutTouchingOthers) {
    const std::string ours = "NUL=C:\\PROG~1\\A.DLL\r\n";
    struct Case {
        std::string before, after;
    } cases[] = {
        {"", "[rename]\r\n" + ours},
        {"[rename]\r\nNUL=C:\\OTHER.TMP\r\n", "[rename]\r\nNUL=C:\\OTHER.TMP\r\n" + ours},
        {"[Rename]\r\nNUL=C:\\X\r\n[other]\r\nk=v\r\n", "[Rename]\r\nNUL=C:\\X\r\n" + ours + "[other]\r\nk=v\r\n"},
        {"[other]\r\nk=v", "[other]\r\nk=v\r\n[rename]\r\n" + ours},
        {"[rename]\nNUL=C:\\X", "[rename]\nNUL=C:\\X\r\n" + ours},
    };
    for (const Case& c : cases) {
        char out[256];
        const std::size_t n = kv::addWininitLines(c.before.data(), c.before.size(), ours.data(), ours.size(), out,
                                                  sizeof(out));
        EXPECT_EQ(c.after, std::string(out, n)) << c.before;
    }
    char small[8];
    EXPECT_EQ(0u, kv::addWininitLines("", 0, ours.data(), ours.size(), small, sizeof(small)));
}
