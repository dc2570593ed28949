// Turns one LinkDescription into a saved ".lnk" file through the shell-link
// object. A writer serves one shortcut; COM must be initialised on the thread.
#pragma once
#include "base/unique_handle.h"
#include "install/link_description.h"

#include <shlobj.h>

namespace kv {

class ShellLinkWriter {
public:
    ShellLinkWriter() = default;
    ShellLinkWriter(const ShellLinkWriter&) = delete;
    ShellLinkWriter& operator=(const ShellLinkWriter&) = delete;

    // Keeps a copy of `description`; false (and nothing kept) when the
    // shell-link object or its IPersistFile cannot be had.
    bool setDescription(const LinkDescription& description);
    // Writes the kept properties and saves them as `linkPath` (ANSI). True
    // when the save succeeded. The shell works on wide paths of at most 260
    // characters (terminator included): a link, target or icon path longer
    // than that, however few or many ANSI bytes it takes, is not saved.
    bool save(const char* linkPath);

private:
    // Creates the shell-link object on first use; later calls give the
    // outcome of that one attempt.
    bool ensureCreated();

    LinkDescription description_;
    // Released in reverse order: IPersistFile first, then IShellLinkA.
    ComPtr<IShellLinkA> shellLink_;
    ComPtr<IPersistFile> persistFile_;
    bool tried_ = false;
};

}  // namespace kv
