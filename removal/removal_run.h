// Removes one installation as its uninstall log records it, without any
// window: what the uninstaller runs, and what a stopped install can roll
// back with.
#pragma once
#include "removal/device_filters.h"

namespace kv {

enum class ItemOutcome { Removed, AtRestart, Absent, Kept, Skipped, Failed };
const char* itemOutcomeText(ItemOutcome outcome);

// Told about every item as it is handled, and how far the removal is.
class RemovalAccount {
public:
    virtual void item(ItemOutcome outcome, const char* kind, const char* what, const char* why) = 0;
    virtual void progress(unsigned done, unsigned total) { (void)done, (void)total; }

protected:
    ~RemovalAccount() = default;
};

enum class RemovalStatus { Done, NoLog, MalformedLog, NotPermitted, OutOfMemory };

struct RemovalSummary {
    RemovalStatus status = RemovalStatus::Done;
    const char* why = "";  // for a status other than Done
    unsigned removed = 0, atRestart = 0, kept = 0, skipped = 0, failed = 0;
};

struct RemovalOptions {
    const char* installation = "";  // the folder of kvrem00.log, no trailing "\"
    bool ntFamily = true;
    FilterPlatform filterPlatform = FilterPlatform::Nt5;
    int (*usbWalk95)() = nullptr;  // see removeFilterDriverFromDevices
    // The uninstaller that was started lies in the installation and is still
    // running: it and the folder are left to removeAfterUninstaller().
    bool uninstallerStillRunning = false;
    // A reinstall elsewhere puts the same driver file in the same place: a
    // delete queued for the restart would take the new one.
    bool keepDriverFile = false;
    // Taking back a stopped install: its program folder (recorded last),
    // and the product values even without AppPath (written last).
    const char* stoppedInstallProgramFolder = nullptr;
};

RemovalSummary removeInstallation(const RemovalOptions& options, RemovalAccount& account);

// Once the uninstaller in the installation folder has ended: removes it and
// the folder when empty, or queues them for the restart.
void removeAfterUninstaller(const RemovalOptions& options, RemovalAccount& account);

}  // namespace kv
