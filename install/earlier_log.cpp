#include "install/earlier_log.h"

#include "base/bounded_format.h"
#include "base/unique_handle.h"
#include "common/log_codec.h"

namespace kv {
namespace {

constexpr DWORD kLargestLog = 1 << 20;

bool sound(const Vector<std::uint8_t>& bytes) {
    std::size_t offset = 0;
    LogRecordView record;
    for (;;) {
        const LogRead read = readLogRecord(bytes.begin(), bytes.size(), offset, record);
        if (read == LogRead::End) return true;
        if (read == LogRead::Truncated || !isKnownLogRecordType(record.type) || record.length == 0) return false;
    }
}

bool stillThere(std::uint8_t type, const char* text) {
    if (type == kLogAutoStartValue) return false;  // written again by this install
    if (type == kLogUninstallKey) {
        UniqueRegKey key;
        return ::RegOpenKeyExA(HKEY_LOCAL_MACHINE, text, 0, KEY_QUERY_VALUE, key.put()) == ERROR_SUCCESS;
    }
    const DWORD attributes = ::GetFileAttributesA(text);
    if (attributes == INVALID_FILE_ATTRIBUTES) return false;
    const bool folder = (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    return (type == kLogFolder || type == kLogProgramFolder) == folder;
}

}  // namespace

void EarlierLog::read(const char* path) {
    UniqueFile file(::CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                                  nullptr));
    if (!file) return;
    const DWORD size = ::GetFileSize(file.get(), nullptr);
    if (size == INVALID_FILE_SIZE || size > kLargestLog || !bytes_.reserve(size)) return;
    std::uint8_t chunk[512];
    DWORD read = 0;
    while (::ReadFile(file.get(), chunk, sizeof(chunk), &read, nullptr) && read > 0)
        for (DWORD i = 0; i < read; ++i)
            if (!bytes_.push_back(chunk[i])) return;
}

bool EarlierLog::carryInto(UninstallLogFile& log) const {
    if (bytes_.empty() || !sound(bytes_)) return true;
    std::size_t offset = 0;
    LogRecordView record;
    while (readLogRecord(bytes_.begin(), bytes_.size(), offset, record) == LogRead::Record) {
        char text[kPathCapacity];
        if (record.length >= sizeof(text)) continue;
        for (std::size_t i = 0; i < record.length; ++i) text[i] = record.text[i];
        text[record.length] = 0;
        if (stillThere(record.type, text) && !log.appendRecord(record.type, text)) return false;
    }
    return true;
}

}  // namespace kv
