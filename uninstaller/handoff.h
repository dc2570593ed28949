// The uninstaller lies in the folder it removes, and a running program's
// file cannot be deleted. So the program started (the first process) copies
// itself into a fresh, unpredictably named folder under the temp folder and
// runs that copy, which does the removal. The copy sends its exit code back
// through a pipe; the first process ends with it, and then the copy deletes
// the first process's file and the installation folder.
#pragma once
#include "base/win.h"

namespace kv {

// First process: starts the copy with `arguments` added to its command line
// and returns the copy's exit code; -1 when no copy could be started.
int runFromTempCopy(const char* arguments);

// What the copy is told on its command line ("/copy=PIPE:PARENT").
struct CopyLink {
    HANDLE pipe = nullptr;    // write end: the exit code goes there
    HANDLE parent = nullptr;  // the first process, to wait for its end
};
bool parseCopyLink(const char* value, CopyLink& link);

// Copy: hands the exit code to the first process and waits (a while) until
// it has ended.
void handBackExitCode(const CopyLink& link, int code);

}  // namespace kv
