#include "core/setup_run.h"

#include "core/install_state.h"
#include "core/language_strings.h"
#include "core/language_table.h"
#include "core/platform_detect.h"
#include "core/result_code.h"
#include "core/setup_config.h"

#include <cstring>

namespace kv {

int runSetup(const char* sourceFolder) {
    // A folder that does not fit the source buffer would be cut into some
    // other path: refuse the run before anything is shown.
    if (sourceFolder == nullptr || strnlen(sourceFolder, kPathCapacity) >= kPathCapacity)
        return kResultFailed;
    copyInto(installState.sourceDir, sourceFolder);

    detectPlatformAndLanguage();
    loadSetupConfig();
    installState.languageCode = languageCodeAt(installState.languageIndex);
    loadLanguageStrings();

    const int endCode = runSetupMainWindow();

    releaseLanguageStrings();
    releaseSetupConfig();
    return resultCodeForEndCode(endCode, installState.isNtFamily());
}

}  // namespace kv
