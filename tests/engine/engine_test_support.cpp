#include "engine_test_support.h"

#include "core/install_state.h"
#include "core/language_strings.h"
#include "core/setup_config.h"
#include "support/test_support.h"

#include <cstring>
#include <fstream>

namespace kvtest {

void resetEngineState() {
    kv::InstallState& s = kv::installState;
    s.uninstallLog.close();
    s.sourceDir[0] = s.startDir[0] = s.destinationDir[0] = '\0';
    s.languageIndex = 0;
    s.languageCode = "enu";
    s.clearPlatformFlags();
    s.setupTypeFirst = 1;
    s.mainWindow = nullptr;
    s.setWorkerBusy(0);
    s.restartNeeded = 1;
    s.logRecordType = 0;
    s.logRecordEnd = 0;
    s.installStopped = 0;
    kv::releaseSetupConfig();
    kv::releaseLanguageStrings();
}

std::vector<kv::LogRecord> readLogRecords(const std::string& path) {
    kv::installState.uninstallLog.close();
    std::vector<std::uint8_t> bytes;
    std::vector<kv::LogRecord> records;
    if (readFileBytes(path, bytes)) kv::decodeLog(bytes, records);
    return records;
}

std::vector<std::uint8_t> encodeRecords(const std::vector<kv::LogRecord>& records) {
    std::vector<std::uint8_t> bytes;
    for (const kv::LogRecord& r : records) {
        const std::vector<std::uint8_t> one = kv::encodeLogRecord(r.type, r.text);
        bytes.insert(bytes.end(), one.begin(), one.end());
    }
    return bytes;
}

bool registryKeyExists(HKEY root, const std::string& path) {
    HKEY key = nullptr;
    if (::RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    ::RegCloseKey(key);
    return true;
}

namespace {

bool setValue(HKEY root, const std::string& path, const char* name, DWORD type,
              const void* data, DWORD size) {
    HKEY key = nullptr;
    if (::RegCreateKeyExA(root, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                          nullptr) != ERROR_SUCCESS)
        return false;
    const bool ok = ::RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(data), size) ==
                    ERROR_SUCCESS;
    ::RegCloseKey(key);
    return ok;
}

bool queryValue(HKEY root, const std::string& path, const char* name, DWORD& type,
                std::vector<BYTE>& data) {
    HKEY key = nullptr;
    if (::RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    DWORD size = 0;
    bool ok = ::RegQueryValueExA(key, name, nullptr, &type, nullptr, &size) == ERROR_SUCCESS;
    if (ok) {
        data.assign(size + 1, 0);
        ok = ::RegQueryValueExA(key, name, nullptr, &type, data.data(), &size) == ERROR_SUCCESS;
        data.resize(size);
    }
    ::RegCloseKey(key);
    return ok;
}

}  // namespace

bool writeRegistryString(HKEY root, const std::string& path, const char* name,
                         const std::string& value) {
    return setValue(root, path, name, REG_SZ, value.c_str(),
                    static_cast<DWORD>(value.size() + 1));
}

bool writeRegistryMultiString(HKEY root, const std::string& path, const char* name,
                              const std::vector<std::string>& strings) {
    std::string data;
    for (const std::string& s : strings) {
        data += s;
        data += '\0';
    }
    data += '\0';
    return setValue(root, path, name, REG_MULTI_SZ, data.data(), static_cast<DWORD>(data.size()));
}

bool writeRegistryDword(HKEY root, const std::string& path, const char* name, DWORD value) {
    return setValue(root, path, name, REG_DWORD, &value, sizeof(value));
}

bool readRegistryDword(HKEY root, const std::string& path, const char* name, DWORD& value) {
    DWORD type = 0;
    std::vector<BYTE> data;
    if (!queryValue(root, path, name, type, data) || type != REG_DWORD || data.size() != 4)
        return false;
    std::memcpy(&value, data.data(), 4);
    return true;
}

bool readRegistryString(HKEY root, const std::string& path, const char* name,
                        std::string& value) {
    DWORD type = 0;
    std::vector<BYTE> data;
    if (!queryValue(root, path, name, type, data) || type != REG_SZ) return false;
    value.assign(reinterpret_cast<const char*>(data.data()),
                 strnlen(reinterpret_cast<const char*>(data.data()), data.size()));
    return true;
}

bool registryValueExists(HKEY root, const std::string& path, const char* name) {
    DWORD type = 0;
    std::vector<BYTE> data;
    return queryValue(root, path, name, type, data);
}

LockedRegistryKey::LockedRegistryKey(HKEY root, const std::string& path)
    : root_(root), path_(path) {
    HKEY key = nullptr;
    if (::RegCreateKeyExA(root, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                          nullptr) != ERROR_SUCCESS)
        return;
    DWORD size = 0;
    ::RegGetKeySecurity(key, DACL_SECURITY_INFORMATION, nullptr, &size);
    oldSecurity_.assign(size ? size : 1, 0);
    if (size == 0 || ::RegGetKeySecurity(key, DACL_SECURITY_INFORMATION, oldSecurity_.data(),
                                         &size) != ERROR_SUCCESS)
        oldSecurity_.clear();

    SID_IDENTIFIER_AUTHORITY world = SECURITY_WORLD_SID_AUTHORITY;
    PSID everyone = nullptr;
    if (::AllocateAndInitializeSid(&world, 1, SECURITY_WORLD_RID, 0, 0, 0, 0, 0, 0, 0,
                                   &everyone)) {
        BYTE aclBuffer[256];
        ACL* acl = reinterpret_cast<ACL*>(aclBuffer);
        SECURITY_DESCRIPTOR descriptor;
        if (::InitializeAcl(acl, sizeof(aclBuffer), ACL_REVISION) &&
            ::AddAccessDeniedAce(acl, ACL_REVISION, KEY_SET_VALUE | KEY_CREATE_SUB_KEY,
                                 everyone) &&
            ::AddAccessAllowedAce(acl, ACL_REVISION, KEY_ALL_ACCESS, everyone) &&
            ::InitializeSecurityDescriptor(&descriptor, SECURITY_DESCRIPTOR_REVISION) &&
            ::SetSecurityDescriptorDacl(&descriptor, TRUE, acl, FALSE))
            locked_ = ::RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, &descriptor) ==
                      ERROR_SUCCESS;
        ::FreeSid(everyone);
    }
    ::RegCloseKey(key);
}

LockedRegistryKey::~LockedRegistryKey() {
    if (!locked_) return;
    HKEY key = nullptr;
    if (::RegOpenKeyExA(root_, path_.c_str(), 0, WRITE_DAC, &key) != ERROR_SUCCESS) return;
    if (!oldSecurity_.empty()) {
        ::RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, oldSecurity_.data());
    } else {
        SECURITY_DESCRIPTOR open;  // no list at all: everyone may do everything
        ::InitializeSecurityDescriptor(&open, SECURITY_DESCRIPTOR_REVISION);
        ::SetSecurityDescriptorDacl(&open, TRUE, nullptr, FALSE);
        ::RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, &open);
    }
    ::RegCloseKey(key);
}

std::vector<std::string> readLines(const std::string& path) {
    std::vector<std::string> lines;
    std::ifstream in(path, std::ios::binary);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

}  // namespace kvtest
