// Real detection: each copy of this program is run with Wine reporting one
// Windows version, and is told which one with --windows=<version>.
#include "install/install_state.h"
#include "common/platform_detect.h"
#include "common/registry_key.h"
#include "support/test_registry.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <string>

using kv::installState;

namespace {

const char kOptionsKey[] = "System\\CurrentControlSet\\Control\\ProductOptions";

std::string flagsText() {
    std::string text;
    if (installState.osIsXp()) text += "osIsXp ";
    if (installState.osIsNt5()) text += "osIsNt5 ";
    if (installState.osIs95()) text += "osIs95 ";
    if (installState.osIs98()) text += "osIs98 ";
    if (installState.osIsMe()) text += "osIsMe ";
    if (installState.osIsOtherNt()) text += "osIsOtherNt ";
    return text.empty() ? "none" : text.substr(0, text.size() - 1);
}

std::string expectedFlagFor(const std::string& version) {
    if (version == "win95") return "osIs95";
    if (version == "win98") return "osIs98";
    if (version == "winme") return "osIsMe";
    if (version == "nt40") return "osIsOtherNt";
    if (version == "win2k") return "osIsNt5";
    if (version == "winxp") return "osIsXp";
    return "";
}

// Saves the product options of the prefix and puts them back afterwards, so
// the fixtures of one test never reach another.
class ProductOptions {
public:
    // A null product type and an empty suite list are deleted.
    static void set(const char* productType, const std::string& suiteList, DWORD suiteType = REG_MULTI_SZ) {
        const kvtest::RegistryValue type = kvtest::stringValue(productType ? productType : "");
        const kvtest::RegistryValue suites{suiteType, suiteList};
        setOrDelete("ProductType", productType ? &type : nullptr);
        setOrDelete("ProductSuite", suiteList.empty() ? nullptr : &suites);
    }

private:
    static void setOrDelete(const char* name, const kvtest::RegistryValue* value) {
        if (value != nullptr)
            EXPECT_TRUE(kvtest::writeRegistryValue(HKEY_LOCAL_MACHINE, kOptionsKey, name, *value)) << name;
        else
            kvtest::deleteRegistryValue(HKEY_LOCAL_MACHINE, kOptionsKey, name);
    }
    kvtest::SavedRegistryValue type_{HKEY_LOCAL_MACHINE, kOptionsKey, "ProductType"};
    kvtest::SavedRegistryValue suite_{HKEY_LOCAL_MACHINE, kOptionsKey, "ProductSuite"};
};

std::string multiString(const std::vector<std::string>& entries) {
    return kvtest::multiStringValue(entries).bytes;
}

bool ntVersion() { return kvtest::versionIs({"nt40", "win2k", "winxp"}); }

}  // namespace

TEST(PlatformDetection, SetsTheOneFlagOfTheReportedVersion) {
    const std::string version = kvtest::windowsVersion();
    ASSERT_FALSE(version.empty()) << "run with --windows=<version>";
    ProductOptions saved;
    ProductOptions::set("WinNT", "");
    installState.platform = kv::PlatformFlag::Xp;  // the platform of an earlier run
    kv::detectPlatformAndLanguage();
    EXPECT_EQ(expectedFlagFor(version), flagsText());
}

TEST(PlatformDetection, ReadsVersionFacts) {
    kv::PlatformInfo info;
    ASSERT_TRUE(kv::readPlatformInfo(info));
    const std::string version = kvtest::windowsVersion();
    if (version == "win95") {
        EXPECT_EQ(1, info.platformKind);
        EXPECT_EQ(4u, info.majorVersion);
        EXPECT_EQ(0u, info.minorVersion);
        EXPECT_EQ(950u, info.buildNumber);  // high half of the build field dropped
    } else if (version == "win98") {
        EXPECT_EQ(2222u, info.buildNumber);
        EXPECT_EQ(10u, info.minorVersion);
    } else if (version == "winme") {
        EXPECT_EQ(3000u, info.buildNumber);
        EXPECT_EQ(90u, info.minorVersion);
    } else if (version == "nt40") {
        EXPECT_EQ(1381u, info.buildNumber);
    } else if (version == "win2k") {
        EXPECT_EQ(2195u, info.buildNumber);
    } else if (version == "winxp") {
        EXPECT_EQ(2600u, info.buildNumber);
        EXPECT_EQ(5u, info.majorVersion);
        EXPECT_EQ(1u, info.minorVersion);
    }
}

TEST(PlatformDetection, ProductTypeFromTheRegistry) {
    ProductOptions saved;
    int kind = -1;
    ProductOptions::set("ServerNT", "");
    EXPECT_TRUE(kv::readProductType(kind));
    EXPECT_EQ(6, kind);
    ProductOptions::set("lanmannt", "");
    EXPECT_TRUE(kv::readProductType(kind));
    EXPECT_EQ(7, kind);
    ProductOptions::set("LanSecNT", "");
    EXPECT_TRUE(kv::readProductType(kind));
    EXPECT_EQ(8, kind);
    ProductOptions::set("Workstation", "");
    EXPECT_FALSE(kv::readProductType(kind));
    ProductOptions::set(nullptr, "");
    EXPECT_FALSE(kv::readProductType(kind));

    if (kvtest::windowsVersion() == "win2k") {
        // A server product type keeps 2000 in the 5.x class.
        ProductOptions::set("ServerNT", "");
        kv::detectPlatformAndLanguage();
        EXPECT_EQ("osIsNt5", flagsText());
    }
}

TEST(PlatformDetection, SuiteListMatching) {
    ProductOptions saved;
    if (!ntVersion()) {
        // The 95 family has no suite list: never looked at.
        ProductOptions::set("WinNT", multiString({"Terminal Server"}));
        EXPECT_FALSE(kv::hasProductSuite("Terminal Server"));
        return;
    }
    ProductOptions::set("WinNT", multiString({"Small Business", "terminal server"}));
    EXPECT_TRUE(kv::hasProductSuite("Terminal Server"));
    ProductOptions::set("WinNT", multiString({"Remote Terminal Server Edition"}));
    EXPECT_TRUE(kv::hasProductSuite("Terminal Server"));
    ProductOptions::set("WinNT", multiString({"Terminal", "Server"}));
    EXPECT_FALSE(kv::hasProductSuite("Terminal Server"));
    ProductOptions::set("WinNT", multiString({"Enterprise"}));
    EXPECT_TRUE(kv::hasProductSuite("Enterprise"));
    EXPECT_FALSE(kv::hasProductSuite("Terminal Server"));
    // Only a multi-string counts.
    ProductOptions::set("WinNT", std::string("Enterprise", 11), REG_SZ);
    EXPECT_FALSE(kv::hasProductSuite("Enterprise"));
}

TEST(PlatformDetection, SuitesChangeTheNtClass) {
    if (!ntVersion()) GTEST_SKIP() << "suites exist on NT systems only";
    ProductOptions saved;
    ProductOptions::set("WinNT", multiString({"Terminal Server"}));
    kv::detectPlatformAndLanguage();
    EXPECT_EQ("osIsOtherNt", flagsText());

    ProductOptions::set("WinNT", multiString({"Enterprise"}));
    kv::detectPlatformAndLanguage();
    EXPECT_EQ("osIsOtherNt", flagsText());

    ProductOptions::set("WinNT", multiString({"Personal"}));
    kv::detectPlatformAndLanguage();
    EXPECT_EQ(expectedFlagFor(kvtest::windowsVersion()), flagsText());
}
