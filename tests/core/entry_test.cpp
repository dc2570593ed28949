// The exported entry, called through the built library as the launcher does.
#include "base/proc_address.h"
#include "base/unique_handle.h"
#include "common/result_code.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using DoInstallFn = int(WINAPI*)(const char*);

BOOL CALLBACK countVisibleWindows(HWND window, LPARAM count) {
    if (::IsWindowVisible(window)) ++*reinterpret_cast<int*>(count);
    return TRUE;
}

std::string libraryPath() { return kvtest::stagedPackageDir() + "\\kvsetup.dll"; }

}  // namespace

TEST(ResultCode, EndCodesMapToTheLaunchersCodes) {
    EXPECT_EQ(2, kv::resultCodeForEndCode(2, false));
    EXPECT_EQ(2, kv::resultCodeForEndCode(2, true));
    EXPECT_EQ(12, kv::resultCodeForEndCode(12, false));
    EXPECT_EQ(12, kv::resultCodeForEndCode(12, true));
    EXPECT_EQ(6, kv::resultCodeForEndCode(6, false));
    EXPECT_EQ(65542, kv::resultCodeForEndCode(6, true));
    for (int other : {0, 1, -1, 3, 7, 11, 13, 65542})
        EXPECT_EQ(0, kv::resultCodeForEndCode(other, true)) << other;
}

TEST(DoInstall, ExportedUndecoratedAndStandardCall) {
    kv::UniqueModule library(::LoadLibraryA(libraryPath().c_str()));
    ASSERT_TRUE(library) << libraryPath();
    EXPECT_EQ(nullptr, ::GetProcAddress(library.get(), "DOINSTALL@4"));
    EXPECT_EQ(nullptr, ::GetProcAddress(library.get(), "_DOINSTALL@4"));
    auto doInstall = kv::procAddress<DoInstallFn>(library.get(), "DOINSTALL");
    ASSERT_NE(nullptr, doInstall);

    // The callee pops its argument: the stack pointer is the same after the
    // call as before it, which a caller of the wrong convention would break.
    const std::string tooLong(300, 'a');
    unsigned long before = 0, after = 0, target = reinterpret_cast<unsigned long>(doInstall);
    unsigned long scratch = 0;
    int result = -1;
    asm volatile(
        "movl %%esp, %%esi\n\t"
        "pushl %%ebx\n\t"
        "call *%%ecx\n\t"
        "movl %%esp, %%edi\n\t"
        "movl %%esi, %%esp\n\t"
        : "=a"(result), "=S"(before), "=D"(after), "+c"(target), "=d"(scratch)
        : "b"(tooLong.c_str())
        : "memory", "cc");
    EXPECT_EQ(before, after);
    EXPECT_EQ(0, result);
}

TEST(DoInstall, RefusesMissingAndOverlongSourceFolders) {
    kv::UniqueModule library(::LoadLibraryA(libraryPath().c_str()));
    ASSERT_TRUE(library);
    auto doInstall = kv::procAddress<DoInstallFn>(library.get(), "DOINSTALL");
    ASSERT_NE(nullptr, doInstall);
    EXPECT_EQ(0, doInstall(nullptr));
    EXPECT_EQ(0, doInstall(std::string(260, 'x').c_str()));
    EXPECT_EQ(0, doInstall(std::string(5000, 'x').c_str()));
    // Nothing was shown for them: this thread owns no window.
    int visible = 0;
    ::EnumThreadWindows(::GetCurrentThreadId(), countVisibleWindows,
                        reinterpret_cast<LPARAM>(&visible));
    EXPECT_EQ(0, visible);
}
