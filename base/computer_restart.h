// Restarting the computer at the end of a setup or removal that asked for it.
#pragma once

namespace kv {

// The NT family restarts only for a process holding the shutdown privilege,
// which even an administrator's token has but does not enable.
void restartComputer(bool ntFamily);

}  // namespace kv
