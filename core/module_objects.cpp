// Objects that live as long as the module, constructed in this order and
// destroyed in reverse: the install state (with the uninstall log file) first,
// then the application object of the dialog layer.
#include "core/install_state.h"
#include "dialog/application.h"

namespace kv {

InstallState installState;
Application application;

}  // namespace kv
