// Shared helpers for the setup test doubles: append one line to the record
// file named by KV_DOUBLE_LOG. Nothing is written when the variable is unset.
#pragma once

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <cstring>

namespace kvdouble {

// Closes a Win32 file handle when it goes out of scope.
class FileHandle {
public:
    explicit FileHandle(HANDLE h) noexcept : h_(h) {}
    ~FileHandle() {
        if (valid()) {
            CloseHandle(h_);
        }
    }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;

    bool valid() const noexcept { return h_ != INVALID_HANDLE_VALUE && h_ != nullptr; }
    HANDLE get() const noexcept { return h_; }

private:
    HANDLE h_;
};

// Reads an environment variable into buf. Returns false when it is unset,
// empty or longer than the buffer.
inline bool readEnv(const char* name, char* buf, DWORD size) {
    if (size == 0) {
        return false;
    }
    buf[0] = '\0';
    const DWORD n = GetEnvironmentVariableA(name, buf, size);
    if (n == 0 || n >= size) {
        buf[0] = '\0';
        return false;
    }
    return true;
}

// Appends `line` followed by CRLF to the record file. Several processes may
// record in turn, so the file is opened for appending and shared.
inline void appendRecord(const char* line) {
    char path[MAX_PATH];
    if (!readEnv("KV_DOUBLE_LOG", path, sizeof(path))) {
        return;
    }
    FileHandle file(CreateFileA(path, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid()) {
        return;
    }
    SetFilePointer(file.get(), 0, nullptr, FILE_END);
    DWORD written = 0;
    const DWORD len = static_cast<DWORD>(std::strlen(line));
    WriteFile(file.get(), line, len, &written, nullptr);
    WriteFile(file.get(), "\r\n", 2, &written, nullptr);
}

}  // namespace kvdouble
