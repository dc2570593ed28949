#pragma once
#include "base/win.h"

namespace kv {

// Runs the constructors of the module's static objects.
void runStaticConstructors();
// Runs the destructors those objects registered, in reverse order.
void runExitActions();

}  // namespace kv
