// Where the launcher tells what went wrong before the engine could: in an
// unattended run a line in the /log file (no window may appear); in a user's
// run a message box, unless standard error is a file or pipe (a script or a
// test runs it), which then gets the line instead of a box that would wait.
#pragma once
#include "common/setup_options.h"

namespace kv {

class LauncherReport {
public:
    explicit LauncherReport(const SetupOptions& options) : options_(options) {}
    void error(const char* format, ...) const __attribute__((format(printf, 2, 3)));

private:
    const SetupOptions& options_;
};

}  // namespace kv
