#include "engine/uninstall_log.h"

#include <cstring>

namespace kv {

bool UninstallLogFile::create(const char* path) {
    file_.reset(::CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
    return file_.valid();
}

bool UninstallLogFile::append(const void* bytes, std::size_t count) {
    if (!file_.valid()) return false;
    DWORD written = 0;
    return ::WriteFile(file_.get(), bytes, static_cast<DWORD>(count), &written, nullptr) &&
           written == count;
}

bool UninstallLogFile::appendRecord(std::uint8_t type, const char* text, std::uint8_t end) {
    const bool typeOk = appendByte(type);
    const bool textOk = append(text, std::strlen(text));
    const bool endOk = appendByte(end);
    return typeOk && textOk && endOk;
}

}  // namespace kv
