// Product, auto-start and uninstall registration on the real registry, with
// the uninstall log each step appends to.
#include "install/install_state.h"
#include "common/setup_config.h"
#include "install/install_steps.h"
#include "engine_test_support.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

using kv::installState;
using kv::LogRecord;
using kv::setupConfig;

namespace {

const char kRunKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
const char kRunValue[] = "QRXTARNWELDMOUSE";
const char kProductKey[] = "Software\\TARNWELDMouse";
const char kUninstallList[] = "Software\\Microsoft\\windows\\CurrentVersion\\Uninstall";
const char kDestination[] = "C:\\Program Files\\Kv Test Mouse";

std::string quoted(const std::string& path) { return "\"" + path + "\""; }

class RegistrationTest : public ::testing::Test {
protected:
    void SetUp() override {
        kvtest::resetEngineState();
        temp_ = kvtest::makeTempFolder("registration");
        logPath_ = temp_ + "\\kvrem00.log";
        ASSERT_TRUE(installState.uninstallLog.create(logPath_.c_str()));
        kv::copyInto(installState.destinationDir, kDestination);
        installName_ = "KVTEST Install " + std::to_string(::GetCurrentProcessId());
        productName_ = "KvTest Wheel Mouse " + std::to_string(::GetCurrentProcessId());
        setupConfig.mainTitle = kv::makeOwnedText(installName_.c_str());
        setupConfig.captionBar = kv::makeOwnedText("KVTEST Driver");
        setupConfig.productKey = kv::makeOwnedText("kvtray32.exe");
        setupConfig.productName = kv::makeOwnedText(productName_.c_str());
        clean();
    }
    void TearDown() override {
        installState.uninstallLog.close();
        clean();
        kvtest::removeTree(temp_);
        kvtest::resetEngineState();
    }
    void clean() {
        kvtest::deleteRegistryValue(HKEY_LOCAL_MACHINE, kRunKey, kRunValue);
        kvtest::deleteRegistryTree(HKEY_LOCAL_MACHINE, kProductKey);
        kvtest::deleteRegistryTree(HKEY_LOCAL_MACHINE, countKey());
        kvtest::deleteRegistryTree(HKEY_LOCAL_MACHINE, uninstallKey());
    }
    std::string countKey() const { return "SOFTWARE\\MORVASETUP\\" + installName_; }
    std::string uninstallKey() const { return std::string(kUninstallList) + "\\" + productName_; }
    std::string value(const std::string& key, const char* name) const {
        std::string text;
        return kvtest::readRegistryString(HKEY_LOCAL_MACHINE, key, name, text) ? text : "<missing>";
    }
    DWORD installCount() const {
        DWORD count = 0xDEAD;
        kvtest::readRegistryDword(HKEY_LOCAL_MACHINE, countKey(), "INSTALLCOUNT", count);
        return count;
    }
    bool setInstallCount(const kvtest::RegistryValue& count) const {
        return kvtest::writeRegistryValue(HKEY_LOCAL_MACHINE, countKey(), "INSTALLCOUNT", count);
    }
    std::vector<std::uint8_t> logBytes() {
        installState.uninstallLog.close();
        std::vector<std::uint8_t> bytes;
        kvtest::readFileBytes(logPath_, bytes);
        return bytes;
    }

    std::string temp_, logPath_, installName_, productName_;
};

// --- Product and auto-start registration -----------------------------------

TEST_F(RegistrationTest, ProductRegistrationWritesItsValuesAndAnEighteenByteRecord) {
    kv::runProductRegistration();
    EXPECT_EQ(quoted(std::string(kDestination) + "\\kvtray32.exe"), value(kRunKey, kRunValue));
    EXPECT_EQ(installName_, value(kProductKey, "InstallName"));
    EXPECT_EQ("KVTEST Driver", value(kProductKey, "SubInstallName"));
    EXPECT_EQ(1u, installCount());

    const std::vector<std::uint8_t> bytes = logBytes();
    ASSERT_EQ(18u, bytes.size());
    EXPECT_EQ(kvtest::encodeRecords({{0xFD, "QRXTARNWELDMOUSE"}}), bytes);
}

TEST_F(RegistrationTest, InstallCountCountsEveryRunAndWrapsAtTheTop) {
    for (int run = 0; run < 3; ++run) kv::runProductRegistration();
    EXPECT_EQ(3u, installCount());

    ASSERT_TRUE(setInstallCount(kvtest::dwordValue(0)));
    kv::runProductRegistration();
    EXPECT_EQ(1u, installCount());

    ASSERT_TRUE(setInstallCount(kvtest::dwordValue(4294967295u)));
    kv::runProductRegistration();
    EXPECT_EQ(0u, installCount());

    // A value that cannot be read as a 4-byte number counts as absent.
    kvtest::deleteRegistryTree(HKEY_LOCAL_MACHINE, countKey());
    ASSERT_TRUE(setInstallCount(kvtest::stringValue("twelve")));
    kv::runProductRegistration();
    EXPECT_EQ(1u, installCount());
}

TEST_F(RegistrationTest, AnEmptyRunProgramNameLeavesTheFolderAndOneSeparator) {
    setupConfig.productKey.reset();
    kv::runProductRegistration();
    EXPECT_EQ(quoted(std::string(kDestination) + "\\"), value(kRunKey, kRunValue));
}

TEST_F(RegistrationTest, AKeyThatCannotBeOpenedSkipsOnlyItsOwnProductBlock) {
    {
        kvtest::LockedRegistryKey lockedRun(HKEY_LOCAL_MACHINE, kRunKey);
        ASSERT_TRUE(lockedRun.locked());
        kv::runProductRegistration();
    }
    EXPECT_EQ("<missing>", value(kRunKey, kRunValue));
    EXPECT_TRUE(logBytes().empty()) << "no record without the value's key";
    ASSERT_TRUE(installState.uninstallLog.create(logPath_.c_str()));
    EXPECT_EQ(installName_, value(kProductKey, "InstallName"));
    EXPECT_EQ(1u, installCount());

    // With the count key locked the count is not written anywhere else, in
    // particular not into the product key opened just before.
    {
        kvtest::LockedRegistryKey lockedCount(HKEY_LOCAL_MACHINE, countKey());
        ASSERT_TRUE(lockedCount.locked());
        kv::runProductRegistration();
    }
    EXPECT_EQ(1u, installCount());
    EXPECT_FALSE(kvtest::registryValueExists(HKEY_LOCAL_MACHINE, kProductKey, "INSTALLCOUNT"));

    kvtest::deleteRegistryTree(HKEY_LOCAL_MACHINE, kProductKey);
    {
        kvtest::LockedRegistryKey lockedProduct(HKEY_LOCAL_MACHINE, kProductKey);
        ASSERT_TRUE(lockedProduct.locked());
        kv::runProductRegistration();
    }
    EXPECT_EQ("<missing>", value(kProductKey, "InstallName"));
    EXPECT_EQ(2u, installCount());
}

// --- Uninstall registration -----------------------------------------------------

TEST_F(RegistrationTest, UninstallRegistrationWritesTheEntryAndLogsItsKey) {
    kv::runUninstallRegistration();
    EXPECT_EQ(productName_, value(uninstallKey(), "DisplayName"));
    EXPECT_EQ(quoted(std::string(kDestination) + "\\kvrem00.exe"), value(uninstallKey(), "UninstallString"));
    EXPECT_EQ(kDestination, value(kProductKey, "AppPath"));
    EXPECT_EQ(productName_, value(kProductKey, "ProductName"));
    EXPECT_EQ("kvtray32.exe", value(kProductKey, "ProductKey"));
    EXPECT_EQ(kvtest::encodeRecords({{0xFA, uninstallKey()}}), logBytes());
}

// Unquoted, "C:\Program Files\Kv Test Mouse\kvtray32.exe" would run a
// "C:\Program.exe" at every logon. The value names stay.
TEST_F(RegistrationTest, BothCommandsAreQuotedWhenTheirPathHasABlankAndBareOtherwise) {
    const struct {
        const char* destination;
        const char* runProgram;
        std::string run, uninstall;  // "<missing>": not written
    } cases[] = {
        {"C:\\KvTestMouse", "kvtray32.exe", "C:\\KvTestMouse\\kvtray32.exe", "C:\\KvTestMouse\\kvrem00.exe"},
        {"C:\\KvTestMouse", "kv tray.exe", quoted("C:\\KvTestMouse\\kv tray.exe"), "C:\\KvTestMouse\\kvrem00.exe"},
        {"C:\\Kv Test Mouse", "kvtray32.exe", quoted("C:\\Kv Test Mouse\\kvtray32.exe"),
         quoted("C:\\Kv Test Mouse\\kvrem00.exe")},
        // A quote in the package's program name would end the quoted path.
        {"C:\\Kv Test Mouse", "x.exe\" C:\\evil.exe \"", "<missing>", quoted("C:\\Kv Test Mouse\\kvrem00.exe")},
    };
    for (const auto& c : cases) {
        clean();
        kv::copyInto(installState.destinationDir, c.destination);
        setupConfig.productKey = kv::makeOwnedText(c.runProgram);
        kv::runProductRegistration();
        kv::runUninstallRegistration();
        EXPECT_EQ(c.run, value(kRunKey, kRunValue)) << c.destination << " " << c.runProgram;
        EXPECT_EQ(c.uninstall, value(uninstallKey(), "UninstallString")) << c.destination;
    }
    // The record of the auto-start value is written all the same.
    const std::vector<LogRecord> expectedRecords = {{0xFD, kRunValue}, {0xFA, uninstallKey()}};
    const std::vector<LogRecord> records = kvtest::readLogRecords(logPath_);
    ASSERT_EQ(8u, records.size());
    EXPECT_EQ(expectedRecords, std::vector<LogRecord>(records.end() - 2, records.end()));
}

TEST_F(RegistrationTest, WithoutAProductNameNothingIsWrittenOntoTheUninstallList) {
    setupConfig.productName.reset();
    ASSERT_FALSE(kvtest::registryValueExists(HKEY_LOCAL_MACHINE, kUninstallList, "DisplayName"));
    kv::runUninstallRegistration();
    EXPECT_FALSE(kvtest::registryValueExists(HKEY_LOCAL_MACHINE, kUninstallList, "DisplayName"));
    EXPECT_FALSE(kvtest::registryValueExists(HKEY_LOCAL_MACHINE, kUninstallList, "UninstallString"));
    EXPECT_TRUE(logBytes().empty());
    EXPECT_EQ(kDestination, value(kProductKey, "AppPath"));
    EXPECT_EQ("", value(kProductKey, "ProductName"));
}

TEST_F(RegistrationTest, AnUninstallKeyThatCannotBeMadeStillLeavesTheProductValues) {
    {
        kvtest::LockedRegistryKey locked(HKEY_LOCAL_MACHINE, uninstallKey());
        ASSERT_TRUE(locked.locked());
        kv::runUninstallRegistration();
    }
    EXPECT_EQ("<missing>", value(uninstallKey(), "DisplayName"));
    EXPECT_TRUE(logBytes().empty());
    EXPECT_EQ(kDestination, value(kProductKey, "AppPath"));
    EXPECT_EQ(productName_, value(kProductKey, "ProductName"));

    // A name too long for the key path: refused as a whole, not cut short.
    const std::string longName(230, 'n');
    setupConfig.productName = kv::makeOwnedText(longName.c_str());
    ASSERT_TRUE(installState.uninstallLog.create(logPath_.c_str()));
    kv::runUninstallRegistration();
    EXPECT_TRUE(logBytes().empty());
    EXPECT_FALSE(kvtest::registryKeyExists(HKEY_LOCAL_MACHINE,
                                           std::string(kUninstallList) + "\\" + longName.substr(0, 200)));
    EXPECT_EQ(longName, value(kProductKey, "ProductName"));
}

}  // namespace
