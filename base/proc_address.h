#pragma once
#include "base/win.h"

namespace kv {

// An entry's address typed as the entry's real signature (through a plain
// function pointer, so the compiler accepts the cast between signatures).
template <typename Fn>
Fn typedEntry(FARPROC address) {
    return reinterpret_cast<Fn>(reinterpret_cast<void (*)()>(address));
}

// GetProcAddress typed as the entry's real signature; null when missing.
template <typename Fn>
Fn procAddress(HMODULE module, const char* name) {
    return module ? typedEntry<Fn>(::GetProcAddress(module, name)) : nullptr;
}

}  // namespace kv
