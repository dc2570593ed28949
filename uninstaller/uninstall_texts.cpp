#include "uninstaller/uninstall_texts.h"

#include "base/bounded_format.h"
#include "base/win.h"

namespace kv {
namespace {

// Shown when kvrem.un2 is missing or lacks a key, so that no question is
// ever asked with an empty text.
const char* englishText(UninstallText key) {
    switch (key) {
        case UninstallText::Caption: return "Uninstall";
        case UninstallText::Confirm: return "Do you want to remove the mouse driver and all of its components?";
        case UninstallText::RemovingFiles: return "Removing files...";
        case UninstallText::RemovingSettings: return "Removing settings...";
        case UninstallText::RemovedRestart: return "The mouse driver has been removed. Restart Windows to finish.";
        case UninstallText::SomeLeft: return "Some items could not be removed:";
        case UninstallText::Removed: return "The mouse driver has been removed.";
        case UninstallText::RestartNow: return "Do you want to restart Windows now?";
        case UninstallText::CannotRemove: return "The mouse driver cannot be removed: its uninstall log is missing or damaged.";
        case UninstallText::Busy: return "Another setup or uninstall is running.";
    }
    return "";
}

}  // namespace

String uninstallText(const char* file, UninstallText key) {
    char name[16];
    char value[520];
    if (!formatInto(name, "%d", static_cast<int>(key))) return String(englishText(key));
    const DWORD length = ::GetPrivateProfileStringA("MSG", name, "", value, sizeof(value), file);
    return length > 0 ? String(value, length) : String(englishText(key));
}

}  // namespace kv
