// A setup run driven by the launcher's switches and an answer file (see
// common/setup_options.h). With /s: an unattended install with no window and
// no question that never restarts the machine and returns an exit code of
// common/exit_codes.h. Without it: the wizard, with the choices as its
// defaults, returning the ResultCode as DOINSTALL does.
#pragma once

namespace kv {

int runSetupWithOptions(const char* sourceFolder, const char* arguments);

}  // namespace kv
