// Registry fixtures below a predefined root, read and written as raw values
// so a test sees exactly what is stored; the typed reads and the existence
// checks are built on the raw ones.
#pragma once
#include "base/win.h"

#include <string>
#include <vector>

namespace kvtest {

// A value's type and bytes as stored (a string's terminator included).
struct RegistryValue {
    DWORD type = REG_NONE;
    std::string bytes;
};
// REG_SZ with its terminator; REG_MULTI_SZ with each terminator and the final one.
RegistryValue stringValue(const std::string& text);
RegistryValue multiStringValue(const std::vector<std::string>& entries);
RegistryValue dwordValue(DWORD number);

// False when the key or the value is missing; `value` is then untouched.
bool readRegistryValue(HKEY root, const std::string& path, const char* name, RegistryValue& value);
// False as well when the value is of another type. A string is read up to
// its terminator.
bool readRegistryString(HKEY root, const std::string& path, const char* name, std::string& text);
bool readRegistryDword(HKEY root, const std::string& path, const char* name, DWORD& number);
bool registryValueExists(HKEY root, const std::string& path, const char* name);
bool registryKeyExists(HKEY root, const std::string& path);
// Creates the key when it is missing.
bool writeRegistryValue(HKEY root, const std::string& path, const char* name, const RegistryValue& value);
void deleteRegistryValue(HKEY root, const std::string& path, const char* name);
// Deletes the key and every key below it.
void deleteRegistryTree(HKEY root, const std::string& path);

// Where the current user's Start-menu folders are named.
constexpr char kShellFoldersKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
// The current user's Start-menu Programs folder as the registry names it;
// empty when it names none.
std::string programsFolder();

// Puts one value back as it was (deleted when it was missing) at the end of
// a scope, so that one test's fixture never reaches another.
class SavedRegistryValue {
public:
    SavedRegistryValue(HKEY root, const std::string& path, const char* name);
    ~SavedRegistryValue();
    SavedRegistryValue(const SavedRegistryValue&) = delete;
    SavedRegistryValue& operator=(const SavedRegistryValue&) = delete;

private:
    HKEY root_;
    std::string path_;
    const char* name_;
    RegistryValue value_;  // before existed_, which reads into it
    bool existed_;
};

// While alive, the key (created if missing) refuses to be opened with full
// access: everyone is denied setting values and creating sub-keys. The old
// access rules come back on destruction.
class LockedRegistryKey {
public:
    LockedRegistryKey(HKEY root, const std::string& path);
    ~LockedRegistryKey();
    LockedRegistryKey(const LockedRegistryKey&) = delete;
    LockedRegistryKey& operator=(const LockedRegistryKey&) = delete;
    bool locked() const { return locked_; }

private:
    HKEY root_;
    std::string path_;
    std::vector<BYTE> oldSecurity_;
    bool locked_ = false;
};

}  // namespace kvtest
