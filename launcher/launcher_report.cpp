#include "launcher/launcher_report.h"

#include "base/bounded_format.h"
#include "common/text_log_file.h"
#include "launcher/console_print.h"

#include <cstdarg>

namespace kv {

void LauncherReport::error(const char* format, ...) const {
    char text[768];
    va_list args;
    va_start(args, format);
    const bool fitted = formatBoundedList(text, sizeof(text), format, args);
    va_end(args);
    if (!fitted) copyInto(text, "setup cannot start");

    if (options_.unattended) {
        // The log takes the first line: the usage after it is for a person.
        char line[sizeof(text)];
        copyInto(line, text);
        for (char* p = line; *p; ++p)
            if (*p == '\n') *p = '\0';
        TextLogFile log;
        if (options_.logFile[0] != '\0' && log.create(options_.logFile)) log.writeLine(line);
    } else if (!standardHandleRedirected(STD_ERROR_HANDLE)) {
        ::MessageBoxA(nullptr, text, "Setup", MB_OK | MB_ICONERROR | MB_SETFOREGROUND);
    }
    printTo(STD_ERROR_HANDLE, "setup: %s\n", text);
}

}  // namespace kv
