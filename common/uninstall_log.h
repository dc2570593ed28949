// The open uninstall log file. Written by the worker until it clears the busy
// flag, then by the user-interface thread; never by both at once.
#pragma once
#include "base/unique_handle.h"
#include <cstdint>

namespace kv {

class UninstallLogFile {
public:
    // Creates (or truncates) the file for exclusive writing. A read-only log
    // left by an earlier installation is made writable and replaced, so it
    // never stands for this one. False when the file cannot be created; the
    // log is then closed and failed.
    bool create(const char* path);
    bool isOpen() const { return file_.valid(); }
    // A create or a write went wrong since the last create: nothing more may
    // be installed, since it could not be recorded.
    bool failed() const { return failed_; }
    bool usable() const { return isOpen() && !failed_; }
    // One record (type byte, text without terminator, 0x00), written whole in
    // one write or not at all: after a short write the file is cut back to
    // the end of the last whole record and the log fails. False when the log
    // is not usable or the record was not written.
    bool appendRecord(std::uint8_t type, const char* text);
    // Closes the file; whether the log failed is kept until the next create.
    void close() { file_.reset(); }

private:
    UniqueFile file_;
    DWORD size_ = 0;  // bytes of whole records written
    bool failed_ = false;
};

}  // namespace kv
