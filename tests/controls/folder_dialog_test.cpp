// CFolderDialog driving the shell's real folder browser: confirming with an
// initial folder, cancelling, an item without a path, and the owner.
#include "control_host.h"
#include "base/unique_handle.h"
#include "controls/folder_dialog.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>

using kvtest::ControlHost;

namespace {

// Presses a button of the browser as soon as it has initialised.
class AutoFolderDialog : public kv::CFolderDialog {
public:
    using CFolderDialog::CFolderDialog;
    int button = IDOK;
    LPITEMIDLIST selectInstead = nullptr;
    // Confirm only once the browser shows this folder: the browser may apply
    // the initial selection after it has reported itself initialised.
    std::string confirmAt;
    HWND browser = nullptr;
    HWND browserOwner = nullptr;

protected:
    void OnBrowseInitialized() override {
        CFolderDialog::OnBrowseInitialized();
        browser = browserWindow();
        browserOwner = ::GetWindow(browser, GW_OWNER);
        if (selectInstead != nullptr)
            ::SendMessageA(browser, BFFM_SETSELECTIONA, FALSE, reinterpret_cast<LPARAM>(selectInstead));
        if (confirmAt.empty()) press(browser);
        // A browser that never reaches the folder is still closed, so the test
        // fails instead of waiting.
        else ::SetTimer(browser, kGiveUpTimer, 10000, giveUp);
    }
    void OnBrowseSelectionChanged(LPITEMIDLIST item) override {
        char path[MAX_PATH] = {};
        // Reported while the initial selection is made, before OnBrowseInitialized
        // has returned: the browser is the one the notification comes from.
        if (!confirmAt.empty() && item != nullptr && ::SHGetPathFromIDListA(item, path) &&
            ::lstrcmpiA(path, confirmAt.c_str()) == 0)
            press(browserWindow());
    }

private:
    static constexpr UINT_PTR kGiveUpTimer = 0x4B56;
    static void CALLBACK giveUp(HWND window, UINT, UINT_PTR id, DWORD) {
        ::KillTimer(window, id);
        ::PostMessageA(window, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    }
    void press(HWND window) const {
        if (window != nullptr) ::PostMessageA(window, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
    }
};

bool samePath(const std::string& a, const std::string& b) { return ::lstrcmpiA(a.c_str(), b.c_str()) == 0; }

}  // namespace

TEST(CFolderDialog, ConfirmingReturnsOneAndTheInitialFolder) {
    ControlHost host;
    // Wine's browser fails now and then (about 1 in 100) to walk to a folder of
    // the profile, which the desktop also shows as the user's folder, and stays
    // at the Desktop; a folder at the root of drive C: it reaches every time.
    const std::string folder = "C:\\kvtest-browse-" + std::to_string(::GetCurrentProcessId());
    ASSERT_TRUE(::CreateDirectoryA(folder.c_str(), nullptr) || ::GetLastError() == ERROR_ALREADY_EXISTS);
    AutoFolderDialog dialog("Select the Directory you wish to monitor...", folder.c_str(), host.handle(),
                            BIF_RETURNONLYFSDIRS);
    dialog.confirmAt = folder;
    EXPECT_EQ(1, dialog.RunModal());
    EXPECT_TRUE(samePath(folder, dialog.selectedPath())) << dialog.selectedPath();
    EXPECT_EQ(host.handle(), dialog.browserOwner);
    EXPECT_FALSE(::IsWindow(dialog.browser));
    kvtest::removeTree(folder);
}

TEST(CFolderDialog, ItemWithoutFileSystemPathReturnsTwo) {
    ControlHost host;
    AutoFolderDialog dialog("title", nullptr, host.handle(), 0);
    LPITEMIDLIST computer = nullptr;
    ASSERT_TRUE(SUCCEEDED(::SHGetSpecialFolderLocation(nullptr, CSIDL_DRIVES, &computer)));
    dialog.selectInstead = computer;
    EXPECT_EQ(2, dialog.RunModal());
    EXPECT_STREQ("", dialog.selectedPath());
    kv::ComPtr<IMalloc> allocator;
    if (SUCCEEDED(::SHGetMalloc(allocator.put()))) allocator.get()->Free(computer);
}

TEST(CFolderDialog, CancellingReturnsMinusOne) {
    ControlHost host;
    HWND owner = host.handle();
    std::atomic<bool> stop{false};
    std::atomic<HWND> found{nullptr};
    // Looks for the browser among the windows owned by the host, as a user
    // would see it, and cancels it; gives up after ten seconds.
    std::thread driver([&] {
        for (int i = 0; i < 1000 && !stop; ++i) {
            HWND candidate = nullptr;
            while ((candidate = ::FindWindowExA(nullptr, candidate, "#32770", nullptr)) != nullptr) {
                if (::GetWindow(candidate, GW_OWNER) == owner && ::IsWindowVisible(candidate)) {
                    found = candidate;
                    ::PostMessageA(candidate, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
                    return;
                }
            }
            ::Sleep(10);
        }
    });
    kv::CFolderDialog dialog("title", "C:\\windows", owner, BIF_RETURNONLYFSDIRS);
    const int result = dialog.RunModal();
    stop = true;
    driver.join();
    EXPECT_NE(nullptr, found.load());
    EXPECT_EQ(-1, result);
    EXPECT_STREQ("", dialog.selectedPath());
    EXPECT_TRUE(::IsWindowEnabled(owner));
}
