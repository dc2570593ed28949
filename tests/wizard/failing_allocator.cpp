#include "failing_allocator.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace {

std::atomic<long> counted{0};
std::atomic<long> failingOne{0};

void* allocate(std::size_t size) {
    const long number = ++counted;
    if (number == failingOne.load()) return nullptr;
    // Freed by the plain operator delete, which hands the block to free().
    return std::malloc(size ? size : 1);
}

}  // namespace

namespace kvtest {

void failAllocationAt(long failAt) {
    failingOne = 0;
    counted = 0;
    failingOne = failAt;
}

long allocationsCounted() { return counted.load(); }

}  // namespace kvtest

void* operator new(std::size_t size, const std::nothrow_t&) noexcept { return allocate(size); }
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept { return allocate(size); }
