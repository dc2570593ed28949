// Objects that live as long as the module, constructed in this order and
// destroyed in reverse: the install state (with the uninstall log file) first.
#include "core/install_state.h"

namespace kv {

InstallState installState;

}  // namespace kv
