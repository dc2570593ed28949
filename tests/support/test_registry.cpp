#include "support/test_registry.h"

#include "base/unique_handle.h"

#include <cstring>

namespace kvtest {
namespace {
using UniqueSid = kv::UniqueHandle<kv::HandleTraits<PSID, &::FreeSid>>;
}  // namespace

RegistryValue stringValue(const std::string& text) { return {REG_SZ, std::string(text.c_str(), text.size() + 1)}; }

RegistryValue multiStringValue(const std::vector<std::string>& entries) {
    RegistryValue value{REG_MULTI_SZ, {}};
    for (const std::string& entry : entries) value.bytes.append(entry.c_str(), entry.size() + 1);
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

bool readRegistryString(HKEY root, const std::string& path, const char* name, std::string& text) {
    RegistryValue value;
    if (!readRegistryValue(root, path, name, value) || value.type != REG_SZ) return false;
    text = value.bytes.c_str();  // up to its terminator
    return true;
}

bool readRegistryDword(HKEY root, const std::string& path, const char* name, DWORD& number) {
    RegistryValue value;
    if (!readRegistryValue(root, path, name, value) || value.type != REG_DWORD || value.bytes.size() != 4)
        return false;
    std::memcpy(&number, value.bytes.data(), 4);
    return true;
}

bool registryValueExists(HKEY root, const std::string& path, const char* name) {
    RegistryValue value;
    return readRegistryValue(root, path, name, value);
}

bool registryKeyExists(HKEY root, const std::string& path) {
    kv::UniqueRegKey key;
    return ::RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, key.put()) == ERROR_SUCCESS;
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

std::string programsFolder() {
    std::string folder;
    readRegistryString(HKEY_CURRENT_USER, kShellFoldersKey, "Programs", folder);
    return folder;
}

SavedRegistryValue::SavedRegistryValue(HKEY root, const std::string& path, const char* name)
    : root_(root), path_(path), name_(name), existed_(readRegistryValue(root, path, name, value_)) {}

SavedRegistryValue::~SavedRegistryValue() {
    if (existed_)
        writeRegistryValue(root_, path_, name_, value_);
    else
        deleteRegistryValue(root_, path_, name_);
}

LockedRegistryKey::LockedRegistryKey(HKEY root, const std::string& path) : root_(root), path_(path) {
    kv::UniqueRegKey key;
    if (::RegCreateKeyExA(root, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, key.put(), nullptr) !=
        ERROR_SUCCESS)
        return;
    DWORD size = 0;
    ::RegGetKeySecurity(key.get(), DACL_SECURITY_INFORMATION, nullptr, &size);
    oldSecurity_.assign(size ? size : 1, 0);
    if (size == 0 ||
        ::RegGetKeySecurity(key.get(), DACL_SECURITY_INFORMATION, oldSecurity_.data(), &size) != ERROR_SUCCESS)
        oldSecurity_.clear();

    SID_IDENTIFIER_AUTHORITY world = SECURITY_WORLD_SID_AUTHORITY;
    UniqueSid everyone;
    if (!::AllocateAndInitializeSid(&world, 1, SECURITY_WORLD_RID, 0, 0, 0, 0, 0, 0, 0, everyone.put())) return;
    BYTE aclBuffer[256];
    ACL* acl = reinterpret_cast<ACL*>(aclBuffer);
    SECURITY_DESCRIPTOR descriptor;
    if (::InitializeAcl(acl, sizeof(aclBuffer), ACL_REVISION) &&
        ::AddAccessDeniedAce(acl, ACL_REVISION, KEY_SET_VALUE | KEY_CREATE_SUB_KEY, everyone.get()) &&
        ::AddAccessAllowedAce(acl, ACL_REVISION, KEY_ALL_ACCESS, everyone.get()) &&
        ::InitializeSecurityDescriptor(&descriptor, SECURITY_DESCRIPTOR_REVISION) &&
        ::SetSecurityDescriptorDacl(&descriptor, TRUE, acl, FALSE))
        locked_ = ::RegSetKeySecurity(key.get(), DACL_SECURITY_INFORMATION, &descriptor) == ERROR_SUCCESS;
}

LockedRegistryKey::~LockedRegistryKey() {
    if (!locked_) return;
    kv::UniqueRegKey key;
    if (::RegOpenKeyExA(root_, path_.c_str(), 0, WRITE_DAC, key.put()) != ERROR_SUCCESS) return;
    if (!oldSecurity_.empty()) {
        ::RegSetKeySecurity(key.get(), DACL_SECURITY_INFORMATION, oldSecurity_.data());
        return;
    }
    SECURITY_DESCRIPTOR open;  // no list at all: everyone may do everything
    ::InitializeSecurityDescriptor(&open, SECURITY_DESCRIPTOR_REVISION);
    ::SetSecurityDescriptorDacl(&open, TRUE, nullptr, FALSE);
    ::RegSetKeySecurity(key.get(), DACL_SECURITY_INFORMATION, &open);
}

}  // namespace kvtest
