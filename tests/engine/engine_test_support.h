// Helpers shared by the engine's test programs: a clean install state and
// the uninstall log read back. The registry fixtures come along, since every
// program that resets the engine also prepares the registry.
#pragma once
#include "support/test_registry.h"
#include "toolsupport/log_record.h"

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

// Lines of a text file, without their line ends.
std::vector<std::string> readLines(const std::string& path);

}  // namespace kvtest
