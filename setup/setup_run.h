#pragma once

namespace kv {

// One whole setup run on the calling thread; returns the ResultCode.
int runSetup(const char* sourceFolder);

// Runs the setup main window modally and returns its end code.
int runSetupMainWindow();

}  // namespace kv
