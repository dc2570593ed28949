// Helpers shared by the engine's test programs: a clean install state, the
// uninstall log read back, and registry fixtures that tidy up after
// themselves.
#pragma once
#include "support/test_registry.h"
#include "base/win.h"
#include "engine/log_record.h"

#include <string>
#include <vector>

namespace kvtest {

// Every install-state field the engine reads, back to a known state; the
// uninstall log closed; the configuration texts released.
void resetEngineState();

// Closes the uninstall log and reads the records of the file at `path`.
std::vector<kv::LogRecord> readLogRecords(const std::string& path);
// The raw bytes expected for a sequence of records.
std::vector<std::uint8_t> encodeRecords(const std::vector<kv::LogRecord>& records);

bool registryKeyExists(HKEY root, const std::string& path);
bool writeRegistryString(HKEY root, const std::string& path, const char* name,
                         const std::string& value);
bool writeRegistryMultiString(HKEY root, const std::string& path, const char* name,
                              const std::vector<std::string>& strings);
bool writeRegistryDword(HKEY root, const std::string& path, const char* name, DWORD value);
bool readRegistryDword(HKEY root, const std::string& path, const char* name, DWORD& value);
// False when the value is missing or not a string.
bool readRegistryString(HKEY root, const std::string& path, const char* name,
                        std::string& value);
bool registryValueExists(HKEY root, const std::string& path, const char* name);

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


// Lines of a text file, without their line ends.
std::vector<std::string> readLines(const std::string& path);

}  // namespace kvtest
