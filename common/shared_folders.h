// Folders of the system and of every program, which the product must never
// take for its own, and the rules of folder_rules.h applied with them.
#pragma once
#include "base/heap_string.h"

namespace kv {

// The system's program-files folder: the CurrentVersion key's value, or the
// Windows folder's drive and "\Program Files" when the key cannot be opened.
String programFilesFolder();
String fallbackProgramFilesFolder();
// The current user's Start-menu Programs folder; empty when unreadable.
String startMenuProgramsFolder();

// A destination folder the product may install into and record: none of the
// program-files, Windows, system and Start-menu Programs folders.
bool isUsableDestination(const char* folder);
// "<Programs>\<name>" when both make a folder of the product's own; false
// (and `out` empty) when "Programs" is unreadable or the name is unusable.
bool programFolderPathOf(const char* name, String& out);

}  // namespace kv
