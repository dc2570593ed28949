// One entry of the [Icons] section of kvsetup.ini: "target,name[,icon]".
#pragma once
#include "base/heap_string.h"

namespace kv {

struct IconsEntry {
    String target;  // relative to the installation folder
    String name;    // file name of the shortcut without ".lnk", and its description
    bool hasIcon = false;
    String icon;    // everything after the second comma, commas included
};

// Cuts at the first comma, then the rest at its first comma. Fields are
// taken as written, blanks included. False when the entry has no comma (it
// then names no shortcut).
bool parseIconsEntry(const char* text, IconsEntry& entry);

}  // namespace kv
