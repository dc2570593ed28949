// Reads an uninstall log with the engine's record codec and says what is
// wrong with it, byte offset by byte offset. Pure logic: the log reader runs
// on the build machine.
#pragma once
#include "toolsupport/log_record.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace kvlog {

struct ListedRecord {
    std::size_t offset;  // of the type byte
    kv::LogRecord record;
};

struct LogProblem {
    std::size_t offset;
    std::string what;
};

struct LogListing {
    std::vector<ListedRecord> records;
    std::vector<LogProblem> problems;
    bool valid() const { return problems.empty(); }
};

bool isKnownRecordType(std::uint8_t type);

// Every record the engine's decoder finds, and every problem: an unknown type
// byte, an empty text, a last record without its 0x00, or bytes after the
// last record that do not start one.
LogListing listLog(const std::vector<std::uint8_t>& bytes);

}  // namespace kvlog
