// Facts about the running system, gathered once per setup run, and their
// condensation into one of six platform kinds. No Windows calls here.
#pragma once
#include <cstdint>

namespace kv {

enum PlatformKind : int {
    kPlatformWin32s = 0,
    kPlatform95Family = 1,
    kPlatformNtWorkstation = 2,
    kPlatformNtServer = 6,
    kPlatformNtDomainController = 7,
    kPlatformNtLanSec = 8,
    kPlatformCe = 9,
    kPlatformNtEnterprise = 11,
};

struct PlatformInfo {
    std::uint32_t majorVersion = 0;
    std::uint32_t minorVersion = 0;
    std::uint32_t buildNumber = 0;  // low 16 bits only
    int platformKind = 0;
    bool terminalServer = false;
};

enum class PlatformFlag { None, Xp, Nt5, Win95, Win98, WinMe, OtherNt };

// The first matching row of the classification table decides.
PlatformFlag classifyPlatform(const PlatformInfo& info);

// Maps a platform id of the version record to a kind; false for ids above 3.
bool platformKindForId(std::uint32_t platformId, int& kind);

// Maps a "ProductType" text (any case) to its kind; false when unknown.
bool productTypeKind(const char* productType, int& kind);

}  // namespace kv
