#pragma once
#include "base/win.h"

namespace kv {

// GetProcAddress typed as the entry's real signature.
template <typename Fn>
Fn procAddress(HMODULE module, const char* name) {
    return reinterpret_cast<Fn>(reinterpret_cast<void (*)()>(::GetProcAddress(module, name)));
}

}  // namespace kv
