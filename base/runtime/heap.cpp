// Every allocation of the shipped modules goes to the process heap and may
// fail: each form of operator new returns null then, and the callers treat
// null as the absent value. Nothing throws.
#include "base/win.h"

#include <cstddef>
#include <new>

namespace {

void* allocate(std::size_t size) { return ::HeapAlloc(::GetProcessHeap(), 0, size ? size : 1); }

void release(void* block) {
    if (block != nullptr) ::HeapFree(::GetProcessHeap(), 0, block);
}

}  // namespace

// Only the no-throw forms of new exist here: a plain `new` in the engine,
// whose result the compiler may assume is never null, fails to link.
void* operator new(std::size_t size, const std::nothrow_t&) noexcept { return allocate(size); }
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept { return allocate(size); }
void operator delete(void* block) noexcept { release(block); }
void operator delete[](void* block) noexcept { release(block); }
void operator delete(void* block, std::size_t) noexcept { release(block); }
void operator delete[](void* block, std::size_t) noexcept { release(block); }
void operator delete(void* block, const std::nothrow_t&) noexcept { release(block); }
void operator delete[](void* block, const std::nothrow_t&) noexcept { release(block); }

namespace std {
// The tag object of `new (std::nothrow)`.
const nothrow_t nothrow{};
}  // namespace std
