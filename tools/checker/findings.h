// What the package checker found: one line each, "error:", "warning:" or
// "info:" (the values a run would use), where, and what.
#pragma once
#include <cstdio>
#include <string>
#include <vector>

namespace kvcheck {

enum class Level { kInfo, kWarning, kError };

struct Finding {
    Level level;
    std::string file;  // relative to the package folder, as the engine names it
    int line;          // 0 when the finding is about the whole file
    std::string what;
};

class Findings {
public:
    void info(const std::string& file, int line, const std::string& what) { add(Level::kInfo, file, line, what); }
    void warning(const std::string& file, int line, const std::string& what) { add(Level::kWarning, file, line, what); }
    void error(const std::string& file, int line, const std::string& what) { add(Level::kError, file, line, what); }
    void add(Level level, const std::string& file, int line, const std::string& what) {
        list_.push_back({level, file, line, what});
    }
    const std::vector<Finding>& list() const { return list_; }
    int count(Level level) const;
    // 0 when there is no error, 1 when there is one.
    int exitCode() const { return count(Level::kError) > 0 ? 1 : 0; }

private:
    std::vector<Finding> list_;
};

std::string formatFinding(const Finding& finding);
void printText(std::FILE* out, const Findings& findings, bool withInfo);
void printJson(std::FILE* out, const Findings& findings);

// Printable form of a text read from a package file: bytes outside ASCII
// are shown as \xNN, since their meaning depends on the code page.
std::string quoted(const std::string& text);

}  // namespace kvcheck
