#include "common/platform_info.h"

#include "base/ascii_case.h"

namespace kv {

PlatformFlag classifyPlatform(const PlatformInfo& info) {
    const std::uint32_t major = info.majorVersion;
    const std::uint32_t minor = info.minorVersion;
    const std::uint32_t build = info.buildNumber;
    switch (info.platformKind) {
        case kPlatform95Family: {
            if (major == 4 && minor == 0 && build == 950) return PlatformFlag::Win95;
            if (major == 4 && build > 950 && build <= 1080) return PlatformFlag::Win95;
            if (major == 4 && minor < 10 && build > 1080) return PlatformFlag::Win95;
            if (major == 4 && minor == 10 && build == 1998) return PlatformFlag::Win98;
            if (major == 4 && minor == 10 && build > 1998 && build < 2183) return PlatformFlag::Win98;
            const bool laterThan98 = major > 4 || (major == 4 && build >= 2183);
            if (laterThan98 && build == 2222) return PlatformFlag::Win98;
            if (laterThan98 && build == 3000) return PlatformFlag::WinMe;
            return PlatformFlag::None;
        }
        case kPlatformNtWorkstation:
        case kPlatformNtServer:
        case kPlatformNtDomainController:
        case kPlatformNtLanSec:
            if (!info.terminalServer && major == 5)
                return build == 2600 ? PlatformFlag::Xp : PlatformFlag::Nt5;
            return PlatformFlag::OtherNt;
        case kPlatformNtEnterprise:
            return PlatformFlag::OtherNt;
        default:
            return PlatformFlag::None;
    }
}

bool platformKindForId(std::uint32_t platformId, int& kind) {
    switch (platformId) {
        case 0: kind = kPlatformWin32s; return true;
        case 1: kind = kPlatform95Family; return true;
        case 2: kind = kPlatformNtWorkstation; return true;
        case 3: kind = kPlatformCe; return true;
        default: return false;
    }
}

bool productTypeKind(const char* productType, int& kind) {
    if (productType == nullptr) return false;
    if (equalsIgnoringAsciiCase(productType, "WINNT")) { kind = kPlatformNtWorkstation; return true; }
    if (equalsIgnoringAsciiCase(productType, "SERVERNT")) { kind = kPlatformNtServer; return true; }
    if (equalsIgnoringAsciiCase(productType, "LANMANNT")) { kind = kPlatformNtDomainController; return true; }
    if (equalsIgnoringAsciiCase(productType, "LANSECNT")) { kind = kPlatformNtLanSec; return true; }
    return false;
}

}  // namespace kv
