#include "common/registry_report.h"

#include "common/step_report.h"

namespace kv {

void reportRegistryWrite(HKEY root, const char* path, const char* name, const char* value, bool written) {
    if (!stepReportActive()) return;
    const char* rootName = root == HKEY_LOCAL_MACHINE ? "HKLM" : root == HKEY_CURRENT_USER ? "HKCU" : "HKEY";
    if (written)
        reportStep("registry value %s\\%s\\%s = %s", rootName, path, name != nullptr ? name : "", value);
    else
        reportStep("registry value %s\\%s\\%s not written", rootName, path, name != nullptr ? name : "");
}

}  // namespace kv
