// Shared pieces of the wizard tests: runs of the setup in this process (so
// the install state can be inspected) and the language texts they expect.
#pragma once
#include "scripted/setup_driver.h"

#include <gtest/gtest.h>

#include <string>

namespace kvtest {

// One setup run of the staged sample package in this process.
kvdrive::RunOutcome runInProcess(const kvdrive::Script& script);

// A text of the staged package's language file for `code`.
std::string packageText(const char* code, const char* section, const char* key);

// Reports the driver's failures as test failures.
void expectNoScriptFailures(const kvdrive::RunOutcome& outcome);

}  // namespace kvtest
