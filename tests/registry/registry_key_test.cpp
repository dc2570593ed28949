#include "common/registry_key.h"
#include "support/test_registry.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

using kv::RegistryKey;

namespace {

const char kTestKey[] = "Software\\KvSetupTests\\RegistryKey";

class RegistryKeyTest : public ::testing::Test {
protected:
    void SetUp() override { kvtest::deleteRegistryTree(HKEY_CURRENT_USER, kTestKey); }
    void TearDown() override { kvtest::deleteRegistryTree(HKEY_CURRENT_USER, kTestKey); }
    // A key under the test key, opened or created.
    RegistryKey& atTestKey() {
        key_.SetRoot(HKEY_CURRENT_USER);
        EXPECT_TRUE(key_.Open(kTestKey, true));
        return key_;
    }
    // What is stored under the test key, as any other program reads it.
    static kvtest::RegistryValue stored(const char* name) {
        kvtest::RegistryValue value;
        kvtest::readRegistryValue(HKEY_CURRENT_USER, kTestKey, name, value);
        return value;
    }
    static void store(const char* name, const kvtest::RegistryValue& value) {
        ASSERT_TRUE(kvtest::writeRegistryValue(HKEY_CURRENT_USER, kTestKey, name, value));
    }
    RegistryKey key_;
};

}  // namespace

// A fresh key, and a key after Reset, works below the current user's root
// and never flushes; SetRoot takes the four roots setup uses and refuses any
// other, keeping the one it had.
TEST_F(RegistryKeyTest, FreshAndResetKeysWorkBelowTheCurrentUser) {
    RegistryKey key;
    EXPECT_EQ(1, key.Open(kTestKey, true));
    EXPECT_EQ(1, key.WriteString("Name", "fresh"));
    EXPECT_EQ(kvtest::stringValue("fresh").bytes, stored("Name").bytes);
    EXPECT_EQ(0, key.lastError());
    EXPECT_EQ(1, key.lazyFlush());

    const struct {
        HKEY root;
        int taken;
        const char* aKeyOfTheRootInUse;
    } roots[] = {
        {HKEY_LOCAL_MACHINE, 1, "Hardware\\Description"},
        {HKEY_CURRENT_CONFIG, 0, "Hardware\\Description"},
        {reinterpret_cast<HKEY>(0x1234), 0, "Hardware\\Description"},
        {HKEY_USERS, 1, ".Default"},
        {HKEY_CLASSES_ROOT, 1, "CLSID"},
        {HKEY_CURRENT_USER, 1, kTestKey},
    };
    for (const auto& row : roots) {
        SCOPED_TRACE(row.aKeyOfTheRootInUse);
        EXPECT_EQ(row.taken, key.SetRoot(row.root));
        EXPECT_EQ(1, key.KeyExists(row.aKeyOfTheRootInUse));
    }

    key.Open(kTestKey, false);
    key.SetRoot(HKEY_LOCAL_MACHINE);
    key.setLazyFlush(0);
    key.Reset();
    EXPECT_EQ(1, key.KeyExists(kTestKey));             // the current user again
    EXPECT_EQ("none", key.ReadString("Name", "none"));  // the root itself, no path
    EXPECT_EQ(1, key.lazyFlush());
}

TEST_F(RegistryKeyTest, OpenCreateAndFailedOpenKeepsThePath) {
    RegistryKey key;
    EXPECT_EQ(0, key.Open(kTestKey, false));  // does not exist yet
    EXPECT_NE(0, key.lastError());
    EXPECT_TRUE(key.path().empty());
    EXPECT_EQ(1, key.Open(kTestKey, true));
    EXPECT_EQ(kTestKey, key.path());
    EXPECT_EQ(1, key.WriteString("Name", "first"));
    EXPECT_EQ(0, key.Open("Software\\KvSetupTests\\Missing", false));
    EXPECT_EQ(kTestKey, key.path());
    EXPECT_EQ("first", key.ReadString("Name", "default"));  // still the last good key
    EXPECT_EQ(1, key.Open("", false));
    EXPECT_TRUE(key.path().empty());
    EXPECT_EQ("default", key.ReadString("Name", "default"));  // now the root itself
}

TEST_F(RegistryKeyTest, StringLimits) {
    RegistryKey& key = atTestKey();
    const std::string s254(254, 'a');
    const std::string s255(255, 'b');
    EXPECT_EQ(1, key.WriteString("s254", s254.c_str()));
    EXPECT_EQ(255u, stored("s254").bytes.size());
    EXPECT_EQ(0, key.WriteString("s255", s255.c_str()));
    EXPECT_EQ(REG_NONE, stored("s255").type);
    EXPECT_EQ(s254, key.ReadString("s254", "default"));

    // A 255-character value (256 bytes with terminator) is too long to read.
    store("long", kvtest::stringValue(s255));
    store("expand", {REG_EXPAND_SZ, std::string("%TEMP%\\x", 9)});
    EXPECT_EQ("default", key.ReadString("long", "default"));
    EXPECT_EQ("%TEMP%\\x", key.ReadString("expand", "default"));  // not expanded
    EXPECT_EQ("default", key.ReadString("missing", "default"));
}

TEST_F(RegistryKeyTest, DwordsTypesAndTypeMismatches) {
    RegistryKey& key = atTestKey();
    EXPECT_EQ(1, key.WriteDword("count", 0xFFFFFFFFu));
    EXPECT_EQ(0xFFFFFFFFu, key.ReadDword("count", 5));
    EXPECT_EQ(5u, key.ReadDword("missing", 5));
    EXPECT_EQ(static_cast<DWORD>(REG_DWORD), key.GetValueType("count"));
    EXPECT_EQ(0u, key.GetValueType("missing"));
    EXPECT_EQ("default", key.ReadString("count", "default"));  // a number is no string
    key.WriteString("text", "abc");
    EXPECT_EQ(static_cast<DWORD>(REG_SZ), key.GetValueType("text"));
    // The type is not examined: the first four bytes of "abc" are read as a number.
    EXPECT_EQ(0x00636261u, key.ReadDword("text", 7));
}

TEST_F(RegistryKeyTest, RawBytesAndMultiStrings) {
    RegistryKey& key = atTestKey();
    const char multi[] = "kvfltsys.sys\0other.sys\0";
    store("LowerFilters", kvtest::multiStringValue({"kvfltsys.sys", "other.sys"}));
    BYTE out[300];
    std::memset(out, 0xAB, sizeof(out));
    EXPECT_EQ(sizeof(multi), key.ReadValueBytes("LowerFilters", out));
    EXPECT_EQ(0, std::memcmp(out, multi, sizeof(multi)));
    std::memset(out, 0xAB, sizeof(out));
    EXPECT_EQ(0u, key.ReadValueBytes("missing", out));
    EXPECT_EQ(0xAB, out[0]);  // untouched
    EXPECT_EQ(1, key.DeleteValue("LowerFilters"));
    EXPECT_EQ(0, key.DeleteValue("LowerFilters"));
}

TEST_F(RegistryKeyTest, KeysExistAndAreDeletedRelativeToTheRoot) {
    RegistryKey key;
    EXPECT_EQ(1, key.DeleteKey("Software\\KvSetupTests\\NeverThere"));  // nothing to delete
    key.Open(kTestKey, true);
    key.Open("Software", false);  // the current path does not matter
    EXPECT_EQ(1, key.KeyExists(kTestKey));
    EXPECT_EQ(0, key.KeyExists(kTestKey, HKEY_LOCAL_MACHINE));
    EXPECT_EQ(1, key.DeleteKey(kTestKey));
    EXPECT_EQ(0, key.KeyExists(kTestKey));
}

TEST_F(RegistryKeyTest, WritesFailWhenTheKeyIsGone) {
    RegistryKey& key = atTestKey();
    ::RegDeleteKeyA(HKEY_CURRENT_USER, kTestKey);
    EXPECT_EQ(0, key.WriteString("Name", "x"));
    EXPECT_EQ(0, key.WriteDword("Name", 1));
    EXPECT_EQ(3u, key.ReadDword("Name", 3));
    EXPECT_EQ(0u, key.GetValueType("Name"));
    EXPECT_NE(0, key.lastError());
}
