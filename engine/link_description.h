// The properties of one shell shortcut.
#pragma once
#include "base/win.h"

#include <string>

namespace kv {

struct LinkDescription {
    std::string targetPath;
    std::string arguments;
    std::string description;
    WORD hotkey = 0;
    std::string iconPath;
    int iconIndex = 0;
    int showCommand = SW_SHOW;
    std::string workingFolder;
};

}  // namespace kv
