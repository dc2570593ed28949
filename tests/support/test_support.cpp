#include "support/test_support.h"

#include "base/proc_address.h"
#include "base/unique_handle.h"
#include "base/win.h"

#include <cstdio>
#include <fstream>
#include <iterator>

namespace kvtest {
namespace {
std::vector<std::string> arguments;
int tempCounter = 0;
}  // namespace

void rememberArguments(int argc, char** argv) {
    arguments.assign(argv, argv + argc);
}

std::string argument(const char* name) {
    const std::string prefix = std::string("--") + name + "=";
    for (const std::string& arg : arguments)
        if (arg.compare(0, prefix.size(), prefix) == 0) return arg.substr(prefix.size());
    return {};
}

std::string windowsVersion() { return argument("windows"); }

bool versionIs(std::initializer_list<const char*> versions) {
    const std::string running = windowsVersion();
    for (const char* version : versions)
        if (running == version) return true;
    return false;
}

std::string makeTempFolder(const char* tag) {
    char temp[MAX_PATH] = {};
    ::GetTempPathA(sizeof(temp), temp);
    char folder[MAX_PATH];
    std::snprintf(folder, sizeof(folder), "%skvtest-%s-%lu-%d", temp, tag,
                  static_cast<unsigned long>(::GetCurrentProcessId()), ++tempCounter);
    removeTree(folder);
    ::CreateDirectoryA(folder, nullptr);
    return folder;
}

bool fillFolder(const std::string& folder, const std::vector<FolderFile>& files) {
    ::CreateDirectoryA(folder.c_str(), nullptr);
    bool written = true;
    for (const FolderFile& file : files) {
        for (std::size_t cut = file.path.find('\\'); cut != std::string::npos; cut = file.path.find('\\', cut + 1))
            ::CreateDirectoryA((folder + "\\" + file.path.substr(0, cut)).c_str(), nullptr);
        written = writeFile(folder + "\\" + file.path, file.content) && written;
    }
    return written;
}

std::string makeSourceFolder(const char* tag, const std::vector<FolderFile>& files) {
    const std::string folder = makeTempFolder(tag);
    fillFolder(folder, files);
    return folder;
}

bool fileExists(const std::string& path) {
    return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool readFileBytes(const std::string& path, std::vector<std::uint8_t>& bytes) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return true;
}

bool writeFile(const std::string& path, const std::string& content) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out) return false;
    out << content;
    return static_cast<bool>(out);
}

bool plantHardLink(const std::string& link, const std::string& target, const std::string& content) {
    // Not declared for the oldest targets the headers are set to.
    using CreateHardLinkFn = BOOL(WINAPI*)(const char*, const char*, SECURITY_ATTRIBUTES*);
    const auto createHardLink = reinterpret_cast<CreateHardLinkFn>(
        reinterpret_cast<void (*)()>(::GetProcAddress(::GetModuleHandleA("KERNEL32.DLL"), "CreateHardLinkA")));
    return createHardLink != nullptr && writeFile(target, content) &&
           createHardLink(link.c_str(), target.c_str(), nullptr);
}

std::vector<TreeEntry> treeEntries(const std::string& root) {
    std::vector<TreeEntry> entries;
    WIN32_FIND_DATAA found;
    kv::UniqueFindHandle find(::FindFirstFileA((root + "\\*").c_str(), &found));
    if (!find) return entries;
    do {
        const std::string name = found.cFileName;
        if (name == "." || name == "..") continue;
        const bool folder = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        entries.push_back({name, folder});
        if (folder)
            for (const TreeEntry& inner : treeEntries(root + "\\" + name))
                entries.push_back({name + "\\" + inner.path, inner.folder});
    } while (::FindNextFileA(find.get(), &found));
    return entries;  // the search handle closes here, before any folder is removed
}

void removeTree(const std::string& path) {
    const std::vector<TreeEntry> entries = treeEntries(path);
    for (auto entry = entries.rbegin(); entry != entries.rend(); ++entry) {  // a folder's content first
        const std::string child = path + "\\" + entry->path;
        ::SetFileAttributesA(child.c_str(), FILE_ATTRIBUTE_NORMAL);  // read-only ones too
        if (entry->folder) ::RemoveDirectoryA(child.c_str());
        else ::DeleteFileA(child.c_str());
    }
    ::RemoveDirectoryA(path.c_str());
}

bool copyTree(const std::string& from, const std::string& to) {
    ::CreateDirectoryA(to.c_str(), nullptr);
    bool ok = ::GetFileAttributesA(from.c_str()) != INVALID_FILE_ATTRIBUTES;
    for (const TreeEntry& entry : treeEntries(from)) {
        const std::string source = from + "\\" + entry.path, target = to + "\\" + entry.path;
        if (entry.folder) ::CreateDirectoryA(target.c_str(), nullptr);
        else ok = ::CopyFileA(source.c_str(), target.c_str(), FALSE) != FALSE && ok;
    }
    return ok;
}

std::string windowsPathOf(const char* unixPath) {
    // Wine maps the Unix root to drive Z:.
    std::string out = "Z:";
    for (const char* p = unixPath; *p; ++p) out += (*p == '/') ? '\\' : *p;
    return out;
}

std::string samplePackageDir() { return windowsPathOf(KV_SAMPLE_PACKAGE_DIR); }
std::string stagedPackageDir() { return windowsPathOf(KV_STAGED_PACKAGE_DIR); }

namespace {

// The object type's name of a kernel handle, through ntdll's object query.
std::string handleKind(HANDLE handle) {
    using QueryObject = LONG(WINAPI*)(HANDLE, int, void*, ULONG, ULONG*);
    static const auto query = kv::procAddress<QueryObject>(::GetModuleHandleA("ntdll.dll"), "NtQueryObject");
    alignas(8) unsigned char buffer[512] = {};
    if (query == nullptr || query(handle, 2 /* ObjectTypeInformation */, buffer, sizeof(buffer), nullptr) != 0)
        return "?";
    const USHORT bytes = *reinterpret_cast<USHORT*>(buffer);
    const WCHAR* name = *reinterpret_cast<WCHAR**>(buffer + sizeof(void*));
    std::string kind;
    for (USHORT i = 0; name != nullptr && i < bytes / 2; ++i) kind += static_cast<char>(name[i]);
    return kind;
}

}  // namespace

std::map<std::string, int> kernelHandlesByKind() {
    std::map<std::string, int> kinds;
    for (ULONG_PTR value = 4; value < 0x10000; value += 4) {
        DWORD flags = 0;
        if (::GetHandleInformation(reinterpret_cast<HANDLE>(value), &flags))
            ++kinds[handleKind(reinterpret_cast<HANDLE>(value))];
    }
    return kinds;
}

}  // namespace kvtest
