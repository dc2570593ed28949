// The uninstaller's exit codes, as installers report them.
#pragma once

namespace kv {

constexpr int kExitRemoved = 0;
constexpr int kExitRestartNeeded = 3010;
constexpr int kExitCancelled = 1602;
constexpr int kExitNotRemoved = 1603;  // no log, a damaged log, not permitted, items left
constexpr int kExitBusy = 1618;        // a setup or uninstall is running

}  // namespace kv
