// The uninstall log is a bare sequence of records: one type byte, the text
// without terminator, one 0x00 byte. No header, count or checksum.
// The codec needs no runtime and allocates nothing, so the setup engine, the
// uninstaller, the tools and the host fuzz target all read and write the log
// through it. Reading never looks past the end it is given.
#pragma once
#include <cstddef>
#include <cstdint>

namespace kv {

enum LogRecordType : std::uint8_t {
    kLogFile = 0xFF,
    kLogFolder = 0xFE,
    kLogAutoStartValue = 0xFD,
    kLogProgramFolder = 0xFC,
    kLogShortcut = 0xFB,
    kLogUninstallKey = 0xFA,
};

bool isKnownLogRecordType(std::uint8_t type);
// "file", "folder", ...; "unknown" for any other byte.
const char* logRecordTypeName(std::uint8_t type);

// One record as it lies in the log's bytes; the text is not terminated there.
struct LogRecordView {
    std::uint8_t type = 0;
    const char* text = nullptr;
    std::size_t length = 0;
};

// Bytes a record with `textLength` bytes of text takes.
constexpr std::size_t logRecordSize(std::size_t textLength) { return textLength + 2; }

// Writes one record into out[0, capacity). Returns the bytes written; 0 when
// it does not fit or the text holds a 0x00 byte (it would end the record
// early). `out` is not touched on failure.
std::size_t encodeLogRecord(std::uint8_t type, const char* text, std::size_t length, std::uint8_t* out,
                            std::size_t capacity);

enum class LogRead {
    Record,     // `record` holds the record at the offset; offset moved past it
    End,        // the offset is at the end: no more records
    Truncated,  // bytes remain but no 0x00 ends them: a cut record
};

// Reads the record starting at `offset` of bytes[0, size).
LogRead readLogRecord(const std::uint8_t* bytes, std::size_t size, std::size_t& offset,
                      LogRecordView& record);

}  // namespace kv
