#include "controls/folder_dialog.h"

#include "base/late_library.h"
#include "base/unique_handle.h"
#include "dialog/owner_chain.h"

namespace kv {
namespace {

const char kInvalidPathQuestion[] = "The path entered is not valid! Continue ?";

// Item lists from the shell go back to the shell's allocator.
void freeItemList(LPITEMIDLIST item) {
    ComPtr<IMalloc> allocator;
    auto getMalloc = lateFunction<decltype(::SHGetMalloc)>(LateLibrary::Shell32, "SHGetMalloc");
    if (getMalloc && SUCCEEDED(getMalloc(allocator.put())) && allocator) allocator.get()->Free(item);
}

}  // namespace

CFolderDialog::CFolderDialog(const char* title, const char* initialFolder, HWND parent, UINT flags)
    : Dialog(0, parent), title_(title ? title : ""), flags_(flags) {
    // A folder too long for a path is no folder to start from.
    copyInto(initialFolder_, initialFolder);
}

int CFolderDialog::RunModal() {
    HWND owner = resolveOwner(parent());
    // The browser disables its owner itself; the windows above it are ours to keep out of reach.
    DisabledOwnerChain disabled(owner ? ::GetWindow(owner, GW_OWNER) : nullptr);

    BROWSEINFOA browse{};
    browse.hwndOwner = owner;
    browse.pidlRoot = nullptr;
    browse.pszDisplayName = displayName_;
    browse.lpszTitle = title_.c_str();
    browse.ulFlags = flags_;
    browse.lpfn = &CFolderDialog::BrowseCallback;
    browse.lParam = reinterpret_cast<LPARAM>(this);
    browse.iImage = 0;

    auto browseForFolder =
        lateFunction<decltype(::SHBrowseForFolderA)>(LateLibrary::Shell32, "SHBrowseForFolderA");
    auto pathFromItem =
        lateFunction<decltype(::SHGetPathFromIDListA)>(LateLibrary::Shell32, "SHGetPathFromIDListA");
    LPITEMIDLIST item = browseForFolder && pathFromItem ? browseForFolder(&browse) : nullptr;
    disabled.restore();
    if (item == nullptr) return -1;

    char path[MAX_PATH] = {};
    const bool hasPath = pathFromItem(item, path) != FALSE;
    freeItemList(item);
    if (!hasPath) return 2;
    copyInto(selectedPath_, path);
    return 1;
}

int CALLBACK CFolderDialog::BrowseCallback(HWND window, UINT message, LPARAM parameter, LPARAM data) {
    CFolderDialog* self = reinterpret_cast<CFolderDialog*>(data);
    if (self == nullptr) return 0;
    // Notifications nest (a selection sent from a hook reports a change).
    HWND outer = self->browser_;
    self->browser_ = window;
    int result = 0;
    switch (message) {
    case BFFM_INITIALIZED:
        self->OnBrowseInitialized();
        break;
    case BFFM_SELCHANGED:
        self->OnBrowseSelectionChanged(reinterpret_cast<LPITEMIDLIST>(parameter));
        break;
    case BFFM_VALIDATEFAILEDA:
        result = self->OnBrowseValidateFailed(reinterpret_cast<const char*>(parameter));
        break;
    default:
        break;
    }
    self->browser_ = outer;
    return result;
}

void CFolderDialog::OnBrowseInitialized() {
    if (initialFolder_[0] != '\0')
        ::SendMessageA(browser_, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(initialFolder_));
}

int CFolderDialog::OnBrowseValidateFailed(const char*) {
    const int answer = ::MessageBoxA(browser_, kInvalidPathQuestion, title_.c_str(),
                                     MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2);
    return answer == IDYES ? 0 : 1;
}

void CFolderDialog::OnBrowseSelectionChanged(LPITEMIDLIST) {}

}  // namespace kv
