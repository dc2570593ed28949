#include "removal/wininit_text.h"

namespace kv {
namespace {

// A line "[rename]" (case ignored, blanks around it allowed).
bool isRenameHeader(const char* line, std::size_t length) {
    static const char kHeader[] = "[rename]";
    std::size_t start = 0;
    while (start < length && (line[start] == ' ' || line[start] == '\t')) ++start;
    while (length > start && (line[length - 1] == ' ' || line[length - 1] == '\t' || line[length - 1] == '\r'))
        --length;
    if (length - start != sizeof(kHeader) - 1) return false;
    for (std::size_t i = 0; i < length - start; ++i) {
        char c = line[start + i];
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        if (c != kHeader[i]) return false;
    }
    return true;
}

bool isSectionHeader(const char* line, std::size_t length) {
    std::size_t start = 0;
    while (start < length && (line[start] == ' ' || line[start] == '\t')) ++start;
    return start < length && line[start] == '[';
}

class Out {
public:
    Out(char* out, std::size_t capacity) : out_(out), capacity_(capacity) {}
    void put(const char* bytes, std::size_t n) {
        if (n > capacity_ - used_) {
            failed_ = true;
            return;
        }
        for (std::size_t i = 0; i < n; ++i) out_[used_++] = bytes[i];
    }
    std::size_t result() const { return failed_ ? 0 : used_; }
    bool endsWithNewline() const { return used_ == 0 || out_[used_ - 1] == '\n'; }

private:
    char* out_;
    std::size_t capacity_;
    std::size_t used_ = 0;
    bool failed_ = false;
};

}  // namespace

std::size_t addWininitLines(const char* text, std::size_t length, const char* lines, std::size_t linesLength,
                            char* out, std::size_t capacity) {
    Out o(out, capacity);
    bool inRename = false;
    bool added = false;
    std::size_t at = 0;
    // Where the [rename] section's last non-blank line ends: ours go after it.
    while (at < length) {
        std::size_t end = at;
        while (end < length && text[end] != '\n') ++end;
        const std::size_t lineEnd = end < length ? end + 1 : end;
        if (isSectionHeader(text + at, end - at)) {
            if (inRename && !added) {
                if (!o.endsWithNewline()) o.put("\r\n", 2);
                o.put(lines, linesLength);
                added = true;
            }
            inRename = isRenameHeader(text + at, end - at);
        }
        o.put(text + at, lineEnd - at);
        at = lineEnd;
    }
    if (!added) {
        if (!o.endsWithNewline()) o.put("\r\n", 2);
        if (!inRename) o.put("[rename]\r\n", 10);
        o.put(lines, linesLength);
    }
    return o.result();
}

}  // namespace kv
