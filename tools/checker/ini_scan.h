// An INI file as the platform's profile reader sees it, with the line of
// every section and key, so a finding can say where it is. Pure logic.
#pragma once
#include <string>
#include <vector>

namespace kvcheck {

struct IniEntry {
    std::string key;    // blanks around it removed
    std::string value;  // raw bytes, blanks around it removed
    int line = 0;
    bool hasEquals = false;
};

struct IniSection {
    std::string name;
    int line = 0;
    std::vector<IniEntry> entries;
};

struct IniScan {
    std::vector<IniSection> sections;
    std::vector<int> linesOutsideSections;  // text before the first section
};

// Lines end in CRLF or LF; ';' starts a comment line.
IniScan scanIni(const std::string& bytes);

bool sameName(const std::string& a, const char* b);  // ASCII case ignored

// The reader only ever looks in the first section of a name, and there at
// the first key of a name: null when there is none.
const IniSection* findSection(const IniScan& scan, const char* name);
const IniEntry* findEntry(const IniSection* section, const char* key);

// Levenshtein distance with ASCII case ignored, for "did you mean".
int nameDistance(const std::string& a, const std::string& b);

}  // namespace kvcheck
