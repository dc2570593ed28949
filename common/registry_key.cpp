#include "common/registry_key.h"

#include "base/bounded_format.h"
#include "common/registry_report.h"

#include "base/unique_handle.h"

#include <cstring>

namespace kv {

void RegistryKey::Reset() {
    path_.clear();
    root_ = HKEY_CURRENT_USER;
    lazyFlush_ = 1;
}

int RegistryKey::SetRoot(HKEY key) {
    if (key == HKEY_CLASSES_ROOT || key == HKEY_CURRENT_USER || key == HKEY_LOCAL_MACHINE ||
        key == HKEY_USERS) {
        root_ = key;
        return 1;
    }
    return 0;
}

LONG RegistryKey::openCurrent(REGSAM access, HKEY* key) const {
    return ::RegOpenKeyExA(root_, path_.empty() ? nullptr : path_.c_str(), 0, access, key);
}

int RegistryKey::Open(const char* subkey, bool create) {
    if (subkey == nullptr || *subkey == '\0') {
        path_.clear();
        return 1;
    }
    UniqueRegKey key;
    if (create) {
        DWORD disposition = 0;
        if (::RegCreateKeyExA(root_, subkey, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                              nullptr, key.put(), &disposition) != ERROR_SUCCESS)
            return 0;
    } else {
        lastError_ = ::RegOpenKeyExA(root_, subkey, 0, KEY_ALL_ACCESS, key.put());
        if (lastError_ != ERROR_SUCCESS) return 0;
    }
    path_ = subkey;
    if (lazyFlush_ == 0) ::RegFlushKey(key.get());
    return 1;
}

int RegistryKey::KeyExists(const char* subkey, HKEY rootOrNone) {
    UniqueRegKey key;
    return ::RegOpenKeyExA(rootOrNone ? rootOrNone : root_, subkey, 0, KEY_ALL_ACCESS,
                           key.put()) == ERROR_SUCCESS
               ? 1
               : 0;
}

int RegistryKey::DeleteKey(const char* subkey) {
    if (!KeyExists(subkey)) return 1;
    return ::RegDeleteKeyA(root_, subkey) == ERROR_SUCCESS ? 1 : 0;
}

int RegistryKey::DeleteValue(const char* name) {
    UniqueRegKey key;
    if (openCurrent(KEY_SET_VALUE, key.put()) != ERROR_SUCCESS) return 0;
    return ::RegDeleteValueA(key.get(), name) == ERROR_SUCCESS ? 1 : 0;
}

DWORD RegistryKey::GetValueType(const char* name) {
    UniqueRegKey key;
    lastError_ = openCurrent(KEY_QUERY_VALUE, key.put());
    if (lastError_ != ERROR_SUCCESS) return 0;
    DWORD type = 0;
    lastError_ = ::RegQueryValueExA(key.get(), name, nullptr, &type, nullptr, nullptr);
    return lastError_ == ERROR_SUCCESS ? type : 0;
}

String RegistryKey::ReadString(const char* name, const char* defaultValue) {
    const String fallback = defaultValue ? defaultValue : "";
    const DWORD type = GetValueType(name);
    if (type != REG_SZ && type != REG_EXPAND_SZ) return fallback;
    UniqueRegKey key;
    lastError_ = openCurrent(KEY_READ, key.put());
    if (lastError_ != ERROR_SUCCESS) return fallback;
    char buffer[kReadBufferSize] = {};
    DWORD size = kMaxReadBytes;
    lastError_ = ::RegQueryValueExA(key.get(), name, nullptr, nullptr,
                                    reinterpret_cast<BYTE*>(buffer), &size);
    if (lastError_ != ERROR_SUCCESS) return fallback;
    return String(buffer, strnlen(buffer, kMaxReadBytes));
}

DWORD RegistryKey::ReadDword(const char* name, DWORD defaultValue) {
    UniqueRegKey key;
    if (openCurrent(KEY_READ, key.put()) != ERROR_SUCCESS) return defaultValue;
    DWORD value = 0;
    DWORD size = sizeof(value);
    if (::RegQueryValueExA(key.get(), name, nullptr, nullptr, reinterpret_cast<BYTE*>(&value),
                           &size) != ERROR_SUCCESS)
        return defaultValue;
    return value;
}

DWORD RegistryKey::ReadValueBytes(const char* name, BYTE* out) {
    (void)GetValueType(name);
    UniqueRegKey key;
    lastError_ = openCurrent(KEY_READ, key.put());
    if (lastError_ != ERROR_SUCCESS) return 0;
    BYTE buffer[kReadBufferSize] = {};
    DWORD size = kMaxReadBytes;
    lastError_ = ::RegQueryValueExA(key.get(), name, nullptr, nullptr, buffer, &size);
    if (lastError_ != ERROR_SUCCESS) return 0;
    std::memcpy(out, buffer, size);
    return size;
}

int RegistryKey::WriteString(const char* name, const char* value) {
    if (value == nullptr) value = "";
    const std::size_t length = std::strlen(value);
    if (length > kMaxWrittenChars) return 0;
    UniqueRegKey key;
    if (openCurrent(KEY_WRITE, key.put()) != ERROR_SUCCESS) return 0;
    const bool ok = ::RegSetValueExA(key.get(), name, 0, REG_SZ,
                                     reinterpret_cast<const BYTE*>(value),
                                     static_cast<DWORD>(length + 1)) == ERROR_SUCCESS;
    if (lazyFlush_ == 0) ::RegFlushKey(key.get());
    reportRegistryWrite(root_, path_.c_str(), name, value, ok);
    return ok ? 1 : 0;
}

int RegistryKey::WriteDword(const char* name, DWORD value) {
    UniqueRegKey key;
    if (openCurrent(KEY_WRITE, key.put()) != ERROR_SUCCESS) return 0;
    const bool ok = ::RegSetValueExA(key.get(), name, 0, REG_DWORD,
                                     reinterpret_cast<const BYTE*>(&value),
                                     sizeof(value)) == ERROR_SUCCESS;
    if (lazyFlush_ == 0) ::RegFlushKey(key.get());
    char number[16];
    formatInto(number, "%lu", static_cast<unsigned long>(value));
    reportRegistryWrite(root_, path_.c_str(), name, number, ok);
    return ok ? 1 : 0;
}

}  // namespace kv
