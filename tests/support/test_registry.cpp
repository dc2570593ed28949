#include "support/test_registry.h"

#include "base/unique_handle.h"

#include <cstring>
#include <vector>

namespace kvtest {

RegistryValue stringValue(const std::string& text) { return {REG_SZ, std::string(text.c_str(), text.size() + 1)}; }

RegistryValue multiStringValue(std::initializer_list<const char*> entries) {
    RegistryValue value{REG_MULTI_SZ, {}};
    for (const char* entry : entries) value.bytes.append(entry, std::strlen(entry) + 1);
    value.bytes += '\0';
    return value;
}

RegistryValue dwordValue(DWORD number) {
    return {REG_DWORD, std::string(reinterpret_cast<const char*>(&number), sizeof(number))};
}

bool readRegistryValue(HKEY root, const std::string& path, const char* name, RegistryValue& value) {
    kv::UniqueRegKey key;
    if (::RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, key.put()) != ERROR_SUCCESS) return false;
    DWORD type = 0, size = 0;
    if (::RegQueryValueExA(key.get(), name, nullptr, &type, nullptr, &size) != ERROR_SUCCESS) return false;
    std::string bytes(size, '\0');
    if (size > 0 && ::RegQueryValueExA(key.get(), name, nullptr, &type, reinterpret_cast<BYTE*>(&bytes[0]),
                                       &size) != ERROR_SUCCESS)
        return false;
    bytes.resize(size);
    value = {type, bytes};
    return true;
}

bool writeRegistryValue(HKEY root, const std::string& path, const char* name, const RegistryValue& value) {
    kv::UniqueRegKey key;
    if (::RegCreateKeyExA(root, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, key.put(), nullptr) !=
        ERROR_SUCCESS)
        return false;
    return ::RegSetValueExA(key.get(), name, 0, value.type, reinterpret_cast<const BYTE*>(value.bytes.data()),
                            static_cast<DWORD>(value.bytes.size())) == ERROR_SUCCESS;
}

void deleteRegistryValue(HKEY root, const std::string& path, const char* name) {
    kv::UniqueRegKey key;
    if (::RegOpenKeyExA(root, path.c_str(), 0, KEY_SET_VALUE, key.put()) == ERROR_SUCCESS)
        ::RegDeleteValueA(key.get(), name);
}

void deleteRegistryTree(HKEY root, const std::string& path) {
    std::vector<std::string> children;
    {
        kv::UniqueRegKey key;
        char name[256];
        if (::RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, key.put()) == ERROR_SUCCESS)
            for (DWORD i = 0; ::RegEnumKeyA(key.get(), i, name, sizeof(name)) == ERROR_SUCCESS; ++i)
                children.push_back(name);
    }
    for (const std::string& child : children) deleteRegistryTree(root, path + "\\" + child);
    ::RegDeleteKeyA(root, path.c_str());
}

SavedRegistryValue::SavedRegistryValue(HKEY root, const std::string& path, const char* name)
    : root_(root), path_(path), name_(name), existed_(readRegistryValue(root, path, name, value_)) {}

SavedRegistryValue::~SavedRegistryValue() {
    if (existed_)
        writeRegistryValue(root_, path_, name_, value_);
    else
        deleteRegistryValue(root_, path_, name_);
}

std::string programsFolder() {
    RegistryValue value;
    if (!readRegistryValue(HKEY_CURRENT_USER, kShellFoldersKey, "Programs", value) || value.type != REG_SZ) return {};
    return std::string(value.bytes.c_str());  // up to its terminator
}

}  // namespace kvtest
