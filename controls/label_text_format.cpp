#include "controls/label_text_format.h"

#include <cstring>

namespace kv {
namespace {

// Static styles and DrawText flags, as the platform defines them.
constexpr std::uint32_t kTypeMask = 0x1F;
constexpr std::uint32_t kSsCenter = 0x1;
constexpr std::uint32_t kSsRight = 0x2;
constexpr std::uint32_t kSsLeftNoWordWrap = 0xC;
constexpr std::uint32_t kSsCenterImage = 0x200;
constexpr unsigned kDtLeft = 0x0, kDtCenter = 0x1, kDtRight = 0x2, kDtVCenter = 0x4;
constexpr unsigned kDtWordBreak = 0x10, kDtSingleLine = 0x20;

}  // namespace

unsigned labelTextFormat(std::uint32_t style, const char* text) {
    if (style & kSsCenterImage) {
        const bool multiLine = text != nullptr && std::strstr(text, "\r\n") != nullptr;
        return multiLine ? kDtCenter : (kDtCenter | kDtVCenter | kDtSingleLine);
    }
    switch (style & kTypeMask) {
    case kSsCenter:
        return kDtCenter | kDtWordBreak;
    case kSsRight:
        return kDtRight | kDtWordBreak;
    case kSsLeftNoWordWrap:
        return kDtLeft;
    default:
        return kDtLeft | kDtWordBreak;
    }
}

}  // namespace kv
