#include "base/bounded_format.h"
#include "base/heap_string.h"
#include "common/multibyte_text.h"
#include "toolsupport/log_record.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

TEST(BoundedFormat, RefusesInsteadOfCutting) {
    char path[kv::kPathCapacity];
    EXPECT_TRUE(kv::formatInto(path, "%s\\%s", "C:\\Program Files", "Pkg"));
    EXPECT_STREQ("C:\\Program Files\\Pkg", path);

    const std::string exact(258, 'a');  // 258 + "\" + "" = 259 characters fit
    EXPECT_TRUE(kv::formatInto(path, "%s\\%s", exact.c_str(), ""));
    EXPECT_EQ(259u, std::strlen(path));
    EXPECT_FALSE(kv::formatInto(path, "%s\\%s", exact.c_str(), "b"));
    EXPECT_STREQ("", path);

    char small[4];
    EXPECT_TRUE(kv::copyInto(small, "abc"));
    EXPECT_FALSE(kv::copyInto(small, "abcd"));
    EXPECT_STREQ("", small);
    EXPECT_TRUE(kv::copyInto(small, nullptr));
    EXPECT_TRUE(kv::copyInto(small, "ab"));
    EXPECT_TRUE(kv::appendInto(small, "c"));
    EXPECT_FALSE(kv::appendInto(small, "d"));
    EXPECT_STREQ("abc", small);  // unchanged by the refused append
}

TEST(BoundedFormat, ConversionsTheProgramUses) {
    struct Case {
        const char* expected;
        char text[64];
    };
    const unsigned long data1 = 0x36FC9E60UL;
    Case cases[] = {
        {"{36FC9E60-C465-11CF-8056-444553540000}", {}},
        {"-42|7|   ab|ab   |-0042", {}},
        {"x 100%", {}},
        {"", {}},  // a conversion the formatter does not know
    };
    kv::formatInto(cases[0].text, "{%08lX-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}", data1, 0xC465u,
                   0x11CFu, 0x80u, 0x56u, 0x44u, 0x45u, 0x53u, 0x54u, 0x00u, 0x00u);
    kv::formatInto(cases[1].text, "%d|%u|%5s|%-5s|%05d", -42, 7u, "ab", "ab", -42);
    kv::formatInto(cases[2].text, "%c%s %d%%", 'x', "", 100);
    EXPECT_FALSE(kv::formatInto(cases[3].text, "%.2f", 1.5));
    for (const Case& c : cases) EXPECT_STREQ(c.expected, c.text);

    kv::String grown("a");
    grown += kv::String("bc") + "d";
    grown += 'e';
    EXPECT_EQ("abcde", grown);
    EXPECT_EQ(4u, grown.find('e'));
    EXPECT_EQ(kv::String::npos, grown.find('x'));
}

namespace {
// Code page 932 style lead bytes for the tests, independent of the system.
bool shiftJisLead(unsigned char b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }
}  // namespace

TEST(MultibyteText, TrailBytesAreNeverLettersOrSeparators) {
    // 0x95 0x5C is one character whose trail byte equals "\".
    const char path[] = "C:\\\x95\x5C\\dir";
    EXPECT_EQ(2, kv::findCharMultibyte(path, 1, '\\', shiftJisLead));
    EXPECT_EQ(5, kv::findCharMultibyte(path, 3, '\\', shiftJisLead));
    EXPECT_EQ(-1, kv::findCharMultibyte(path, 6, '\\', shiftJisLead));
    // 0x82 0x61 is one character whose trail byte equals "a".
    EXPECT_EQ("\x82\x61" "BC", kv::upperCaseMultibyte("\x82\x61" "bc", shiftJisLead));
    EXPECT_EQ("\x82\x41" "bc", kv::lowerCaseMultibyte("\x82\x41" "BC", shiftJisLead));
    EXPECT_FALSE(kv::containsMultibyte("\x82\x41" "B", "AB", shiftJisLead));
    EXPECT_TRUE(kv::containsMultibyte("x\x82\x41" "AB", "AB", shiftJisLead));
    // A lead byte at the very end stays as it is.
    EXPECT_EQ("A\x82", kv::upperCaseMultibyte("a\x82", shiftJisLead));
}

TEST(LogRecord, EncodesAndDecodesRecords) {
    std::vector<std::uint8_t> log = kv::encodeLogRecord(kv::kLogFile, "C:\\a.txt");
    const std::vector<std::uint8_t> second = kv::encodeLogRecord(kv::kLogFolder, "");
    log.insert(log.end(), second.begin(), second.end());
    ASSERT_EQ(12u, log.size());
    EXPECT_EQ(0xFF, log[0]);
    EXPECT_EQ(0x00, log[9]);
    std::vector<kv::LogRecord> records;
    ASSERT_TRUE(kv::decodeLog(log, records));
    ASSERT_EQ(2u, records.size());
    EXPECT_EQ((kv::LogRecord{0xFF, "C:\\a.txt"}), records[0]);
    EXPECT_EQ((kv::LogRecord{0xFE, ""}), records[1]);
    log.pop_back();  // a record without its end byte
    records.clear();
    EXPECT_FALSE(kv::decodeLog(log, records));
    EXPECT_EQ(1u, records.size());
}
