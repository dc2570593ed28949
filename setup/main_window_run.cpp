#include "install/install_state.h"
#include "setup/setup_main_window.h"
#include "setup/setup_run.h"
#include "dialog/application.h"

namespace kv {

int runSetupMainWindow() {
    SetupMainWindow window;
    int endCode = 0;
    {
        // Dialogs created without a parent belong to the backdrop meanwhile.
        MainWindowScope scope(window);
        endCode = window.RunModal();
    }
    installState.mainWindow = nullptr;
    return endCode;
}

}  // namespace kv
