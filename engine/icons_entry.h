// One entry of the [Icons] section of kvsetup.ini: "target,name[,icon]".
#pragma once
#include <string>

namespace kv {

struct IconsEntry {
    std::string target;  // relative to the installation folder
    std::string name;    // file name of the shortcut without ".lnk", and its description
    bool hasIcon = false;
    std::string icon;    // everything after the second comma, commas included
};

// Cuts at the first comma, then the rest at its first comma. Fields are
// taken as written, blanks included. False when the entry has no comma (it
// then names no shortcut).
bool parseIconsEntry(const char* text, IconsEntry& entry);

}  // namespace kv
