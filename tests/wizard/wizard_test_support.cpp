#include "wizard_test_support.h"

#include "core/setup_run.h"
#include "support/test_support.h"

namespace kvtest {

kvdrive::RunOutcome runInProcess(const kvdrive::Script& script) {
    return kvdrive::runScripted([](const char* folder) { return kv::runSetup(folder); },
                                stagedPackageDir(), script);
}

std::string packageText(const char* code, const char* section, const char* key) {
    return kvdrive::languageText(stagedPackageDir(), code, section, key);
}

void expectNoScriptFailures(const kvdrive::RunOutcome& outcome) {
    for (const std::string& failure : outcome.failures) ADD_FAILURE() << failure;
}

}  // namespace kvtest
