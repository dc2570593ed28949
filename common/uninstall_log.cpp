#include "common/uninstall_log.h"

#include "base/heap_string.h"
#include "base/planted_link.h"
#include "common/log_codec.h"

#include <cstring>

namespace kv {
namespace {

HANDLE createLog(const char* path) {
    return ::CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                         nullptr);
}

}  // namespace

bool UninstallLogFile::create(const char* path) {
    file_.reset();
    size_ = 0;
    failed_ = true;
    // Truncating a link planted under the log's name would empty its target.
    if (path == nullptr || !removePlantedLink(path)) return false;
    file_.reset(createLog(path));
    if (!file_.valid()) {
        const DWORD attributes = ::GetFileAttributesA(path);
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) &&
            !(attributes & FILE_ATTRIBUTE_DIRECTORY) &&
            ::SetFileAttributesA(path, attributes & ~FILE_ATTRIBUTE_READONLY))
            file_.reset(createLog(path));
    }
    failed_ = !file_.valid();
    return !failed_;
}

bool UninstallLogFile::appendRecord(std::uint8_t type, const char* text) {
    if (!usable() || text == nullptr) return false;
    // The whole record in one write, so a failure never leaves half of one.
    const std::size_t length = std::strlen(text);
    String record(logRecordSize(length), '\0');
    const std::size_t size =
        record.failed() ? 0
                        : encodeLogRecord(type, text, length, reinterpret_cast<std::uint8_t*>(record.data()),
                                          record.size());

    DWORD written = 0;
    const BOOL ok = size != 0 && ::WriteFile(file_.get(), record.data(), static_cast<DWORD>(size), &written, nullptr);
    if (ok && written == size) {
        size_ += written;
        return true;
    }
    // A full disk may take part of the record: cut it off again, so that the
    // records before it stay well-formed, and write nothing more.
    failed_ = true;
    if (written != 0 &&
        ::SetFilePointer(file_.get(), static_cast<LONG>(size_), nullptr, FILE_BEGIN) == size_)
        ::SetEndOfFile(file_.get());
    return false;
}

}  // namespace kv
