// The open uninstall log file. Written by the worker until it clears the busy
// flag, then by the user-interface thread; never by both at once.
#pragma once
#include "base/unique_handle.h"
#include <cstddef>
#include <cstdint>

namespace kv {

class UninstallLogFile {
public:
    // Creates (or truncates) the file for exclusive writing. False when it
    // cannot be created; the log then stays closed and appends do nothing.
    bool create(const char* path);
    bool isOpen() const { return file_.valid(); }
    // Raw, untranslated bytes. False when closed or the write fails.
    bool append(const void* bytes, std::size_t count);
    bool appendByte(std::uint8_t byte) { return append(&byte, 1); }
    // Type byte, text without terminator, end byte: three raw writes.
    bool appendRecord(std::uint8_t type, const char* text, std::uint8_t end);
    void close() { file_.reset(); }

private:
    UniqueFile file_;
};

}  // namespace kv
