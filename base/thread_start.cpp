#include "base/thread_start.h"

#include "base/win.h"

namespace kv {

std::uintptr_t __cdecl startThread(void* security, unsigned stackSize, ThreadEntry start,
                                   void* argument, unsigned flags, unsigned* threadId) {
    // Windows 95 refuses to create a thread without a place for its id.
    DWORD id = 0;
    HANDLE thread = ::CreateThread(static_cast<LPSECURITY_ATTRIBUTES>(security), stackSize,
                                   reinterpret_cast<LPTHREAD_START_ROUTINE>(start), argument, flags, &id);
    if (threadId != nullptr) *threadId = static_cast<unsigned>(id);
    return reinterpret_cast<std::uintptr_t>(thread);
}

}  // namespace kv
