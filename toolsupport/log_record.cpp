#include "toolsupport/log_record.h"

namespace kv {

std::vector<std::uint8_t> encodeLogRecord(std::uint8_t type, const std::string& text) {
    std::vector<std::uint8_t> bytes(logRecordSize(text.size()));
    bytes.resize(encodeLogRecord(type, text.data(), text.size(), bytes.data(), bytes.size()));
    return bytes;
}

bool decodeLog(const std::vector<std::uint8_t>& bytes, std::vector<LogRecord>& records) {
    std::size_t offset = 0;
    LogRecordView record;
    for (;;) {
        switch (readLogRecord(bytes.data(), bytes.size(), offset, record)) {
            case LogRead::Record: records.push_back({record.type, std::string(record.text, record.length)}); break;
            case LogRead::End: return true;
            case LogRead::Truncated: return false;
        }
    }
}

}  // namespace kv
