#include "findings.h"

#include "tools/text_escape.h"

namespace kvcheck {
namespace {

const char* levelName(Level level) {
    switch (level) {
        case Level::kError: return "error";
        case Level::kWarning: return "warning";
        default: return "info";
    }
}

}  // namespace

int Findings::count(Level level) const {
    int n = 0;
    for (const Finding& f : list_) n += f.level == level;
    return n;
}

std::string quoted(const std::string& text) { return "\"" + kvtools::escapedText(text, false) + "\""; }

std::string formatFinding(const Finding& f) {
    std::string where = f.file;
    if (f.line > 0) where += ":" + std::to_string(f.line);
    return std::string(levelName(f.level)) + ": " + where + ": " + f.what;
}

void printText(std::FILE* out, const Findings& findings, bool withInfo) {
    for (const Finding& f : findings.list())
        if (withInfo || f.level != Level::kInfo) std::fprintf(out, "%s\n", formatFinding(f).c_str());
    std::fprintf(out, "%d error(s), %d warning(s)\n", findings.count(Level::kError),
                 findings.count(Level::kWarning));
}

// Texts of package files go out as their bytes, each byte above 0x7F as the
// code point of the same value, so a pipeline can recover the raw bytes.
void printJson(std::FILE* out, const Findings& findings) {
    std::fprintf(out, "{\"errors\": %d, \"warnings\": %d, \"findings\": [",
                 findings.count(Level::kError), findings.count(Level::kWarning));
    const char* separator = "";
    for (const Finding& f : findings.list()) {
        std::fprintf(out, "%s\n  {\"level\": \"%s\", \"file\": \"%s\", \"line\": %d, \"what\": \"%s\"}",
                     separator, levelName(f.level), kvtools::escapedText(f.file, true).c_str(), f.line,
                     kvtools::escapedText(f.what, true).c_str());
        separator = ",";
    }
    std::fprintf(out, "]}\n");
}

}  // namespace kvcheck
