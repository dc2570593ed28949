// What the launcher does with the engine's ResultCode.
#pragma once
#include "common/result_code.h"

namespace kv {

enum class RestartKind { None, Windows95Family, NtFamily };

// 6 restarts a Windows 95-family system; 65542 (0x10006) an NT-family system,
// which needs the shutdown privilege first; 0, 2, 12 and anything else: none.
inline RestartKind restartKindFor(int resultCode) {
    if (resultCode == kResultRestart95) return RestartKind::Windows95Family;
    if (resultCode == kResultRestartNt) return RestartKind::NtFamily;
    return RestartKind::None;
}

}  // namespace kv
