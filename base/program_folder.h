// The folder a program was started from: where the launcher finds the
// engine and the uninstaller finds the installation it removes.
#pragma once
#include "base/bounded_format.h"

namespace kv {

// The folder of the running program's file, without a trailing backslash;
// false when its path does not fit or names no folder.
bool folderOfProgram(char (&folder)[kPathCapacity]);

}  // namespace kv
