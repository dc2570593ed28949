// The shell's folder browser, presented like any modal dialog: built with a
// title, an initial folder, a parent and browse flags, run, then read.
#pragma once
#include "base/bounded_format.h"
#include "dialog/dialog.h"

#include <shlobj.h>

#include "base/heap_string.h"

namespace kv {

class CFolderDialog : public Dialog {
public:
    // `initialFolder` and `parent` may be null; flags are BIF_* values.
    CFolderDialog(const char* title, const char* initialFolder, HWND parent, UINT flags);

    // 1: a folder with a file-system path was chosen (selectedPath());
    // 2: a chosen item has no file-system path; -1: cancelled.
    int RunModal() override;

    // The chosen folder after RunModal returned 1; at most 259 characters.
    const char* selectedPath() const { return selectedPath_; }
    const char* displayName() const { return displayName_; }

protected:
    // Preselects the initial folder, if there is one.
    virtual void OnBrowseInitialized();
    // A typed name that is no folder (BIF_VALIDATE): asks whether to accept
    // it; 0 closes the browser, 1 keeps it open.
    virtual int OnBrowseValidateFailed(const char* text);
    virtual void OnBrowseSelectionChanged(LPITEMIDLIST item);

    // The browser's window while one of the hooks above runs, else null.
    HWND browserWindow() const { return browser_; }
    const char* initialFolder() const { return initialFolder_; }

private:
    static int CALLBACK BrowseCallback(HWND window, UINT message, LPARAM parameter, LPARAM data);

    String title_;
    UINT flags_;
    char selectedPath_[kPathCapacity] = {};
    char initialFolder_[kPathCapacity] = {};
    char displayName_[kPathCapacity] = {};
    HWND browser_ = nullptr;
};

}  // namespace kv
