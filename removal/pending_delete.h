// Deleting a file or an empty folder now, or at the next restart when it is
// in use: the NT family through the system's delayed delete, the 95 family
// through WININIT.INI's [rename] section for files and, since WININIT
// cannot remove folders, a RunOnce command of the command interpreter for
// folders (it runs at the next start, after WININIT has emptied them).
#pragma once
#include "base/heap_string.h"

namespace kv {

enum class DeleteOutcome { Removed, Absent, AtRestart, NotEmpty, Failed };

class RestartDeletes {
public:
    explicit RestartDeletes(bool ntFamily) : ntFamily_(ntFamily) {}
    RestartDeletes(const RestartDeletes&) = delete;
    RestartDeletes& operator=(const RestartDeletes&) = delete;

    // Queues `path` for deletion at the next restart; on the 95 family
    // commit() writes what was queued.
    bool schedule(const char* path, bool folder);
    // Writes the 95 family's lines into WININIT.INI, keeping every line of
    // other programs, and its folders' RunOnce commands. True when there was
    // nothing to write.
    bool commit();
    bool anyScheduled() const { return scheduled_ > 0; }
    // Something queued lies below `folder`.
    bool anyBelow(const char* folder) const;

private:
    bool commitFolders();
    bool commitWininit();
    bool ntFamily_;
    int scheduled_ = 0;
    String wininitLines_;
    String folders_;  // the 95 family's folders, short names, each ended by "\n"
    String paths_;  // every queued path, each ended by "\n"

};

DeleteOutcome deleteFileNowOrAtRestart(const char* path, RestartDeletes& restart);
// An empty folder goes now; one that still holds only what is queued for
// the restart (`pendingInside`) is queued after it, where the system can.
DeleteOutcome removeFolderNowOrAtRestart(const char* path, bool pendingInside, RestartDeletes& restart);

}  // namespace kv
