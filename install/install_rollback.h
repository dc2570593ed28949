// An install that stopped after it began changing the system (its log could
// no longer be written, the disk filled) is taken back with the removal code
// the uninstaller uses, as the log records it so far; a failed install
// leaves the system as it found it.
#pragma once

namespace kv {

// After the log is closed: does nothing unless the install stopped. Files
// in use go at the restart (the restart flag is then set).
void rollBackStoppedInstall();

}  // namespace kv
