#include "core/setup_run.h"

namespace kv {

// Until the wizard is in place the window run ends with no end code.
int runSetupMainWindow() { return 0; }

}  // namespace kv
