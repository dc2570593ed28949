// Files the installation writes over, in folders others may have written to
// first. A name planted there as a link to another file (a second name of a
// system file, a symbolic link) would make the write land in that file.
#pragma once

namespace kv {

// Before a file is written or replaced: when `path` names a link rather than
// a file of its own (a reparse point, or a file with more than one name), the
// name alone is removed, so that the write makes a new file and leaves the
// file the link reached as it was. True when nothing links from `path` now
// (no file there, a plain file, or the link removed); false when a link is
// there and could not be removed: then nothing may be written to `path`.
bool removePlantedLink(const char* path);

// A folder that is a reparse point (a junction or folder link): what is
// written into it lands somewhere else.
bool isLinkedFolder(const char* path);

}  // namespace kv
