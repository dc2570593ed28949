// Folder creation, path quoting and library entry lookup, on real folders
// and libraries.
#include "base/system_library.h"
#include "install/create_directory_tree.h"
#include "install/load_library_entries.h"
#include "install/quote_path.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

bool isFolder(const std::string& path) {
    const DWORD attributes = ::GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

class CreateDirectoryTreeTest : public ::testing::Test {
protected:
    void SetUp() override { root_ = kvtest::makeTempFolder("tree"); }
    void TearDown() override { kvtest::removeTree(root_); }
    std::string root_;
};

TEST_F(CreateDirectoryTreeTest, CreatesEveryMissingFolderOfAFolderPath) {
    const std::string path = root_ + "\\A\\B\\C";
    EXPECT_EQ(1, kv::CreateDirectoryTree(path.c_str(), false));
    EXPECT_TRUE(isFolder(root_ + "\\A"));
    EXPECT_TRUE(isFolder(root_ + "\\A\\B"));
    EXPECT_TRUE(isFolder(path));
    // Existing folders are no failure.
    EXPECT_EQ(1, kv::CreateDirectoryTree(path.c_str(), false));
}

TEST_F(CreateDirectoryTreeTest, FilePathCreatesOnlyTheFoldersAboveTheFile) {
    const std::string path = root_ + "\\A\\B\\C";
    EXPECT_EQ(1, kv::CreateDirectoryTree(path.c_str(), true));
    EXPECT_TRUE(isFolder(root_ + "\\A\\B"));
    EXPECT_FALSE(kvtest::fileExists(path));
}

TEST_F(CreateDirectoryTreeTest, ReportsZeroWhenTheFolderCannotBeMadeOrThePathIsTooLong) {
    // A file stands where a folder of the path should go.
    ASSERT_TRUE(kvtest::writeFile(root_ + "\\F", "x"));
    EXPECT_EQ(0, kv::CreateDirectoryTree((root_ + "\\F\\G").c_str(), false));
    EXPECT_EQ(0, kv::CreateDirectoryTree((root_ + "\\F\\G\\file.txt").c_str(), true));
    EXPECT_EQ(0, kv::CreateDirectoryTree((root_ + "\\F").c_str(), false));

    const std::string tooLong = root_ + "\\" + std::string(300 - root_.size(), 'x');
    EXPECT_EQ(0, kv::CreateDirectoryTree(tooLong.c_str(), false));
    EXPECT_FALSE(kvtest::fileExists(tooLong.substr(0, 259)));
}

TEST(QuotePath, QuotesOnlyAnUnquotedPathWithABlankAndStripsQuotesAgain) {
    char path[260] = "D:\\Setup Disk\\SETUP16.EXE";
    EXPECT_TRUE(kv::QuotePath(path, true));
    EXPECT_STREQ("\"D:\\Setup Disk\\SETUP16.EXE\"", path);
    EXPECT_TRUE(kv::QuotePath(path, true));  // already quoted: unchanged
    EXPECT_STREQ("\"D:\\Setup Disk\\SETUP16.EXE\"", path);
    EXPECT_TRUE(kv::QuotePath(path, false));
    EXPECT_STREQ("D:\\Setup Disk\\SETUP16.EXE", path);

    char plain[260] = "D:\\Setup\\SETUP16.EXE";
    EXPECT_TRUE(kv::QuotePath(plain, true));
    EXPECT_STREQ("D:\\Setup\\SETUP16.EXE", plain);
    char leadingOnly[260] = "\"C:\\A B";
    EXPECT_TRUE(kv::QuotePath(leadingOnly, false));
    EXPECT_STREQ("C:\\A B", leadingOnly);
    char trailingOnly[260] = "C:\\A B\"";
    EXPECT_TRUE(kv::QuotePath(trailingOnly, false));
    EXPECT_STREQ("C:\\A B\"", trailingOnly);
}

TEST(QuotePath, RefusesQuotesThatWouldOverrunTheBuffer) {
    char path[260];
    std::memset(path, 'a', 257);
    path[1] = ' ';
    path[257] = '\0';  // 257 characters: two quotes make 259, which fits
    EXPECT_TRUE(kv::QuotePath(path, true));
    EXPECT_EQ(259u, std::strlen(path));

    char full[260];
    std::memset(full, 'a', 258);
    full[1] = ' ';
    full[258] = '\0';  // 258 characters: quoted it would need 261 bytes
    const std::string before = full;
    EXPECT_FALSE(kv::QuotePath(full, true));
    EXPECT_EQ(before, full);
}

TEST(SystemLibrary, OnlyBareNamesInTheSystemFolderAndOnlyFullPathsLoad) {
    char folder[MAX_PATH] = {};
    ASSERT_NE(0u, ::GetSystemDirectoryA(folder, sizeof(folder)));
    char path[260] = "stale";
    EXPECT_TRUE(kv::systemLibraryPath("SETUPAPI.DLL", path));
    EXPECT_EQ(std::string(folder) + "\\SETUPAPI.DLL", path);
    for (const char* name : {"", "..\\SETUPAPI.DLL", "C:SETUPAPI.DLL", "sub/SETUPAPI.DLL"}) {
        EXPECT_FALSE(kv::systemLibraryPath(name, path)) << name;
        EXPECT_STREQ("", path);
    }
    EXPECT_FALSE(kv::systemLibraryPath(std::string(260, 'n').c_str(), path));

    const kv::UniqueModule kernel(kv::loadSystemLibrary("KERNEL32.DLL"));
    EXPECT_EQ(::GetModuleHandleA("KERNEL32.DLL"), kernel.get());
    // A bare name would be searched for, the program's folder first.
    EXPECT_EQ(nullptr, kv::loadLibraryByFullPath("KERNEL32.DLL"));
}

TEST(LoadLibraryEntries, StopsAtTheFirstMissingEntryAndKeepsWhatItHas) {
    char kernelPath[260];
    ASSERT_TRUE(kv::systemLibraryPath("KERNEL32.DLL", kernelPath));
    kv::UniqueModule module;
    kv::LibraryEntry all[] = {{"GetTickCount"}, {"GetVersion"}};
    EXPECT_EQ(1, kv::LoadLibraryEntries(module, kernelPath, all));
    EXPECT_EQ(::GetProcAddress(::GetModuleHandleA("KERNEL32.DLL"), "GetVersion"), all[1].address);
    EXPECT_EQ(0, kv::LoadLibraryEntries(module, "KERNEL32.DLL", all)) << "a bare name is refused";
    EXPECT_FALSE(module.valid());

    kv::LibraryEntry gap[] = {{"GetTickCount"}, {"NoSuchEntryAnywhere"}, {"GetVersion"}};
    EXPECT_EQ(0, kv::LoadLibraryEntries(module, kernelPath, gap));
    EXPECT_TRUE(module.valid());
    EXPECT_NE(nullptr, gap[0].address);
    EXPECT_EQ(nullptr, gap[2].address);  // never looked up

    kv::LibraryEntry one[] = {{"GetTickCount"}};
    EXPECT_EQ(0, kv::LoadLibraryEntries(module, "Z:\\no\\such\\library.dll", one));
    EXPECT_FALSE(module.valid());
    EXPECT_EQ(nullptr, one[0].address);
}

}  // namespace
