// Drives the real uninstaller (kvrem00.exe) from outside, as a user would:
// starts it, shows the caller each of its screens while it is up (the
// question, the progress window, every message) and answers the boxes as
// the caller says. The progress window moves on by itself, so its thread is
// held still while the caller looks at it.
#pragma once
#include "base/win.h"

#include <functional>
#include <string>
#include <vector>

namespace kvdrive {

enum class UninstallScreen { Question, Progress, Message };

// Called while `window` is on screen; for a box, returns the button to press
// (IDYES, IDNO, IDOK); for the progress window the value is not used.
using UninstallLook = std::function<int(UninstallScreen screen, HWND window)>;

struct UninstallRun {
    long exitCode = -1;                 // -1: it did not end in time
    std::vector<std::string> messages;  // each box's text, in order
    bool sawProgress = false;
    std::vector<std::string> failures;
};

// Runs `commandLine`, finds the uninstaller's windows by `caption` (its
// text 1) and waits until the copy it runs from has ended too (the setup
// mutex is free again), so that what it left can be looked at.
UninstallRun runUninstaller(const std::string& commandLine, const std::string& caption, const UninstallLook& look,
                            int milliseconds = 120000);

// The uninstaller's text `key` of an installation's kvrem.un2 ("" when absent).
std::string uninstallerText(const std::string& installation, int key);

}  // namespace kvdrive
