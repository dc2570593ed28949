#include "common/text_log_file.h"

#include "base/bounded_format.h"

namespace kv {

bool TextLogFile::create(const char* path) {
    file_.reset(::CreateFileA(path, GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                              nullptr));
    return isOpen();
}

void TextLogFile::writeLine(const char* text) {
    if (!file_) return;
    SYSTEMTIME now = {};
    ::GetLocalTime(&now);
    char stamp[32];
    formatInto(stamp, "%04u-%02u-%02u %02u:%02u:%02u ", now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute,
               now.wSecond);
    DWORD written = 0;
    ::WriteFile(file_.get(), stamp, static_cast<DWORD>(::lstrlenA(stamp)), &written, nullptr);
    ::WriteFile(file_.get(), text, static_cast<DWORD>(::lstrlenA(text)), &written, nullptr);
    ::WriteFile(file_.get(), "\r\n", 2, &written, nullptr);
}

void TextLogFile::sink(void* context, const char* line) { static_cast<TextLogFile*>(context)->writeLine(line); }

}  // namespace kv
