// Shared pieces of the wizard tests: runs of the setup in this process (so
// the install state can be inspected), the walks most runs make, the texts
// they expect and the clean-up after an install.
#pragma once
#include "scripted/setup_driver.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kvtest {

const std::string kDriverPath = "C:\\windows\\system32\\Drivers\\KVFLTSYS.SYS";
const std::string kUninstallList = "Software\\Microsoft\\windows\\CurrentVersion\\Uninstall";
const std::string kSampleUninstallKey = kUninstallList + "\\TarnWeld Wheel Mouse";

// One setup run of the staged sample package in this process.
kvdrive::RunOutcome runInProcess(const kvdrive::Script& script, int endMilliseconds = 30000);

// DOINSTALL of the staged kvsetup.dll, loaded once for the whole process as
// a launcher would, so later runs share its state; empty when not found.
kvdrive::Entry stagedLibraryEntry();

// DOINSTALLEX of the same library: the launcher's switches as a second
// argument; null when not found.
using OptionEntry = int(__stdcall*)(const char* sourceFolder, const char* arguments);
OptionEntry stagedOptionEntry();

// Runs a program with `arguments` and waits for it (at most `milliseconds`);
// its whole exit code (Wine's own runner passes on only the low 8 bits), or
// -1 when it did not start or end in time.
int runAndWait(const std::string& program, const std::string& arguments, int milliseconds = 120000);

// A text of the staged package's language file for `code`.
std::string packageText(const char* code, const char* section, const char* key);

// Reports the driver's failures as test failures.
void expectNoScriptFailures(const kvdrive::RunOutcome& outcome);

// From the page on screen to the finish page: types the destination and (when
// not empty) the program folder, installs, and returns the finish page.
HWND installToFinish(kvdrive::Driver& d, const std::string& destination, const std::string& programFolder = "");
// Ends the run on the finish page with the restart choice.
void finish(kvdrive::Driver& d, HWND finishPage, bool restartNow);
// Cancel, then leave in the exit question.
void leaveSetup(kvdrive::Driver& d);

// Removes an install's destination and everything it may have changed
// outside it: the program folder, the driver file and its registry values.
void removeInstallation(const std::string& destination, const std::string& programFolder);

// The top-level windows of this process (only the visible ones when asked),
// and its threads.
std::vector<HWND> ownWindows(bool visibleOnly = false);
int ownThreadCount();

}  // namespace kvtest
