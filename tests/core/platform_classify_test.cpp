#include "common/platform_info.h"

#include <gtest/gtest.h>

using kv::PlatformFlag;
using kv::PlatformInfo;

namespace {

PlatformInfo info(int kind, unsigned major, unsigned minor, unsigned build, bool ts = false) {
    PlatformInfo i;
    i.platformKind = kind;
    i.majorVersion = major;
    i.minorVersion = minor;
    i.buildNumber = build;
    i.terminalServer = ts;
    return i;
}

PlatformFlag classify(int kind, unsigned major, unsigned minor, unsigned build, bool ts = false) {
    return kv::classifyPlatform(info(kind, major, minor, build, ts));
}

}  // namespace

TEST(ClassifyPlatform, Windows95FamilyRows) {
    EXPECT_EQ(PlatformFlag::Win95, classify(1, 4, 0, 950));   // Windows 95
    EXPECT_EQ(PlatformFlag::Win95, classify(1, 4, 0, 1111));  // OSR2
    EXPECT_EQ(PlatformFlag::Win95, classify(1, 4, 3, 951));   // 950 < build <= 1080, any minor
    EXPECT_EQ(PlatformFlag::Win95, classify(1, 4, 20, 1080));
    EXPECT_EQ(PlatformFlag::Win95, classify(1, 4, 9, 1081));  // minor < 10, build > 1080
    EXPECT_EQ(PlatformFlag::Win98, classify(1, 4, 10, 1998));
    EXPECT_EQ(PlatformFlag::Win98, classify(1, 4, 10, 1999));
    EXPECT_EQ(PlatformFlag::Win98, classify(1, 4, 10, 2182));
    EXPECT_EQ(PlatformFlag::Win98, classify(1, 4, 10, 2222));  // 98 SE
    EXPECT_EQ(PlatformFlag::WinMe, classify(1, 4, 90, 3000));
    EXPECT_EQ(PlatformFlag::Win98, classify(1, 5, 0, 2222));   // major > 4
    EXPECT_EQ(PlatformFlag::WinMe, classify(1, 5, 0, 3000));
}

TEST(ClassifyPlatform, Windows95FamilyBoundariesAndUnknownBuilds) {
    EXPECT_EQ(PlatformFlag::None, classify(1, 4, 10, 2500));
    EXPECT_EQ(PlatformFlag::None, classify(1, 4, 10, 2183));  // first build past the 98 range
    EXPECT_EQ(PlatformFlag::None, classify(1, 4, 0, 949));
    EXPECT_EQ(PlatformFlag::None, classify(1, 4, 10, 1997));
    EXPECT_EQ(PlatformFlag::None, classify(1, 3, 10, 2222));  // major 3 is never later than 98
    EXPECT_EQ(PlatformFlag::None, classify(1, 5, 0, 950));
    // 4.10 with build 1080 still falls into the 95 range, which comes first.
    EXPECT_EQ(PlatformFlag::Win95, classify(1, 4, 10, 1080));
}

TEST(ClassifyPlatform, NtFamilyRows) {
    for (int kind : {2, 6, 7, 8}) {
        SCOPED_TRACE(kind);
        EXPECT_EQ(PlatformFlag::Nt5, classify(kind, 5, 0, 2195));       // 2000
        EXPECT_EQ(PlatformFlag::Xp, classify(kind, 5, 1, 2600));        // XP
        EXPECT_EQ(PlatformFlag::Nt5, classify(kind, 5, 2, 3790));       // Server 2003
        EXPECT_EQ(PlatformFlag::OtherNt, classify(kind, 4, 0, 1381));   // NT 4
        EXPECT_EQ(PlatformFlag::OtherNt, classify(kind, 6, 0, 6000));   // NT 6
        EXPECT_EQ(PlatformFlag::OtherNt, classify(kind, 5, 1, 2600, true));  // terminal server
        EXPECT_EQ(PlatformFlag::OtherNt, classify(kind, 5, 0, 2195, true));
    }
    EXPECT_EQ(PlatformFlag::OtherNt, classify(11, 5, 0, 2195));  // Enterprise suite
    EXPECT_EQ(PlatformFlag::OtherNt, classify(11, 5, 1, 2600));
}

TEST(ClassifyPlatform, Win32sAndCeAndUnknownKindsGetNoFlag) {
    EXPECT_EQ(PlatformFlag::None, classify(0, 3, 10, 0));
    EXPECT_EQ(PlatformFlag::None, classify(9, 4, 0, 950));
    EXPECT_EQ(PlatformFlag::None, classify(9, 5, 1, 2600));
    EXPECT_EQ(PlatformFlag::None, classify(3, 5, 1, 2600));
    EXPECT_EQ(PlatformFlag::None, classify(10, 5, 1, 2600));
}

TEST(ClassifyPlatform, PlatformIdsAndProductTypes) {
    int kind = -1;
    EXPECT_TRUE(kv::platformKindForId(0, kind)); EXPECT_EQ(0, kind);
    EXPECT_TRUE(kv::platformKindForId(1, kind)); EXPECT_EQ(1, kind);
    EXPECT_TRUE(kv::platformKindForId(2, kind)); EXPECT_EQ(2, kind);
    EXPECT_TRUE(kv::platformKindForId(3, kind)); EXPECT_EQ(9, kind);
    EXPECT_FALSE(kv::platformKindForId(4, kind));

    EXPECT_TRUE(kv::productTypeKind("winnt", kind)); EXPECT_EQ(2, kind);
    EXPECT_TRUE(kv::productTypeKind("ServerNT", kind)); EXPECT_EQ(6, kind);
    EXPECT_TRUE(kv::productTypeKind("LANMANNT", kind)); EXPECT_EQ(7, kind);
    EXPECT_TRUE(kv::productTypeKind("LanSecNt", kind)); EXPECT_EQ(8, kind);
    EXPECT_FALSE(kv::productTypeKind("WINNTX", kind));
    EXPECT_FALSE(kv::productTypeKind("", kind));
    EXPECT_FALSE(kv::productTypeKind(nullptr, kind));
}
