#include "ini_scan.h"

#include <algorithm>
#include <cctype>

namespace kvcheck {
namespace {

std::string trimmed(const std::string& text) {
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos) return "";
    const std::size_t last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

char lower(char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); }

}  // namespace

IniScan scanIni(const std::string& bytes) {
    IniScan scan;
    int lineNumber = 0;
    std::size_t at = 0;
    while (at < bytes.size()) {
        std::size_t end = bytes.find('\n', at);
        if (end == std::string::npos) end = bytes.size();
        std::string line = bytes.substr(at, end - at);
        at = end + 1;
        ++lineNumber;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        line = trimmed(line);
        if (line.empty() || line[0] == ';') continue;
        if (line[0] == '[') {
            const std::size_t close = line.find(']');
            IniSection section;
            section.name = trimmed(line.substr(1, close == std::string::npos ? std::string::npos : close - 1));
            section.line = lineNumber;
            scan.sections.push_back(section);
            continue;
        }
        if (scan.sections.empty()) {
            scan.linesOutsideSections.push_back(lineNumber);
            continue;
        }
        IniEntry entry;
        entry.line = lineNumber;
        const std::size_t equals = line.find('=');
        entry.hasEquals = equals != std::string::npos;
        entry.key = trimmed(line.substr(0, equals));
        if (entry.hasEquals) entry.value = trimmed(line.substr(equals + 1));
        scan.sections.back().entries.push_back(entry);
    }
    return scan;
}

bool sameName(const std::string& a, const char* b) {
    const std::string other = b ? b : "";
    return a.size() == other.size() &&
           std::equal(a.begin(), a.end(), other.begin(),
                      [](char x, char y) { return lower(x) == lower(y); });
}

const IniSection* findSection(const IniScan& scan, const char* name) {
    for (const IniSection& section : scan.sections)
        if (sameName(section.name, name)) return &section;
    return nullptr;
}

const IniEntry* findEntry(const IniSection* section, const char* key) {
    if (section == nullptr) return nullptr;
    for (const IniEntry& entry : section->entries)
        if (sameName(entry.key, key)) return &entry;
    return nullptr;
}

int nameDistance(const std::string& a, const std::string& b) {
    std::vector<int> row(b.size() + 1);
    for (std::size_t j = 0; j <= b.size(); ++j) row[j] = static_cast<int>(j);
    for (std::size_t i = 1; i <= a.size(); ++i) {
        int diagonal = row[0];
        row[0] = static_cast<int>(i);
        for (std::size_t j = 1; j <= b.size(); ++j) {
            const int above = row[j];
            const int change = diagonal + (lower(a[i - 1]) == lower(b[j - 1]) ? 0 : 1);
            row[j] = std::min({above + 1, row[j - 1] + 1, change});
            diagonal = above;
        }
    }
    return row[b.size()];
}

}  // namespace kvcheck
