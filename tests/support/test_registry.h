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

// False when the key or the value is missing; `value` is then untouched.
bool readRegistryValue(HKEY root, const std::string& path, const char* name, RegistryValue& value);
// Creates the key when it is missing.
bool writeRegistryValue(HKEY root, const std::string& path, const char* name, const RegistryValue& value);
void deleteRegistryValue(HKEY root, const std::string& path, const char* name);
// Deletes the key and every key below it.
void deleteRegistryTree(HKEY root, const std::string& path);

}  // namespace kvtest
