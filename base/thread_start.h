// Starts a thread straight through the kernel, with _beginthreadex's
// signature so that callers and test doubles keep one contract. The engine
// links no C runtime, so there is no per-thread runtime state to set up.
#pragma once
#include <cstdint>

namespace kv {

using ThreadEntry = unsigned(__stdcall*)(void*);

// A thread handle, or 0 when none was made.
std::uintptr_t __cdecl startThread(void* security, unsigned stackSize, ThreadEntry start,
                                   void* argument, unsigned flags, unsigned* threadId);

}  // namespace kv
