#include "common/log_codec.h"

namespace kv {

bool isKnownLogRecordType(std::uint8_t type) { return type >= kLogUninstallKey; }

const char* logRecordTypeName(std::uint8_t type) {
    switch (type) {
        case kLogFile: return "file";
        case kLogFolder: return "folder";
        case kLogAutoStartValue: return "auto-start value";
        case kLogProgramFolder: return "program folder";
        case kLogShortcut: return "shortcut";
        case kLogUninstallKey: return "uninstall key";
        default: return "unknown";
    }
}

std::size_t encodeLogRecord(std::uint8_t type, const char* text, std::size_t length, std::uint8_t* out,
                            std::size_t capacity) {
    if (length > capacity || capacity - length < 2 || (length != 0 && text == nullptr)) return 0;
    for (std::size_t i = 0; i < length; ++i)
        if (text[i] == 0) return 0;
    out[0] = type;
    for (std::size_t i = 0; i < length; ++i) out[1 + i] = static_cast<std::uint8_t>(text[i]);
    out[1 + length] = 0;
    return logRecordSize(length);
}

LogRead readLogRecord(const std::uint8_t* bytes, std::size_t size, std::size_t& offset,
                      LogRecordView& record) {
    if (offset >= size) return LogRead::End;
    std::size_t end = offset + 1;
    while (end < size && bytes[end] != 0) ++end;
    if (end >= size) return LogRead::Truncated;
    record.type = bytes[offset];
    record.text = reinterpret_cast<const char*>(bytes + offset + 1);
    record.length = end - offset - 1;
    offset = end + 1;
    return LogRead::Record;
}

}  // namespace kv
