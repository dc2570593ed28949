#include "uninstaller/removal_report.h"

#include <cstring>

namespace kv {

RemovalReport::RemovalReport(const char* logPath) {
    if (logPath != nullptr && *logPath)
        file_.reset(::CreateFileA(logPath, GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
}

void RemovalReport::write(const char* text) {
    if (!file_) return;
    DWORD written = 0;
    ::WriteFile(file_.get(), text, static_cast<DWORD>(std::strlen(text)), &written, nullptr);
}

void RemovalReport::line(const char* text) {
    write(text);
    write("\r\n");
}

void RemovalReport::item(ItemOutcome outcome, const char* kind, const char* what, const char* why) {
    write(itemOutcomeText(outcome));
    write(": ");
    write(kind);
    write(" ");
    write(what);
    if (why != nullptr && *why) {
        write(" (");
        write(why);
        write(")");
    }
    write("\r\n");
    if (outcome == ItemOutcome::Failed || outcome == ItemOutcome::Skipped) {
        left_ += what;
        left_ += "\n";
    }
}

}  // namespace kv
