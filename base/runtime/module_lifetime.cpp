// Start-up and shut-down of a shipped module without a C runtime: the
// static constructors at start, and at the end the destructors that they
// registered, last registered first.
#include "base/runtime/module_lifetime.h"

namespace {

using Action = void (*)();

// The linker frames the constructors of every object file between a -1 and
// a 0 in this list.
extern "C" Action __CTOR_LIST__[];

// The module's static objects register their destructors here. A fixed table
// needs no allocation; the engine has a handful of such objects.
constexpr int kMaxExitActions = 32;
Action exitActions[kMaxExitActions];
int exitActionCount = 0;

}  // namespace

extern "C" int atexit(Action action) {
    if (exitActionCount == kMaxExitActions) return -1;
    exitActions[exitActionCount++] = action;
    return 0;
}

// A call through an unset pure virtual function: a fault in the program.
extern "C" void __cxa_pure_virtual() { ::ExitProcess(3); }

namespace kv {

void runStaticConstructors() {
    int count = 0;
    while (__CTOR_LIST__[count + 1] != nullptr) ++count;
    // Last first, as the compiler's own start-up code does.
    for (int i = count; i >= 1; --i) __CTOR_LIST__[i]();
}

void runExitActions() {
    while (exitActionCount > 0) exitActions[--exitActionCount]();
}

}  // namespace kv
