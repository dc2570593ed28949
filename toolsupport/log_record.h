// The log's records as standard containers, for the tests and the host tools;
// both directions go through the runtime-free codec of common/log_codec.h.
#pragma once
#include "common/log_codec.h"

#include <cstdint>
#include <string>
#include <vector>

namespace kv {

struct LogRecord {
    std::uint8_t type;
    std::string text;
    bool operator==(const LogRecord& o) const { return type == o.type && text == o.text; }
};

std::vector<std::uint8_t> encodeLogRecord(std::uint8_t type, const std::string& text);

// Splits a log into records. Returns false when the bytes end inside a
// record (no closing 0x00); the records read so far are kept.
bool decodeLog(const std::vector<std::uint8_t>& bytes, std::vector<LogRecord>& records);

}  // namespace kv
