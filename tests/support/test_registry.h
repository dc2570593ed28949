// Registry fixtures below a predefined root, read and written as raw values
// so a test sees exactly what is stored.
#pragma once
#include "base/win.h"

#include <initializer_list>
#include <string>

namespace kvtest {

// A value's type and bytes as stored (a string's terminator included).
struct RegistryValue {
    DWORD type = REG_NONE;
    std::string bytes;
};
// REG_SZ with its terminator; REG_MULTI_SZ with each terminator and the final one.
RegistryValue stringValue(const std::string& text);
RegistryValue multiStringValue(std::initializer_list<const char*> entries);
RegistryValue dwordValue(DWORD number);

// False when the key or the value is missing; `value` is then untouched.
bool readRegistryValue(HKEY root, const std::string& path, const char* name, RegistryValue& value);
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

}  // namespace kvtest
