#include "install/install_state.h"

#include "common/language_table.h"
#include "common/platform_detect.h"

namespace kv {

InstallState installState;

void detectPlatformAndLanguage() {
    installState.platform = detectPlatform();
    installState.languageIndex = detectDefaultLanguage(installState.languageIndex);
}

}  // namespace kv
