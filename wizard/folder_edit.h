// The folder edit of the destination and program folder pages: blue
// extra-bold "Times New Roman" on white, at most a path's worth of text.
#pragma once
#include "controls/edit_ex.h"

namespace kv {

// Longest folder text an edit accepts: a path buffer less its terminator.
constexpr std::size_t kFolderTextLimit = 259;

// Attaches `edit` to control `id` of `dialog` and styles it.
void attachFolderEdit(CEditEx& edit, HWND dialog, int id);

}  // namespace kv
