// A reinstall into another folder than the installed one first removes the
// earlier installation, as its own uninstaller would (without a window), so
// that one uninstall later leaves nothing of either.
#pragma once
#include "removal/removal_run.h"

namespace kv {

// Removal of `folder` on the running platform, as the engine runs it.
RemovalOptions engineRemovalOptions(const char* folder);

// Takes no account of what it removes.
class Unreported : public RemovalAccount {
public:
    void item(ItemOutcome, const char*, const char*, const char*) override {}
};

// Does nothing unless the product's AppPath names an installation other
// than the destination folder that has its uninstall log. Sets the restart
// flag when something of it is deleted only at the restart.
void removeEarlierInstallation();

}  // namespace kv
