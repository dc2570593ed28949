// The uninstall log is a bare sequence of records: one type byte, the text
// without terminator, one 0x00 byte. No header, count or checksum.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace kv {

enum LogRecordType : std::uint8_t {
    kLogFile = 0xFF,
    kLogFolder = 0xFE,
    kLogAutoStartValue = 0xFD,
    kLogProgramFolder = 0xFC,
    kLogShortcut = 0xFB,
    kLogUninstallKey = 0xFA,
};

struct LogRecord {
    std::uint8_t type;
    std::string text;
    bool operator==(const LogRecord& o) const { return type == o.type && text == o.text; }
};

std::vector<std::uint8_t> encodeLogRecord(std::uint8_t type, const std::string& text);

// Splits a log into records. Returns false when the bytes end inside a
// record (no closing 0x00); the records read so far are kept.
bool decodeLog(const std::vector<std::uint8_t>& bytes, std::vector<LogRecord>& records);

const char* logRecordTypeName(std::uint8_t type);

}  // namespace kv
