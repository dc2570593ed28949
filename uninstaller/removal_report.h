// What the uninstaller tells about each item: one plain-text line per item
// in the /log file ("removed: file C:\...", "skipped: file C:\... (why)"),
// and the items left behind for the last message.
#pragma once
#include "base/heap_string.h"
#include "base/unique_handle.h"
#include "removal/removal_run.h"

namespace kv {

class RemovalReport : public RemovalAccount {
public:
    // No file when `logPath` is null or cannot be created.
    explicit RemovalReport(const char* logPath);
    void item(ItemOutcome outcome, const char* kind, const char* what, const char* why) override;
    void line(const char* text);
    // The items not removed (failed or skipped), one per line.
    const String& itemsLeft() const { return left_; }

private:
    void write(const char* text);
    UniqueFile file_;
    String left_;
};

}  // namespace kv
