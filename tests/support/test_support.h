// Helpers shared by the test programs.
#pragma once
#include <cstdint>
#include <initializer_list>
#include <map>
#include <string>
#include <vector>

namespace kvtest {

void rememberArguments(int argc, char** argv);
// Value of "--name=value" on the command line, or empty.
std::string argument(const char* name);
// The Windows version Wine was told to report ("win98", ...), or empty.
std::string windowsVersion();
// True when that version is one of `versions`.
bool versionIs(std::initializer_list<const char*> versions);

// A fresh, empty folder under the Wine prefix's temp folder.
std::string makeTempFolder(const char* tag);
bool fileExists(const std::string& path);
bool readFileBytes(const std::string& path, std::vector<std::uint8_t>& bytes);
bool writeFile(const std::string& path, const std::string& content);
// Writes `content` into `target` and plants `link` as a second name of it (a
// hard link); false when the file system makes none.
bool plantHardLink(const std::string& link, const std::string& target, const std::string& content);
// A file below a folder and its content.
struct FolderFile {
    std::string path;
    std::string content;
};
// Makes `folder` (its parent must exist) and writes `files` into it, making
// the folders on the way; false when a file could not be written.
bool fillFolder(const std::string& folder, const std::vector<FolderFile>& files);
// A fresh temp folder filled with `files`.
std::string makeSourceFolder(const char* tag, const std::vector<FolderFile>& files);
// What lies below a folder, each folder before its content: paths below it.
struct TreeEntry {
    std::string path;
    bool folder;
};
std::vector<TreeEntry> treeEntries(const std::string& root);
// Removes a folder and everything below it.
void removeTree(const std::string& path);
// Copies folder `from` and everything below it into `to` (made as needed).
bool copyTree(const std::string& from, const std::string& to);

// The sample package as the tests see it: a Windows path.
std::string samplePackageDir();
std::string stagedPackageDir();

// Converts a Unix path of the build machine to the path Wine shows for it.
std::string windowsPathOf(const char* unixPath);

// The process's open kernel handles by object type name ("Event", "Thread"),
// found by probing handle values: Wine answers GetProcessHandleCount with 0.
std::map<std::string, int> kernelHandlesByKind();

}  // namespace kvtest
