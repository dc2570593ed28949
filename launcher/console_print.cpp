#include "launcher/console_print.h"

#include "base/bounded_format.h"

#include <cstdarg>

namespace kv {

bool standardHandleRedirected(DWORD stdHandle) {
    const HANDLE handle = ::GetStdHandle(stdHandle);
    if (handle == nullptr || handle == INVALID_HANDLE_VALUE) return false;
    const DWORD type = ::GetFileType(handle);
    return type == FILE_TYPE_DISK || type == FILE_TYPE_PIPE;
}

void printTo(DWORD stdHandle, const char* format, ...) {
    if (!standardHandleRedirected(stdHandle)) return;
    char line[1024];
    va_list args;
    va_start(args, format);
    const bool fitted = formatBoundedList(line, sizeof(line), format, args);
    va_end(args);
    if (!fitted) return;
    char out[2 * sizeof(line)];
    DWORD length = 0;
    for (const char* p = line; *p; ++p) {
        if (*p == '\n') out[length++] = '\r';
        out[length++] = *p;
    }
    DWORD written = 0;
    ::WriteFile(::GetStdHandle(stdHandle), out, length, &written, nullptr);
}

}  // namespace kv
