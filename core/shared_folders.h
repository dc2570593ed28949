// Folders of the system and of every program, which the product must never
// take for its own, and the rules of folder_rules.h applied with them.
#pragma once
#include <string>
#include <vector>

namespace kv {

// The system's program-files folder: the CurrentVersion key's value, or the
// Windows folder's drive and "\Program Files" when the key cannot be opened.
std::string programFilesFolder();
std::string fallbackProgramFilesFolder();
// The current user's Start-menu Programs folder; empty when unreadable.
std::string startMenuProgramsFolder();
// The program-files, Windows, system and Start-menu Programs folders.
std::vector<std::string> sharedFolders();

// A destination folder the product may install into and record.
bool isUsableDestination(const char* folder);
// "<Programs>\<name>" when both make a folder of the product's own; false
// (and `out` empty) when "Programs" is unreadable or the name is unusable.
bool programFolderPathOf(const char* name, std::string& out);

}  // namespace kv
