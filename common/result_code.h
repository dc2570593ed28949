#pragma once

namespace kv {

// What DOINSTALL returns to the launcher.
enum ResultCode : int {
    kResultFailed = 0,
    kResultCancelled = 2,
    kResultRestart95 = 6,
    kResultRestartLater = 12,
    kResultRestartNt = 0x10006,
};

// End codes with which the wizard ends the main window.
enum EndCode : int {
    kEndFailed = 0,  // the wizard could not be made: nothing was set up
    kEndCancelled = 2,
    kEndRestartNow = 6,
    kEndRestartLater = 12,
};

// Maps the main window's end code to the launcher's result: a restart-now on
// an NT-family system carries 0x0001 in the high half.
int resultCodeForEndCode(int endCode, bool ntFamily);

}  // namespace kv
