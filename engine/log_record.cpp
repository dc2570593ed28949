#include "engine/log_record.h"

namespace kv {

std::vector<std::uint8_t> encodeLogRecord(std::uint8_t type, const std::string& text) {
    std::vector<std::uint8_t> bytes;
    bytes.reserve(text.size() + 2);
    bytes.push_back(type);
    bytes.insert(bytes.end(), text.begin(), text.end());
    bytes.push_back(0);
    return bytes;
}

bool decodeLog(const std::vector<std::uint8_t>& bytes, std::vector<LogRecord>& records) {
    std::size_t at = 0;
    while (at < bytes.size()) {
        const std::uint8_t type = bytes[at++];
        std::size_t end = at;
        while (end < bytes.size() && bytes[end] != 0) ++end;
        if (end == bytes.size()) return false;
        records.push_back({type, std::string(bytes.begin() + at, bytes.begin() + end)});
        at = end + 1;
    }
    return true;
}

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

}  // namespace kv
