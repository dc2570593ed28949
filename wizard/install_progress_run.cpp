// The progress dialog with the engine's real steps (install/install_sequence.h).
#include "wizard/install_progress_dialog.h"

namespace kv {

void RunInstallProgress() { RunInstallProgress(engineInstallSteps()); }

}  // namespace kv
