#include "package_check.h"

#include "base/bounded_format.h"
#include "check_context.h"
#include "install/install_state.h"

namespace kvcheck {

bool checkPackage(const std::string& folderArgument, Findings& findings) {
    std::string folder = folderArgument;
    while (folder.size() > 3 && (folder.back() == '\\' || folder.back() == '/')) folder.pop_back();
    if (!folderExists(folder)) {
        findings.error(folder, 0, "no such folder");
        return false;
    }
    // The engine's readers take the package folder from the install state,
    // as DOINSTALL sets it.
    if (!kv::copyInto(kv::installState.sourceDir, folder.c_str())) {
        findings.error(folder, 0, "the folder path does not fit the engine's 259 characters");
        return false;
    }
    CheckContext context{folder, false, {}, findings};
    checkConfig(context);
    checkLanguages(context);
    checkUninstallTexts(context);
    checkPayload(context);
    checkIcons(context);
    return true;
}

}  // namespace kvcheck
