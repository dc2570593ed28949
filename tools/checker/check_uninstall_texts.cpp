// The uninstaller's ten text files (kvrem.<language>, installed as
// kvrem.un2): every text it shows, in the language's code page, read
// through the uninstaller's own reader so that a text it would cut is told.
#include "check_context.h"
#include "code_page_bytes.h"
#include "common/language_table.h"
#include "install/file_table.h"
#include "printf_sequences.h"
#include "uninstaller/uninstall_texts.h"

namespace kvcheck {
namespace {

constexpr char kSection[] = "MSG";
constexpr int kLastKey = static_cast<int>(kv::UninstallText::Busy);

bool isReadKey(const std::string& key) {
    for (int k = 1; k <= kLastKey; ++k)
        if (key == std::to_string(k)) return true;
    return false;
}

void checkText(CheckContext& context, const std::string& file, const std::string& path, const IniScan& scan,
               int key, int codePage) {
    const IniSection* section = findSection(scan, kSection);
    const std::string keyName = std::to_string(key);
    const IniEntry* entry = findEntry(section, keyName.c_str());
    const int line = entry ? entry->line : (section ? section->line : 0);
    const std::string name = std::string("[") + kSection + "] " + keyName;
    const std::string value = readProfileValue(path, kSection, keyName.c_str());
    if (value.empty()) {
        context.findings.error(file, line, name + (entry ? " is empty" : " is missing") +
                                               ": the uninstaller shows its built-in English text instead");
        return;
    }
    const kv::String read = kv::uninstallText(path.c_str(), static_cast<kv::UninstallText>(key));
    if (read.size() < value.size())
        context.findings.error(file, line, name + " has " + std::to_string(value.size()) +
                                               " bytes; the uninstaller reads only the first " +
                                               std::to_string(read.size()));
    checkTextBytes(context, file, line, name, entry ? entry->value : value, codePage);
    for (const std::string& sequence : printfSequences(value))
        context.findings.warning(file, line, name + " holds \"" + sequence +
                                                 "\", which is shown literally (the uninstaller fills nothing in)");
}

// A key or section the uninstaller never reads is most likely a typing slip.
void checkUnread(CheckContext& context, const std::string& file, const IniScan& scan) {
    for (const IniSection& section : scan.sections) {
        if (!sameName(section.name, kSection)) {
            context.findings.warning(file, section.line, "section [" + section.name + "] is never read" +
                                                             nearestName(section.name, {kSection}));
            continue;
        }
        for (const IniEntry& entry : section.entries)
            if (!isReadKey(entry.key))
                context.findings.warning(file, entry.line, "key [" + std::string(kSection) + "] " + entry.key +
                                                               " is never read: the uninstaller reads keys 1 to " +
                                                               std::to_string(kLastKey));
    }
}

}  // namespace

void checkUninstallTexts(CheckContext& context) {
    for (int index = 0; index < kv::kLanguageCount; ++index) {
        const char* code = kv::languageCodeAt(index);
        const std::string file =
            std::string(kv::kFileTable[kv::kLanguageSubfolder]) + kv::kFileTable[kv::kUninstallTextStem] + "." + code;
        const std::string path = packagePath(context, file);
        std::string bytes;
        if (!readWholeFile(path, bytes)) continue;  // the payload check reports a missing file
        const IniScan scan = scanIni(bytes);
        const int codePage = codePageOfLanguage(code);
        for (int key = 1; key <= kLastKey; ++key) checkText(context, file, path, scan, key, codePage);
        checkUnread(context, file, scan);
    }
}

}  // namespace kvcheck
