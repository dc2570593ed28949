// The install steps that the progress dialog sequences: the file worker on a
// thread of its own, then three registration steps on the dialog's thread.
#pragma once

namespace kv {

// Thread start of the file worker; the argument is not used. Clears
// InstallState::workerBusy as its last action.
unsigned __stdcall InstallWorker(void* argument);

// Auto-start value, product values and install count.
void runProductRegistration();
// Start-menu program folder and one shortcut per [Icons] entry.
void runShortcutCreation();
// Entry in the system's list of installed programs, and product values.
void runUninstallRegistration();

}  // namespace kv
