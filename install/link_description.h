// The properties of one shell shortcut.
#pragma once
#include "base/win.h"

#include "base/heap_string.h"

namespace kv {

struct LinkDescription {
    String targetPath;
    String arguments;
    String description;
    WORD hotkey = 0;
    String iconPath;
    int iconIndex = 0;
    int showCommand = SW_SHOW;
    String workingFolder;
};

}  // namespace kv
