// Which folders the product may call its own. Nothing is installed into, or
// recorded as, a drive root, a relative path, or a folder that the system and
// other programs share (the program-files folder, the Start-menu Programs
// folder): an uninstaller removing the recorded folders would take theirs.
// Pure rules, no Windows calls.
#pragma once
#include "common/multibyte_text.h"

#include <initializer_list>

namespace kv {

// An absolute folder ("X:\name..." or "\\server\share\name...") below its
// root, shorter than a path buffer, whose every part is a name (no empty,
// "." or ".." part; one trailing separator allowed) without the characters
// file systems refuse, and which is none of `shared` (compared without ASCII
// case and without a trailing separator; null entries are ignored).
bool isOwnFolderPath(const char* path, std::initializer_list<const char*> shared,
                     LeadBytePredicate isLead = isAnsiLeadByte);

// A program-folder name below the Start-menu Programs folder: not empty,
// relative, each part a name as above (sub-folders allowed).
bool isOwnFolderName(const char* name, LeadBytePredicate isLead = isAnsiLeadByte);

}  // namespace kv
