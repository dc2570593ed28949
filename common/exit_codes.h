// The exit codes of an unattended setup or removal, the ones deployment tools
// know from every installer: what an administrator's script acts on.
#pragma once

namespace kv {

constexpr int kExitSuccess = 0;
constexpr int kExitRestartNeeded = 3010;   // done; a restart completes it
constexpr int kExitCancelled = 1602;
constexpr int kExitFailed = 1603;          // nothing (more) was changed; the log says why
constexpr int kExitBusy = 1618;            // another setup or removal is running
constexpr int kExitBadCommandLine = 1639;  // a bad switch or answer file; nothing was changed

}  // namespace kv
