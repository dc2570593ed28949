#include "check_context.h"

#include "base/win.h"
#include "install/file_table.h"

#include <fstream>
#include <iterator>

namespace kvcheck {

std::string packagePath(const CheckContext& context, const std::string& relative) {
    return context.folder + "\\" + relative;
}

bool fileExists(const std::string& path) {
    const DWORD attributes = ::GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool folderExists(const std::string& path) {
    const DWORD attributes = ::GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool readWholeFile(const std::string& path, std::string& bytes) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return true;
}

std::string readProfileValue(const std::string& path, const char* section, const char* key) {
    std::vector<char> buffer(16384);
    const DWORD length = ::GetPrivateProfileStringA(section, key, "", buffer.data(),
                                                    static_cast<DWORD>(buffer.size()), path.c_str());
    return std::string(buffer.data(), length);
}

const std::vector<std::string>& installedFileNames() {
    static const std::vector<std::string> names = [] {
        std::vector<std::string> list;
        for (int i = kv::kFirstProgramFile; i <= kv::kUninstallLogName; ++i) list.push_back(kv::kFileTable[i]);
        list.push_back(std::string(kv::kFileTable[kv::kUninstallTextStem]) + ".un2");
        list.push_back("KvInfo.ini");
        return list;
    }();
    return names;
}

bool isInstalledFile(const std::string& relative) {
    for (const std::string& name : installedFileNames())
        if (sameName(relative, name.c_str())) return true;
    return false;
}

std::string nearestName(const std::string& name, const std::vector<std::string>& names) {
    const std::string* best = nullptr;
    int bestDistance = 3;  // at most two letters off, and less than half the name
    for (const std::string& candidate : names) {
        const int distance = nameDistance(name, candidate);
        if (distance < bestDistance && distance * 2 < static_cast<int>(candidate.size())) {
            bestDistance = distance;
            best = &candidate;
        }
    }
    return best ? " (did you mean " + *best + "?)" : "";
}

}  // namespace kvcheck
