// Filter driver removal against a test double of the Setup API library
// (setupapi.dll in the system folder, a marker of that name beside this
// program) and device keys that the tests write.
#include "install/install_state.h"
#include "common/platform_detect.h"
#include "install/usb_filter_removal.h"
#include "engine_test_support.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>

using kv::installState;

namespace {

const char kGuid[] = "{A5DCBF10-6530-11D2-901F-00C04FB951ED}";
const std::string kClassKey =
    std::string("System\\CurrentControlSet\\Control\\DeviceClasses\\") + kGuid;

using Filters = std::vector<std::string>;

class UsbFilterRemovalTest : public ::testing::Test {
protected:
    void SetUp() override {
        kvtest::resetEngineState();
        kv::detectPlatformAndLanguage();
        temp_ = kvtest::makeTempFolder("usb");
        record_ = temp_ + "\\setupapi.log";
        devices_ = temp_ + "\\devices.txt";
        tag_ = "KVTEST_" + kvtest::windowsVersion();
        ::SetEnvironmentVariableA("KV_DOUBLE_LOG", record_.c_str());
        ::SetEnvironmentVariableA("KV_SETUPAPI_DEVICES", devices_.c_str());
        ::SetEnvironmentVariableA("KV_SETUPAPI_NO_SET", nullptr);
    }
    void TearDown() override {
        for (const std::string& key : classEntries_)
            kvtest::deleteRegistryTree(HKEY_LOCAL_MACHINE, kClassKey + "\\" + key);
        ::RegDeleteKeyA(HKEY_LOCAL_MACHINE, kClassKey.c_str());  // only when left empty
        kvtest::deleteRegistryTree(HKEY_LOCAL_MACHINE, "Enum\\USB\\" + tag_);
        ::SetEnvironmentVariableA("KV_DOUBLE_LOG", nullptr);
        ::SetEnvironmentVariableA("KV_SETUPAPI_DEVICES", nullptr);
        ::SetEnvironmentVariableA("KV_SETUPAPI_NO_SET", nullptr);
        kvtest::removeTree(temp_);
    }

    // The name a device has below the class entry: "##.#" and the rest of
    // its "\\.\" device path.
    std::string deviceName(int n) const {
        return "USB#" + tag_ + "#" + std::to_string(n) + "#{a5dcbf10-6530-11d2-901f-00c04fb951ed}";
    }
    std::string devicePath(int n) const { return "\\\\.\\" + deviceName(n); }
    std::string hardwareKey(int n) const { return "Enum\\USB\\" + tag_ + "\\" + std::to_string(n); }

    // A device with its class entry, instance value and hardware key.
    void addDevice(int n, const Filters& filters) {
        addClassEntry("##.#" + deviceName(n), "USB\\" + tag_ + "\\" + std::to_string(n));
        ASSERT_TRUE(kvtest::writeRegistryValue(HKEY_LOCAL_MACHINE, hardwareKey(n), "LowerFilters",
                                               kvtest::multiStringValue(filters)));
    }
    void addClassEntry(const std::string& name, const std::string& instance, bool withInstance = true) {
        classEntries_.push_back(name);
        const std::string key = kClassKey + "\\" + name;
        ASSERT_TRUE(kvtest::writeRegistryValue(HKEY_LOCAL_MACHINE, key, withInstance ? "DeviceInstance" : "Other",
                                               kvtest::stringValue(withInstance ? instance : "x")));
    }
    bool hasFilters(int n) const {
        return kvtest::registryValueExists(HKEY_LOCAL_MACHINE, hardwareKey(n), "LowerFilters");
    }

    void writeDeviceList(const std::vector<std::string>& lines) {
        std::ofstream out(devices_, std::ios::binary);
        for (const std::string& line : lines) out << line << "\r\n";
    }
    std::vector<std::string> calls() const { return kvtest::readLines(record_); }
    std::vector<std::string> callsStartingWith(const std::string& prefix) const {
        std::vector<std::string> found;
        for (const std::string& line : calls())
            if (line.compare(0, prefix.size(), prefix) == 0) found.push_back(line);
        return found;
    }

    std::string temp_, record_, devices_, tag_;
    std::vector<std::string> classEntries_;
};

TEST_F(UsbFilterRemovalTest, DeletesTheWholeValueOnlyWhereTheFilterStandsFirst) {
    if (!installState.is95Family()) GTEST_SKIP() << "Windows 95 family only";
    std::vector<std::string> list(140, "-");  // "-": enumeration fails there
    addDevice(0, {"KVFLTSYS.SYS"});
    list[0] = devicePath(0);
    addDevice(2, {"KvFltSys.Sys", "other.sys"});
    list[2] = devicePath(2);
    addDevice(3, {"other.sys", "kvfltsys.sys"});
    list[3] = devicePath(3);
    // An NT-style path, whose key would be found if the prefix were not checked.
    addDevice(4, {"kvfltsys.sys"});
    list[4] = "\\\\?\\" + deviceName(4);
    // A class entry without an instance value, and one with an empty value.
    addClassEntry("##.#" + deviceName(5), "", false);
    list[5] = devicePath(5);
    addClassEntry("##.#" + deviceName(6), "");
    list[6] = devicePath(6);
    // The detail of this one fails.
    addDevice(7, {"kvfltsys.sys"});
    list[7] = "!" + devicePath(7);
    // No class entry at all.
    list[8] = devicePath(8);
    // The last index examined and the first one past it.
    addDevice(127, {"kvfltsys.sys"});
    list[127] = devicePath(127);
    addDevice(128, {"kvfltsys.sys"});
    list[128] = devicePath(128);
    writeDeviceList(list);

    EXPECT_EQ(1, kv::RemoveUsbLowerFilter());

    EXPECT_FALSE(hasFilters(0));
    EXPECT_FALSE(hasFilters(2));
    EXPECT_TRUE(hasFilters(3));
    EXPECT_TRUE(hasFilters(4));
    EXPECT_TRUE(hasFilters(7));
    EXPECT_FALSE(hasFilters(127));
    EXPECT_TRUE(hasFilters(128));

    const std::vector<std::string> all = calls();
    ASSERT_FALSE(all.empty());
    EXPECT_EQ("setupapi load", all.front());
    EXPECT_EQ("setupapi unload", all.back());
    EXPECT_EQ(std::vector<std::string>{"classdevs guid=" + std::string(kGuid) +
                                       " enumerator=null window=null flags=0x12"},
              callsStartingWith("classdevs"));
    // Every index from 0 to 127 is asked once, gaps or not, and none beyond.
    std::vector<std::string> expectedEnums;
    for (int i = 0; i < 128; ++i) expectedEnums.push_back("enum " + std::to_string(i) + " size=28");
    EXPECT_EQ(expectedEnums, callsStartingWith("enum "));
    const std::vector<std::string> details = callsStartingWith("detail ");
    EXPECT_EQ(9u, details.size());  // 0, 2 to 8 and 127
    for (const std::string& line : details) EXPECT_NE(std::string::npos, line.find(" size=5 buffer=256"));
    EXPECT_EQ(std::vector<std::string>{"destroy valid"}, callsStartingWith("destroy"));
}

TEST_F(UsbFilterRemovalTest, ReturnsZeroWhenNoDeviceHasTheFilterFirst) {
    if (!installState.is95Family()) GTEST_SKIP() << "Windows 95 family only";
    addDevice(0, {"other.sys"});
    addDevice(1, {"kvfltsys.sys.old"});
    writeDeviceList({devicePath(0), devicePath(1)});
    EXPECT_EQ(0, kv::RemoveUsbLowerFilter());
    EXPECT_TRUE(hasFilters(0));
    EXPECT_TRUE(hasFilters(1));
}

TEST_F(UsbFilterRemovalTest, WithoutADeviceSetNothingIsWalkedAndTheLibraryIsReleased) {
    if (!installState.is95Family()) GTEST_SKIP() << "Windows 95 family only";
    addDevice(0, {"kvfltsys.sys"});
    writeDeviceList({devicePath(0)});
    ::SetEnvironmentVariableA("KV_SETUPAPI_NO_SET", "1");
    EXPECT_EQ(0, kv::RemoveUsbLowerFilter());
    EXPECT_TRUE(hasFilters(0));
    EXPECT_TRUE(callsStartingWith("enum ").empty());
    EXPECT_TRUE(callsStartingWith("destroy").empty());
    EXPECT_EQ("setupapi unload", calls().back());
    EXPECT_EQ(nullptr, ::GetModuleHandleA("setupapi.dll"));
}

TEST_F(UsbFilterRemovalTest, OnTheNtFamilyTheLibraryIsNeverLoaded) {
    if (installState.is95Family()) GTEST_SKIP() << "NT family only";
    ASSERT_TRUE(installState.isNtFamily());
    addDevice(0, {"kvfltsys.sys"});
    writeDeviceList({devicePath(0)});
    EXPECT_EQ(nullptr, ::GetModuleHandleA("setupapi.dll"));
    EXPECT_EQ(0, kv::RemoveUsbLowerFilter());
    EXPECT_EQ(nullptr, ::GetModuleHandleA("setupapi.dll"));
    EXPECT_FALSE(kvtest::fileExists(record_)) << "the library was loaded";
    EXPECT_TRUE(hasFilters(0));
}

}  // namespace
