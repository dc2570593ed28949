// Replaces the engine's allocator (the no-throw forms of operator new, which
// are all the engine uses) in a test program: counts the allocations and
// makes the n-th one fail. The test program's own allocations (the plain
// forms, used by the C++ library and GoogleTest) are left alone.
#pragma once

namespace kvtest {

// Starts counting from zero; the allocation numbered `failAt` (1 = the
// first) returns null, and only that one. 0 fails none.
void failAllocationAt(long failAt);
// Allocations counted since the last failAllocationAt.
long allocationsCounted();

}  // namespace kvtest
