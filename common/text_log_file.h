// A plain-text log for administrators: each line goes to the file as it is
// written (no buffering), stamped with the local time, so a run that stops
// half-way leaves a readable account up to that point.
#pragma once
#include "base/unique_handle.h"

namespace kv {

class TextLogFile {
public:
    // Creates (or empties) the file; false when it cannot be made.
    bool create(const char* path);
    bool isOpen() const { return static_cast<bool>(file_); }
    // "YYYY-MM-DD HH:MM:SS text" and CR LF; nothing when not open.
    void writeLine(const char* text);
    void close() { file_.reset(); }

    // A StepReportSink that writes into the TextLogFile given as context.
    static void sink(void* context, const char* line);

private:
    UniqueFile file_;
};

}  // namespace kv
