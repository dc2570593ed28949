// The command that starts an installed program, as a registry value holds
// it (the auto-start value, the uninstall command).
#pragma once
#include "base/bounded_format.h"

namespace kv {

// "<folder>\<name>", in double quotes when it contains a blank: unquoted,
// Windows would try "C:\Program.exe" and "C:\Program Files\First.exe" for
// "C:\Program Files\First Word\x.exe" before the program itself. False (and
// `command` empty) when it does not fit, or when either part holds a double
// quote, which no file name has and which would end the quoted path early.
bool buildCommandPath(char (&command)[kPathCapacity], const char* folder, const char* name);

}  // namespace kv
