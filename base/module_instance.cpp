#include "base/module_instance.h"

namespace kv {
namespace {
HINSTANCE resourceModule = nullptr;
}

HINSTANCE moduleInstance() {
    return resourceModule ? resourceModule : ::GetModuleHandleA(nullptr);
}

void setModuleInstance(HINSTANCE instance) { resourceModule = instance; }

}  // namespace kv
