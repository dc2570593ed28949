// The uninstaller's texts: kvrem.un2 beside it (the language copy the setup
// installs), an INI file with a [MSG] section, in the language's code page.
#pragma once
#include "base/heap_string.h"

namespace kv {

enum class UninstallText {
    Caption = 1,         // window and message captions
    Confirm = 2,         // the question before anything is removed
    RemovingFiles = 3,   // progress window
    RemovingSettings = 4,
    RemovedRestart = 5,  // removed; a restart finishes it
    SomeLeft = 6,        // followed by the items left
    Removed = 7,
    RestartNow = 8,      // the question after RemovedRestart
    CannotRemove = 9,    // no log, a damaged log, a refused folder
    Busy = 10,           // another setup or uninstall runs
};

// The text of `key` from `file`; a built-in English text when it is missing.
String uninstallText(const char* file, UninstallText key);

}  // namespace kv
